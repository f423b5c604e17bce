// The friction page: limits of committed friction, the mat's fields, and the check before going on.
#include "FakeLgSicherungView.h"
#include "SicherungsTestSupport.h"

#include "loadsecuring/CPgLgSichgPage4.h"
#include "loadsecuring/CPgLgSichgPage5.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "model/text/NumberText.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "platform/ResourceModule.h"
#include "ui/CEditLast.h"
#include "ui/CQorBrowser.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QPointer>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

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
    CPgLgSichgPage5* Open(int nNorm, FakeLgSicherungView* pView = nullptr)
    {
        if (!pView)
            pView = &m_view;
        m_wizard = new CPshLgSichgWizard(403, pView, 0);
        m_wizard->SetView(pView);
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

// Typed as a user types it, key by key, in the German and in the English interface: a friction is read
// with the language's decimal separator (and a point or comma that cannot be misread); anything else,
// and a value outside the range the standard allows, is refused with a message naming that range, the
// text stays as typed and the value as it was. Nothing is clamped or dropped without a word.
TEST_F(Page5Test, TypedFrictionIsReadInTheLanguageOrRefusedNamingTheRange)
{
    struct Case
    {
        const char* typed;
        int nNorm;
        bool bUeber02;
        float fWert; // -1: empty; -2: refused
    };
    const Case cases[] = {
        {"0,5", 2, true, 0.5f},   {"0.5", 2, true, 0.5f},  {"0,", 2, true, 0.0f},    {",5", 2, true, 0.5f},
        {"1.234,5", 2, true, -2}, {"5e-1", 2, true, -2},   {"", 2, true, -1},        {"-0,1", 2, true, -2},
        {"12", 2, true, -2},      {"0,5x", 2, true, -2},   {"1,5", 2, true, -2},     {"0,99", 2, true, 0.99f},
        {"0,35", 1, false, -2},   {"0,2", 1, false, 0.2f}, {"0,35", 1, true, 0.35f},
    };
    for (const char* sprache : {"DE", "EN"}) {
        std::unique_ptr<ResourceModule> modul = ResourceModule::Load(
            QString::fromLatin1(sprache), QCoreApplication::applicationDirPath(), nullptr);
        ASSERT_NE(modul, nullptr) << sprache;
        ResourceModule::SetCurrent(modul.get());
        const QChar komma =
            QString::fromLatin1(sprache) == QLatin1String("DE") ? QLatin1Char(',') : QLatin1Char('.');
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(sprache) + " \"" + c.typed + "\" standard " + std::to_string(c.nNorm) +
                         (c.bUeber02 ? "" : ", 0.2 at most"));
            CPgLgSichgPage5* page = Open(c.nNorm);
            auto* box = qobject_cast<QAbstractButton*>(ControlId::Find(page, CPgLgSichgPage5::kIdUeber02));
            ASSERT_NE(box, nullptr);
            if (box->isChecked() != c.bUeber02)
                Klick(page, CPgLgSichgPage5::kIdUeber02);
            CEditLast* edit = Feld(page, CPgLgSichgPage5::kIdOhneMatte);
            edit->SetFloat(0.3f);
            m_wizard->activateWindow();
            edit->setFocus();
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, QString::fromLatin1(c.typed));
            EXPECT_EQ(edit->text(), QString::fromLatin1(c.typed)) << "no typed character is dropped";
            m_boxes.Clear();
            QTest::keyClick(edit, Qt::Key_Return);
            if (c.fWert == -2) {
                EXPECT_TRUE(edit->IsRefused());
                EXPECT_EQ(edit->text(), QString::fromLatin1(c.typed)) << "the typed text stays";
                ASSERT_EQ(m_boxes.Records().size(), 1);
                const QString text = m_boxes.Records()[0].html.text;
                const QString bis = (c.nNorm == 1 && !c.bUeber02) ? QStringLiteral("0%120").arg(komma)
                                                                  : QStringLiteral("0%199").arg(komma);
                EXPECT_TRUE(text.contains(QStringLiteral("0%100").arg(komma)) && text.contains(bis))
                    << text.toStdString();
                EXPECT_FLOAT_EQ(m_wizard->GetParams().m_fReibungOhneMatte, -1.0f)
                    << "nothing reached the params";
                // Going on is refused with the field's message, once.
                m_boxes.Clear();
                EXPECT_FALSE(m_wizard->GoToPage(4));
                EXPECT_EQ(m_wizard->ActiveIndex(), 3);
                EXPECT_EQ(m_boxes.Records().size(), 1);
            } else {
                EXPECT_FALSE(edit->IsRefused());
                EXPECT_TRUE(m_boxes.Records().isEmpty());
                EXPECT_FLOAT_EQ(edit->GetFloatOr(-1.0f), c.fWert);
                // Shown in the language's format once the field is left.
                if (c.fWert >= 0) {
                    edit->clearFocus();
                    EXPECT_EQ(edit->text(),
                              QString::fromStdString(FormatNumber(c.fWert, 2, komma.toLatin1())));
                }
            }
            delete m_wizard.data();
        }
    }
    ResourceModule::SetCurrent(m_module.get());
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
    Feld(page, CPgLgSichgPage5::kIdMitMatte)->SetFloat(0.45f);
    Klick(page, CPgLgSichgPage5::kIdMatteZertifikat);
    // The field the click opened takes the focus with its whole text selected.
    CEditLast* mitMatte = Feld(page, CPgLgSichgPage5::kIdMitMatte);
    EXPECT_EQ(page->window()->focusWidget(), mitMatte);
    EXPECT_EQ(mitMatte->selectedText(), mitMatte->text());
    page->KickIdle();
    EXPECT_TRUE(Feld(page, CPgLgSichgPage5::kIdMitMatte)->isEnabled());
    // Clearing the mat box opens the field without the mat.
    Klick(page, CPgLgSichgPage5::kIdMatte);
    EXPECT_EQ(page->window()->focusWidget(), Feld(page, CPgLgSichgPage5::kIdOhneMatte));
    Klick(page, CPgLgSichgPage5::kIdMatte);
    page->KickIdle();
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
        // A vehicle with a lashing point, so that the method page lets the walk below pass.
        fahrzeugtest::Sicherungsaufbau aufbau = fahrzeugtest::BaueSicherungsaufbau();
        aufbau.pFahrzeug->m_Zurrpunkte.emplace_back(new CZurrpunkt(7.2, 2.5));
        FakeLgSicherungView view(aufbau.pDoc.get());
        CPgLgSichgPage5* page = Open(2, &view);
        // The wizard has been as far as index 5 once.
        Tippe(page, CPgLgSichgPage5::kIdOhneMatte, QStringLiteral("0.3"));
        ASSERT_TRUE(m_wizard->GoToPage(4));
        // The attachment points are placed by hand: the walk goes on to the next page.
        auto* automatisch = qobject_cast<QAbstractButton*>(ControlId::Find(m_wizard->GetPage(4), 1099));
        ASSERT_NE(automatisch, nullptr);
        automatisch->setChecked(false);
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

// A click on a hint link goes from the hint pane through the wizard to the page; it changes exactly
// the field or radio it names and restarts the reach, and a link whose argument is no usable number
// changes nothing.
TEST_F(Page5Test, HintLinksSetTheFrictionOrTheMatKind)
{
    struct Case
    {
        const char* link;
        int nNorm;
        bool bMatte;
        bool bUeber02;    // 1142: a friction above 0.2 allowed
        float fOhne;      // 1129 afterwards (-1: empty)
        float fMit;       // 1240 afterwards
        bool bZertifikat; // 1312 checked afterwards
        int nReach;
    };
    for (const Case& c : {
             Case{"app:friction/0.45", 2, false, true, 0.45f, 0.6f, false, 3},
             Case{"app:friction/0.45", 1, false, true, 0.45f, 0.6f, false, 3},
             Case{"app:friction/0.45", 1, false, false, 0.20f, 0.6f, false, 3},
             Case{"app:friction/0.45", 1, true, true, -1.0f, 0.45f, false, 3},
             Case{"app:friction/0.45", 1, true, false, -1.0f, 0.20f, false, 3},
             Case{"app:friction/1.5", 2, false, true, 0.99f, 0.6f, false, 3},
             Case{"app:matKind/1", 1, true, true, -1.0f, 0.6f, true, 3},
             Case{"app:matKind/0", 1, true, true, -1.0f, 0.6f, false, 3},
             Case{"app:friction/abc", 2, false, true, -1.0f, 0.6f, false, 6},
             Case{"app:friction", 2, false, true, -1.0f, 0.6f, false, 6},
             Case{"app:friction/nan", 2, false, true, -1.0f, 0.6f, false, 6},
             Case{"app:friction/-0.3", 2, false, true, -1.0f, 0.6f, false, 6},
             Case{"app:matKind/2", 1, true, true, -1.0f, 0.6f, false, 6},
             Case{"app:matKind/x", 1, true, true, -1.0f, 0.6f, false, 6},
         }) {
        SCOPED_TRACE(std::string(c.link) + " standard " + std::to_string(c.nNorm) +
                     (c.bMatte ? " with mat" : " without mat") + (c.bUeber02 ? "" : ", 0.2 at most"));
        CPgLgSichgPage5* page = Open(c.nNorm);
        if (c.bMatte)
            Klick(page, CPgLgSichgPage5::kIdMatte);
        if (auto* box = qobject_cast<QAbstractButton*>(ControlId::Find(page, CPgLgSichgPage5::kIdUeber02)))
            box->setChecked(c.bUeber02);
        m_wizard->SetReach(6);
        // The table was shown first; a friction taken from it brings the explanation back.
        auto* erklaerung =
            qobject_cast<QAbstractButton*>(ControlId::Find(page, CPgLgSichgPage5::kIdErklaerung));
        ASSERT_NE(erklaerung, nullptr);
        erklaerung->setChecked(true);
        auto* browser = page->findChild<CQorBrowser*>();
        ASSERT_NE(browser, nullptr);
        browser->OnBeforeNavigate(QString::fromLatin1(c.link));
        QCoreApplication::sendPostedEvents();
        const bool bReibungGesetzt = std::string(c.link).rfind("app:friction/", 0) == 0 && c.nReach == 3;
        EXPECT_EQ(erklaerung->isChecked(), !bReibungGesetzt);
        EXPECT_FLOAT_EQ(Feld(page, CPgLgSichgPage5::kIdOhneMatte)->GetFloatOr(-1.0f), c.fOhne);
        EXPECT_FLOAT_EQ(Feld(page, CPgLgSichgPage5::kIdMitMatte)->GetFloatOr(-1.0f), c.fMit);
        auto* zertifikat =
            qobject_cast<QAbstractButton*>(ControlId::Find(page, CPgLgSichgPage5::kIdMatteZertifikat));
        ASSERT_NE(zertifikat, nullptr);
        EXPECT_EQ(zertifikat->isChecked(), c.bZertifikat);
        EXPECT_EQ(m_wizard->GetReach(), c.nReach);
        delete m_wizard.data();
    }
}

// The hint: the template by language and standard, the explanation box, the link style, and links
// that name the wizard's commands.
TEST_F(Page5Test, HintShowsTheFrictionTableWithLinks)
{
    struct Case
    {
        const char* sprache;
        int nNorm;
        bool bErklaerung;
        bool bMatLinks; // the second template has the mat links
        const char* enthaelt;
        const char* fehlt;
    };
    for (const Case& c : {
             Case{"EN", 1, false, true, "class=\" first\"", "<!--$"},
             Case{"EN", 1, true, true, "class=\"invisible \"", "<!--$"},
             Case{"DE", 0, false, false, "(sliding friction)", "<!--$"},
             Case{"DE", 1, false, true, "app:matKind/1", "(sliding friction)"},
         }) {
        SCOPED_TRACE(std::string(c.sprache) + " standard " + std::to_string(c.nNorm) +
                     (c.bErklaerung ? " table first" : ""));
        m_view.m_run.GetNormen().strSprachCode = QString::fromLatin1(c.sprache);
        CPgLgSichgPage5* page = Open(c.nNorm);
        auto* box = qobject_cast<QAbstractButton*>(ControlId::Find(page, CPgLgSichgPage5::kIdErklaerung));
        ASSERT_NE(box, nullptr);
        box->setChecked(c.bErklaerung);
        QString html;
        EXPECT_EQ(page->BuildHintHtml(0, &html), 0);
        EXPECT_TRUE(html.contains(QLatin1String(c.enthaelt))) << html.toStdString();
        EXPECT_FALSE(html.contains(QLatin1String(c.fehlt))) << html.toStdString();
        EXPECT_TRUE(html.contains(QLatin1String("<a href=\"app:friction/0.45\">0.45</a>")));
        EXPECT_TRUE(html.contains(QLatin1String("a:hover { background-color:#FFDF00; }")));
        EXPECT_EQ(html.contains(QLatin1String("app:matKind/0")), c.bMatLinks);
        const HtmlCommandEntry* table = CPshLgSichgWizard::HintLinkTable();
        for (const char* name : {"friction", "matKind"}) {
            bool bFound = false;
            for (const HtmlCommandEntry* e = table; e->name; ++e)
                bFound = bFound || QLatin1String(e->name) == QLatin1String(name);
            EXPECT_TRUE(bFound) << name;
        }
        delete m_wizard.data();
    }
    m_view.m_run.GetNormen().strSprachCode.clear();
}

// Clicked with the mouse in the hint pane, under the standard the English program starts with and the
// allowance as the first entry sets it, every friction link of the table enters its own value.
TEST_F(Page5Test, EachFrictionLinkClickedEntersItsOwnValue)
{
    CPgLgSichgPage5* page = Open(1);
    auto* erlaubt = qobject_cast<QAbstractButton*>(ControlId::Find(page, CPgLgSichgPage5::kIdUeber02));
    ASSERT_NE(erlaubt, nullptr);
    EXPECT_TRUE(erlaubt->isChecked());
    page->RefreshHint(0);
    auto* browser = page->findChild<CQorBrowser*>();
    ASSERT_NE(browser, nullptr);
    QTextDocument* doc = browser->document();
    QStringList werte;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString href = fragment.charFormat().anchorHref();
            if (!fragment.charFormat().isAnchor() || !href.startsWith(QLatin1String("app:friction/")))
                continue;
            const QString wert = href.mid(13);
            SCOPED_TRACE(wert.toStdString());
            werte << wert;
            QTextCursor cursor(doc);
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            browser->setTextCursor(cursor);
            browser->ensureCursorVisible();
            const QPoint mitte = browser->cursorRect(cursor).center();
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, mitte);
            QCoreApplication::sendPostedEvents();
            EXPECT_FLOAT_EQ(Feld(page, CPgLgSichgPage5::kIdOhneMatte)->GetFloat(), wert.toFloat());
        }
    }
    // The table offers values above 0.2 and others.
    EXPECT_TRUE(werte.contains(QStringLiteral("0.45")));
    EXPECT_TRUE(werte.contains(QStringLiteral("0.20")));
    EXPECT_GE(werte.size(), 6);
}
