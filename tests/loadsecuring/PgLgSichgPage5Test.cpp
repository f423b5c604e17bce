// The friction page: limits of committed friction, the mat's fields, and the check before going on.
#include "FakeLgSicherungView.h"

#include "loadsecuring/CPgLgSichgPage4.h"
#include "loadsecuring/CPgLgSichgPage5.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "platform/ResourceModule.h"
#include "ui/CEditLast.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QPointer>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class Page5Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_module =
            ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
        m_previous = ResourceModule::Current();
        ResourceModule::SetCurrent(m_module.get());
    }
    void TearDown() override
    {
        delete m_wizard.data();
        ResourceModule::SetCurrent(m_previous);
    }
    // A wizard on the friction page (index 3) under standard nNorm.
    CPgLgSichgPage5* Open(int nNorm)
    {
        m_wizard = new CPshLgSichgWizard(403, &m_view, 0);
        m_wizard->SetView(&m_view);
        EXPECT_TRUE(m_wizard->Create());
        m_wizard->show();
        EXPECT_TRUE(m_wizard->GoToPage(3));
        m_wizard->GetParams().m_nNorm = nNorm;
        return static_cast<CPgLgSichgPage5*>(m_wizard->GetPage(3));
    }
    static CEditLast* Feld(CPgLgSichgPage5* page, int id)
    {
        return qobject_cast<CEditLast*>(ControlId::Find(page, id));
    }
    static void Klick(CPgLgSichgPage5* page, int id)
    {
        auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(page, id));
        ASSERT_NE(b, nullptr);
        b->click();
    }
    static void Tippe(CPgLgSichgPage5* page, int id, const QString& text)
    {
        CEditLast* edit = Feld(page, id);
        ASSERT_NE(edit, nullptr);
        edit->setText(text);
        edit->CommitText(true);
    }

    std::unique_ptr<ResourceModule> m_module;
    const ResourceModule* m_previous = nullptr;
    ScriptedMessageBoxService m_boxes;
    FakeLgSicherungView m_view;
    QPointer<CPshLgSichgWizard> m_wizard;
};

} // namespace

TEST_F(Page5Test, CommittedFrictionIsLimited)
{
    struct Case
    {
        int nNorm;
        bool bUeber02;
        const char* typed;
        float fErgebnis;
    };
    for (const Case& c :
         {Case{1, false, "0.35", 0.20f}, Case{1, true, "0.35", 0.35f}, Case{0, false, "0.35", 0.35f},
          Case{2, true, "1.2", 0.99f}, Case{2, true, "-0.1", 0.0f}}) {
        SCOPED_TRACE(std::to_string(c.nNorm) + (c.bUeber02 ? " above 0.2 allowed " : " ") + c.typed);
        CPgLgSichgPage5* page = Open(c.nNorm);
        auto* box = qobject_cast<QAbstractButton*>(ControlId::Find(page, CPgLgSichgPage5::kIdUeber02));
        ASSERT_NE(box, nullptr);
        box->setChecked(c.bUeber02);
        Tippe(page, CPgLgSichgPage5::kIdOhneMatte, QString::fromLatin1(c.typed));
        EXPECT_FLOAT_EQ(Feld(page, CPgLgSichgPage5::kIdOhneMatte)->GetFloat(), c.fErgebnis);
        delete m_wizard.data();
    }
}

TEST_F(Page5Test, ClearingTheAllowanceLowersBothFieldsAndRestartsTheReach)
{
    CPgLgSichgPage5* page = Open(1);
    m_wizard->SetReach(6);
    Tippe(page, CPgLgSichgPage5::kIdOhneMatte, QStringLiteral("0.5"));
    Feld(page, CPgLgSichgPage5::kIdMitMatte)->SetFloat(0.6f);
    Klick(page, CPgLgSichgPage5::kIdUeber02); // set at the first entry: this clears it
    EXPECT_FLOAT_EQ(Feld(page, CPgLgSichgPage5::kIdOhneMatte)->GetFloat(), 0.2f);
    EXPECT_FLOAT_EQ(Feld(page, CPgLgSichgPage5::kIdMitMatte)->GetFloat(), 0.2f);
    EXPECT_EQ(m_wizard->GetReach(), 3);
}

TEST_F(Page5Test, TheMatDecidesWhichFieldIsOpen)
{
    CPgLgSichgPage5* page = Open(1);
    page->KickIdle();
    EXPECT_TRUE(Feld(page, CPgLgSichgPage5::kIdOhneMatte)->isEnabled());
    EXPECT_FALSE(Feld(page, CPgLgSichgPage5::kIdMitMatte)->isEnabled());
    Klick(page, CPgLgSichgPage5::kIdMatte);
    page->KickIdle();
    EXPECT_FALSE(Feld(page, CPgLgSichgPage5::kIdOhneMatte)->isEnabled());
    EXPECT_FALSE(Feld(page, CPgLgSichgPage5::kIdMitMatte)->isEnabled()) << "the mat's standard value";
    Klick(page, CPgLgSichgPage5::kIdMatteZertifikat);
    page->KickIdle();
    EXPECT_TRUE(Feld(page, CPgLgSichgPage5::kIdMitMatte)->isEnabled());
    EXPECT_TRUE(
        m_wizard->grab().save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/loadsecuring/wizard_page5.png")));
}

TEST_F(Page5Test, GoingOnNeedsAValidFrictionAndAJumpStopsAtTheReach)
{
    struct Case
    {
        bool bMatte;
        const char* ohne;
        int nTarget;
        int nLanding; // -1: refused
        int nText;
    };
    for (const Case& c :
         {Case{false, "", 4, -1, 464}, Case{false, "0.3", 4, 4, 0}, Case{false, "0.3", 2, 2, 0},
          Case{false, "0.3", 8, 5, 0}, Case{true, "", 4, 4, 0}}) {
        SCOPED_TRACE(std::string(c.bMatte ? "mat, " : "") + c.ohne + " to " + std::to_string(c.nTarget));
        CPgLgSichgPage5* page = Open(2);
        // The wizard has been as far as index 5 once.
        Tippe(page, CPgLgSichgPage5::kIdOhneMatte, QStringLiteral("0.3"));
        ASSERT_TRUE(m_wizard->GoToPage(4));
        ASSERT_TRUE(m_wizard->GoToPage(5));
        ASSERT_TRUE(m_wizard->GoToPage(3));
        if (c.bMatte)
            Klick(page, CPgLgSichgPage5::kIdMatte);
        Tippe(page, CPgLgSichgPage5::kIdOhneMatte, QString::fromLatin1(c.ohne));
        m_boxes.Clear();
        const bool bShown = m_wizard->GoToPage(c.nTarget);
        EXPECT_EQ(bShown, c.nLanding >= 0);
        EXPECT_EQ(m_wizard->ActiveIndex(), c.nLanding >= 0 ? c.nLanding : 3);
        if (c.nText) {
            ASSERT_EQ(m_boxes.Records().size(), 1);
            EXPECT_TRUE(m_boxes.Records()[0].html.text.contains(
                QStringLiteral("between the load and the load area")));
        } else {
            EXPECT_TRUE(m_boxes.Records().isEmpty());
        }
        delete m_wizard.data();
    }
}
