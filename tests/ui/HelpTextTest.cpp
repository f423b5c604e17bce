// Tests of the help text dialog: loading, the missing-text message and the confirmation mode.
#include "ui/CDlgHelpText.h"
#include "ui/CRibBtnContainer.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"
#include "ui/RibBtnStrip.h"

#include "UiTestModule.h"

#include <QCheckBox>
#include <QDir>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class HelpTextTest : public testing::Test
{
protected:
    HelpTextTest() : m_templates(UiTestModule()) { ResourceModule::SetCurrent(UiTestModule()); }
    ~HelpTextTest() override { ResourceModule::SetCurrent(nullptr); }

    static CRibBtnContainer* StripOf(CDlgHelpText& dialog, int id)
    {
        auto* face = dynamic_cast<RibBtnStrip*>(dialog.FindRibBtnContainer(id));
        return face ? face->Strip() : nullptr;
    }

private:
    ScopedDialogTemplateModule m_templates;
};

} // namespace

TEST_F(HelpTextTest, ShowsTheHelpTextOrSaysItIsMissing)
{
    const QString missing = QString::fromStdString(LoadResString(274));
    struct Case
    {
        quint32 id;
        QString startsWith;
    };
    const Case cases[] = {{9913, "Securing loads"}, {0, missing}, {9999, missing}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        CDlgHelpText dialog;
        dialog.SetResourceId(c.id);
        dialog.SetTitle("Help");
        dialog.InitDialog();
        EXPECT_EQ(dialog.windowTitle(), "Help");
        ASSERT_NE(dialog.TextControl(), nullptr);
        EXPECT_TRUE(dialog.TextControl()->toPlainText().startsWith(c.startsWith))
            << dialog.TextControl()->toPlainText().toStdString();
        EXPECT_EQ(dialog.TextControl()->geometry(), QRect(0, 0, dialog.width(), dialog.height() - 65));
        EXPECT_TRUE(dialog.TextControl()->isReadOnly());
    }
}

TEST_F(HelpTextTest, ConfirmationEnablesOkOnlyWhileTicked)
{
    CDlgHelpText dialog;
    dialog.SetResourceId(9913);
    dialog.SetConfirmationMode(true);
    QImage picture;
    std::vector<int> okEnabled;
    bool cancelShown = false;
    QTimer::singleShot(0, [&] {
        CRibBtnContainer* strip = StripOf(dialog, CDlgBase::kIdOk);
        ASSERT_NE(strip, nullptr);
        auto* check = dialog.findChild<QCheckBox*>(ControlId::ObjectName(CDlgHelpText::kConfirmId));
        ASSERT_TRUE(check && check->isVisible());
        cancelShown = strip->FindButton(CDlgBase::kIdCancel)->isVisible();
        okEnabled.push_back(strip->IsButtonEnabled(CDlgBase::kIdOk));
        check->click();
        okEnabled.push_back(strip->IsButtonEnabled(CDlgBase::kIdOk));
        picture = dialog.grab().toImage();
        check->click();
        okEnabled.push_back(strip->IsButtonEnabled(CDlgBase::kIdOk));
        check->click();
        CommandEvent ok{quint32(CDlgBase::kIdOk)};
        QCoreApplication::sendEvent(&dialog, &ok);
    });
    EXPECT_EQ(dialog.exec(), int(QDialog::Accepted));
    EXPECT_EQ(okEnabled, (std::vector<int>{0, 1, 0}));
    EXPECT_TRUE(cancelShown);
    EXPECT_EQ(dialog.TextControl()->height(), dialog.height() - 85);
    QDir().mkpath(QOR_TEST_ARTIFACT_DIR);
    EXPECT_TRUE(picture.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/help_text_confirm.png")));
}

TEST_F(HelpTextTest, PlainModeHasOkAsDefaultAndNoCancel)
{
    CDlgHelpText dialog;
    dialog.SetResourceId(9913);
    dialog.InitDialog();
    CRibBtnContainer* strip = StripOf(dialog, CDlgBase::kIdOk);
    ASSERT_NE(strip, nullptr);
    EXPECT_TRUE(strip->IsButtonEnabled(CDlgBase::kIdOk));
    EXPECT_TRUE(strip->FindButton(CDlgBase::kIdOk)->IsDefault());
    EXPECT_TRUE(strip->FindButton(CDlgBase::kIdCancel)->isHidden());
    auto* check = dialog.findChild<QCheckBox*>(ControlId::ObjectName(CDlgHelpText::kConfirmId));
    ASSERT_NE(check, nullptr);
    EXPECT_TRUE(check->isHidden());
}
