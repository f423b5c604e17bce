// The coefficients page: the standard offered by language, the limits of committed values, the user's
// set across standards and its file.
#include "FakeLgSicherungView.h"

#include "loadsecuring/CPgLgSichgPage4.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "model/base/LockedFile.h"
#include "model/files/CustomNormParamsFile.h"
#include "platform/ResourceModule.h"
#include "ui/CEditLast.h"
#include "ui/ControlId.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

class Page4Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_module =
            ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
        m_previous = ResourceModule::Current();
        ResourceModule::SetCurrent(m_module.get());
        Normen().strDateiPfad = m_dir.filePath(QStringLiteral("CustomNormParams.ser"));
        Normen().strSprachCode.clear();
    }
    void TearDown() override
    {
        delete m_wizard.data();
        LockedFile::SetWriteFault(std::nullopt);
        Normen().strDateiPfad.clear();
        Normen().strSprachCode.clear();
        ResourceModule::SetCurrent(m_previous);
    }
    // Opens a wizard on the coefficients page (index 2) under the language code given, from `view`
    // (the fixture's when null).
    CPgLgSichgPage4* Open(const QString& code, FakeLgSicherungView* view = nullptr)
    {
        if (view == nullptr)
            view = &m_view;
        view->m_run.GetNormen().strSprachCode = code;
        m_wizard = new CPshLgSichgWizard(403, view, 0);
        m_wizard->SetView(view);
        m_wizard->SetStartMode(0);
        EXPECT_TRUE(m_wizard->Create());
        m_wizard->show();
        EXPECT_TRUE(m_wizard->GoToPage(2));
        return static_cast<CPgLgSichgPage4*>(m_wizard->GetPage(2));
    }
    // The standards the wizard keeps in the view's program run.
    ProgramRun::Normen& Normen() { return m_view.m_run.GetNormen(); }
    static CEditLast* Feld(CPgLgSichgPage4* page, int i)
    {
        return qobject_cast<CEditLast*>(ControlId::Find(page, CPgLgSichgPage4::kFelder[i]));
    }
    static void Tippe(CPgLgSichgPage4* page, int i, const QString& text)
    {
        CEditLast* edit = Feld(page, i);
        ASSERT_NE(edit, nullptr);
        edit->setText(text);
        edit->CommitText(true);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<ResourceModule> m_module;
    const ResourceModule* m_previous = nullptr;
    ScriptedMessageBoxService m_boxes;
    FakeLgSicherungView m_view;
    QPointer<CPshLgSichgWizard> m_wizard;
};

} // namespace

TEST_F(Page4Test, TheLanguageDecidesTheFirstStandard)
{
    struct Case
    {
        const char* code;
        int nNorm;
        bool bRadio0;
    };
    for (const Case& c :
         {Case{"DE", 0, true}, Case{"de", 0, true}, Case{"EN", 1, false}, Case{"FR", 1, false}}) {
        SCOPED_TRACE(c.code);
        CPgLgSichgPage4* page = Open(QString::fromLatin1(c.code));
        EXPECT_EQ(m_wizard->GetParams().m_nNorm, c.nNorm);
        EXPECT_EQ(ControlId::Find(page, 1262)->isVisible(), c.bRadio0);
        page->WechsleNorm(0);
        EXPECT_EQ(m_wizard->GetParams().m_nNorm, c.nNorm) << "the first standard only where it is offered";
        delete m_wizard.data();
    }
}

TEST_F(Page4Test, CommittedCoefficientsAreLimited)
{
    struct Case
    {
        int nNorm;
        int nFeld;
        const char* typed;
        float fErgebnis;
    };
    for (const Case& c : {Case{2, 0, "0.05", 0.10f}, Case{2, 5, "2.5", 2.00f}, Case{0, 5, "1.2", 1.50f},
                          Case{2, 6, "0.5", 1.0f}, Case{2, 3, "0.7", 0.7f}}) {
        SCOPED_TRACE(std::to_string(c.nNorm) + " c" + std::to_string(c.nFeld) + " " + c.typed);
        CPgLgSichgPage4* page = Open(QStringLiteral("DE"));
        page->WechsleNorm(c.nNorm);
        Tippe(page, c.nFeld, QString::fromLatin1(c.typed));
        EXPECT_FLOAT_EQ(Feld(page, c.nFeld)->GetFloat(), c.fErgebnis);
        EXPECT_FLOAT_EQ(m_wizard->GetParams().m_Norm.m_fKoeff[c.nFeld], c.fErgebnis);
        EXPECT_EQ(Normen().bEigenerSatzGeaendert, c.nNorm == 2);
        delete m_wizard.data();
    }
    Normen().fNorm0C5 = 1.5f;
}

TEST_F(Page4Test, TheEditedFirstStandardLastsForTheRunAndStaysInIt)
{
    SNormParams set0;
    ASSERT_TRUE(SNormParams::GetStandard(0, &set0));
    ASSERT_NE(set0.m_fKoeff[5], 1.75f);
    CPgLgSichgPage4* page = Open(QStringLiteral("DE"));
    ASSERT_EQ(m_wizard->GetParams().m_nNorm, 0);
    Tippe(page, 5, QStringLiteral("1.75"));
    delete m_wizard.data();

    // The next wizard of the run starts from the edited value.
    page = Open(QStringLiteral("DE"));
    EXPECT_FLOAT_EQ(Feld(page, 5)->GetFloat(), 1.75f);
    EXPECT_FLOAT_EQ(m_wizard->GetParams().m_Norm.m_fKoeff[5], 1.75f);
    delete m_wizard.data();

    // A wizard of another run has the built-in value, and its edits stay there.
    FakeLgSicherungView other;
    other.m_run.GetNormen().strDateiPfad = Normen().strDateiPfad;
    page = Open(QStringLiteral("DE"), &other);
    EXPECT_FLOAT_EQ(Feld(page, 5)->GetFloat(), set0.m_fKoeff[5]);
    Tippe(page, 5, QStringLiteral("1.9"));
    delete m_wizard.data();
    EXPECT_FLOAT_EQ(Normen().fNorm0C5.value_or(0.0f), 1.75f);
    EXPECT_FLOAT_EQ(other.m_run.GetNormen().fNorm0C5.value_or(0.0f), 1.9f);
}

TEST_F(Page4Test, FieldsAreEditableOnlyInTheUsersSetAndItsTypingSurvivesASwitch)
{
    CPgLgSichgPage4* page = Open(QStringLiteral("EN"));
    page->KickIdle();
    EXPECT_FALSE(Feld(page, 0)->isEnabled());
    page->WechsleNorm(2);
    page->KickIdle();
    EXPECT_TRUE(Feld(page, 0)->isEnabled());
    EXPECT_TRUE(Feld(page, 4)->isReadOnly());
    // The built-in set has no c4 and c9: they say so.
    page->WechsleNorm(1);
    EXPECT_FLOAT_EQ(Feld(page, 4)->GetFloat(), 0.6f);
    for (int i : {4, 9}) {
        page->WechsleNorm(2);
        EXPECT_EQ(Feld(page, i)->text(), QStringLiteral("n/a")) << "c" << i;
    }
    Tippe(page, 0, QStringLiteral("0.7"));
    page->WechsleNorm(1);
    EXPECT_FLOAT_EQ(Feld(page, 0)->GetFloat(), 0.8f) << "the second standard's own value";
    page->WechsleNorm(2);
    EXPECT_FLOAT_EQ(Feld(page, 0)->GetFloat(), 0.7f);
}

TEST_F(Page4Test, TheUsersSetSurvivesARestartAndAFailedSaveLosesNothing)
{
    CPgLgSichgPage4* page = Open(QStringLiteral("EN"));
    page->WechsleNorm(2);
    Tippe(page, 1, QStringLiteral("0.65"));
    ASSERT_TRUE(Normen().bEigenerSatzGeaendert);
    EXPECT_TRUE(page->SpeichereEigenenSatz());
    EXPECT_FALSE(Normen().bEigenerSatzGeaendert);
    const std::filesystem::path path = Normen().strDateiPfad.toStdString();
    const auto saved = std::filesystem::file_size(path);

    // A failed save says so, keeps the mark and the old file.
    Tippe(page, 1, QStringLiteral("0.75"));
    LockedFile::SetWriteFault(LockedFile::WriteFault{4, LockedFile::WriteFault::Action::Fail, {}});
    EXPECT_FALSE(page->SpeichereEigenenSatz());
    LockedFile::SetWriteFault(std::nullopt);
    EXPECT_TRUE(Normen().bEigenerSatzGeaendert);
    ASSERT_FALSE(m_boxes.Records().isEmpty());
    EXPECT_TRUE(m_boxes.Records().back().html.text.contains(QStringLiteral("could not be saved")));
    EXPECT_EQ(std::filesystem::file_size(path), saved);

    // The next run reads what was saved.
    Normen().eigenerSatz = SNormParams();
    page->OnFirstActivate();
    EXPECT_FLOAT_EQ(Normen().eigenerSatz->m_fKoeff[1], 0.65f);
    EXPECT_TRUE(
        m_wizard->grab().save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/loadsecuring/wizard_page4.png")));
}

TEST_F(Page4Test, ADamagedFileGivesTheFirstSetWithANoticeAndStaysAsItIs)
{
    const QByteArray damaged("\xFF\xFF\x03\x00\x0BSNormPar", 13);
    {
        QFile file(Normen().strDateiPfad);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged);
    }
    SNormParams vorher;
    vorher.m_fKoeff[0] = 0.3f;
    Normen().eigenerSatz = vorher;
    CPgLgSichgPage4* page = Open(QStringLiteral("EN"));
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_TRUE(m_boxes.Records().front().html.text.contains(QStringLiteral("could not be read")));
    SNormParams set0;
    ASSERT_TRUE(SNormParams::GetStandard(0, &set0));
    for (int i = 0; i < SNormParams::kAnzahl; ++i)
        EXPECT_FLOAT_EQ(Normen().eigenerSatz->m_fKoeff[i], set0.m_fKoeff[i]) << "c" << i;
    EXPECT_FALSE(Normen().bEigenerSatzGeaendert);
    page->WechsleNorm(2);
    EXPECT_FLOAT_EQ(Feld(page, 3)->GetFloat(), set0.m_fKoeff[3]);
    QFile file(Normen().strDateiPfad);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), damaged);
}

TEST_F(Page4Test, TheHintTellsHowToKeepTheUsersSetOnlyWhileItIsChosen)
{
    CPgLgSichgPage4* page = Open(QStringLiteral("EN"));
    for (int nNorm : {1, 2, 1}) {
        SCOPED_TRACE(nNorm);
        page->WechsleNorm(nNorm);
        const QString html = page->HintHtml();
        EXPECT_TRUE(html.contains(QStringLiteral("Standard and coefficients")));
        EXPECT_FALSE(html.contains(QStringLiteral("<!--$"))) << html.toStdString();
        const int own = html.indexOf(QStringLiteral("Your own set"));
        ASSERT_GT(own, 0);
        const int block = html.lastIndexOf(QStringLiteral("<div class=\""), own);
        EXPECT_EQ(html.mid(block, 32).contains(QStringLiteral("invisible")), nNorm != 2);
    }
}
