// Button strips inside the dialog base: strips from the template's placeholders, their buttons in the
// dialog's keyboard order, clicks closing the dialog and the idle update reaching strip buttons.
#include "StripTestSupport.h"
#include "UiTestModule.h"

#include "ui/CDlgBase.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/RibBtnStrip.h"

#include <gtest/gtest.h>

namespace {

class StripDialogTest : public ::testing::Test
{
protected:
    static CRibBtnContainer* StripOf(CDlgBase& dialog, int index)
    {
        auto* strip = dynamic_cast<RibBtnStrip*>(dialog.Strip(index));
        return strip ? strip->Strip() : nullptr;
    }

    StripModule module;
};

// A dialog that switches one strip button off in its command update.
class UpdatingDialog : public CDlgBase
{
public:
    UpdatingDialog() : CDlgBase(kToolkitTestDialog) {}

protected:
    void OnUpdateCommand(CommandUpdateEvent& query) override
    {
        if (query.Id() == 2030)
            query.Enable(false);
    }
};

TEST_F(StripDialogTest, PlaceholdersBecomeRealStrips)
{
    CDlgBase dialog(kToolkitTestDialog);
    ASSERT_TRUE(dialog.TemplateError().isEmpty()) << dialog.TemplateError().toStdString();
    dialog.InitDialog();

    struct Case
    {
        int index;
        int height;
        std::vector<quint32> entries; // separators as 0x80000000 | id
        const char* title;
    } cases[] = {
        {0, 46, {2020, 0x80000000u, 668}, ""},
        {1, 85, {705}, ""},
        {2, 61, {2030}, "Options"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        CRibBtnContainer* strip = StripOf(dialog, c.index);
        ASSERT_NE(strip, nullptr);
        EXPECT_EQ(strip->parentWidget(), &dialog);
        EXPECT_EQ(strip->height(), c.height);
        EXPECT_EQ(strip->Title(), QString::fromUtf8(c.title));
        std::vector<quint32> ids;
        CRibBtnContainer::EntryIterator it;
        for (bool more = strip->GetFirstEntry(it); more; more = strip->GetNextEntry(it))
            ids.push_back(it.id);
        EXPECT_EQ(ids, c.entries);
    }
    EXPECT_EQ(StripOf(dialog, 0)->FindButton(2020)->Caption(), QStringLiteral("Apply"));
    EXPECT_EQ(StripOf(dialog, 0)->FindButton(668)->Caption(), QStringLiteral("OK"));
    EXPECT_EQ(StripOf(dialog, 0)->FindButton(668)->ToolTipMode(), CRibBtn::kToolTipNone);
    EXPECT_EQ(StripOf(dialog, 3), nullptr) << "a placeholder with a bad flag makes no strip";
}

TEST_F(StripDialogTest, StripButtonsJoinTheKeyboardOrderAfterTheirAnchors)
{
    CDlgBase dialog(kToolkitTestDialog);
    dialog.InitDialog();
    QList<int> ids;
    for (QWidget* w : dialog.NavigationList())
        ids << CRibBtnContainer::ControlIdOf(w);
    // The first strip button follows the radio run before its placeholder; each later placeholder
    // follows the one before it.
    const qsizetype at = ids.indexOf(2010);
    ASSERT_GE(at, 0);
    EXPECT_EQ(ids.mid(at, 5), (QList<int>{2010, 2020, 668, 705, 2030}));

    CRibBtn* apply = StripOf(dialog, 0)->FindButton(2020);
    EXPECT_EQ(dialog.GetNextNavCtrl(apply, false), StripOf(dialog, 0)->FindButton(668));
    EXPECT_EQ(dialog.GetNextNavCtrl(StripOf(dialog, 0)->FindButton(668), false),
              StripOf(dialog, 1)->FindButton(705));
}

TEST_F(StripDialogTest, ClickOnAStripOkButtonAcceptsTheDialog)
{
    CDlgBase dialog(kToolkitTestDialog);
    dialog.InitDialog();
    dialog.setResult(-1);
    CRibBtn* ok = StripOf(dialog, 0)->FindButton(668);
    const QPoint centre = ok->rect().center();
    SendMouse(ok, QEvent::MouseMove, centre);
    SendMouse(ok, QEvent::MouseButtonPress, centre);
    SendMouse(ok, QEvent::MouseButtonRelease, centre);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(StripDialogTest, IdleUpdateReachesStripButtons)
{
    UpdatingDialog dialog;
    dialog.InitDialog();
    EXPECT_EQ(StripOf(dialog, 2)->IsButtonEnabled(2030), 1);
    dialog.KickIdle();
    EXPECT_EQ(StripOf(dialog, 2)->IsButtonEnabled(2030), 0);
    EXPECT_EQ(StripOf(dialog, 0)->IsButtonEnabled(668), 1);

    dialog.resize(420, 300);
    SaveArtifact(dialog.grab().toImage(), QStringLiteral("strip_dialog.png"));
}

} // namespace
