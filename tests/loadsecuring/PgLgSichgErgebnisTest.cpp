// The lashing-devices page and the result page of the load-securing wizard over a truck with one
// pallet unit: the device list and entry, the checks before the result, the result against the
// calculation, and the working settings going back into the unit.
#include "FakeLgSicherungView.h"
#include "SicherungsTestSupport.h"
#include "ViewTestSupport.h"

#include "loadsecuring/CPgLgSichgPage6.h"
#include "loadsecuring/CPgLgSichgPage8.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/CQORLgSicherungView.h"
#include "loadsecuring/LgSichgPageEvent.h"
#include "loadsecuring/ZurrmittelListe.h"
#include "model/base/LockedFile.h"
#include "model/base/ProgramFolders.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/files/VehicleFiles.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/CLgspReport.h"
#include "model/securing/SNormParams.h"
#include "model/text/HtmlText.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrmittel.h"
#include "ui/CEditLast.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QImage>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class ErgebnisTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_a = fahrzeugtest::BaueSicherungsaufbau();
        ASSERT_TRUE(m_a.bNormGeladen);
        auto* gurt = new CZurrmittel;
        gurt->m_strName = "Ratchet";
        gurt->m_dVorspannkraft = 400;
        gurt->m_dZurrkraft = 2000;
        gurt->m_nAnzahl = 8;
        m_a.pFahrzeug->m_ZurrmittelBenutzt.emplace_back(gurt);
        m_view = std::make_unique<FakeLgSicherungView>(m_a.pDoc.get());
    }
    void TearDown() override { delete m_wizard.data(); }

    CPshLgSichgWizard* Open(int nMode)
    {
        auto* wizard = new CPshLgSichgWizard(403, m_view.get(), 0);
        m_wizard = wizard;
        wizard->SetView(m_view.get());
        wizard->SetStartMode(nMode);
        EXPECT_TRUE(wizard->Create());
        wizard->show();
        return wizard;
    }
    CPgLgSichgPage6* Page6() const { return static_cast<CPgLgSichgPage6*>(m_wizard->GetPage(7)); }
    CPgLgSichgPage8* Page8() const { return static_cast<CPgLgSichgPage8*>(m_wizard->GetPage(8)); }

    static QString Artifact(const QString& name)
    {
        const QString dir = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/loadsecuring");
        QDir().mkpath(dir);
        return dir + QLatin1Char('/') + name;
    }

    EnglishModule m_module;
    ScriptedMessageBoxService m_boxes;
    fahrzeugtest::Sicherungsaufbau m_a;
    std::unique_ptr<FakeLgSicherungView> m_view;
    QPointer<CPshLgSichgWizard> m_wizard;
};

} // namespace

TEST_F(ErgebnisTest, DevicePageListsTheVehicleDevicesAndTakesTheChosenOne)
{
    CPshLgSichgWizard* wizard = Open(2);
    ASSERT_TRUE(wizard->GoToPage(7));
    CPgLgSichgPage6* page = Page6();
    QTreeWidget* l = page->Liste();
    ASSERT_NE(l, nullptr);
    const int nZeilen = static_cast<int>(m_a.pFahrzeug->m_ZurrmittelKatalog.size() +
                                         m_a.pFahrzeug->m_ZurrmittelBenutzt.size());
    ASSERT_EQ(l->topLevelItemCount(), nZeilen);
    QTreeWidgetItem* ratsche = nullptr;
    for (int r = 0; r < nZeilen; ++r)
        if (l->topLevelItem(r)->text(1) == QStringLiteral("Ratchet"))
            ratsche = l->topLevelItem(r);
    ASSERT_NE(ratsche, nullptr);
    // The entry shows the working settings.
    EXPECT_EQ(page->Edit(CPgLgSichgPage6::kZurrkraftId)->GetIntOr(-1), 500);
    EXPECT_EQ(page->Edit(CPgLgSichgPage6::kVorspannId)->GetIntOr(-1), 250);
    wizard->grab().save(Artifact(QStringLiteral("page6.png")));

    // The columns hold the device's tension force STF and then its lashing capacity LC, under those
    // headers.
    EXPECT_EQ(l->headerItem()->text(2), QStringLiteral("STF\n[daN]"));
    EXPECT_EQ(l->headerItem()->text(3), QStringLiteral("LC\n[daN]"));
    EXPECT_EQ(ratsche->text(2), QStringLiteral("400"));
    EXPECT_EQ(ratsche->text(3), QStringLiteral("2000"));

    // Choosing the row takes the device into the working settings, not into the unit.
    l->setCurrentItem(ratsche);
    EXPECT_EQ(wizard->GetParams().m_nZurrkraft, 2000);
    EXPECT_EQ(wizard->GetParams().m_nVorspannkraft, 400);
    EXPECT_EQ(wizard->GetParams().m_strText, "Ratchet");
    EXPECT_EQ(page->Edit(CPgLgSichgPage6::kZurrkraftId)->GetIntOr(-1), 2000);
    EXPECT_EQ(page->Edit(CPgLgSichgPage6::kVorspannId)->GetIntOr(-1), 400);
    EXPECT_EQ(m_a.pEinheit->m_Wizard.m_nZurrkraft, 500);
    // Entering the page again finds the same row for the entry.
    l->setCurrentItem(nullptr);
    page->OnSetActive();
    EXPECT_EQ(l->currentItem() ? l->currentItem()->text(1) : QString(), QStringLiteral("Ratchet"));

    // A committed value above its maximum becomes the maximum; the row no longer matches.
    CEditLast* e = page->Edit(CPgLgSichgPage6::kVorspannId);
    e->setText(QStringLiteral("12000"));
    e->CommitText(true);
    EXPECT_EQ(wizard->GetParams().m_nVorspannkraft, 9999);
    EXPECT_EQ(l->currentItem(), nullptr);

    // The device editor added a device: notification 51 rebuilds the list.
    CZurrmittel kette;
    kette.m_nTyp = 1;
    kette.m_strName = "Chain";
    kette.m_dVorspannkraft = 500;
    kette.m_dZurrkraft = 4000;
    m_a.pFahrzeug->AddZurrmittel(kette, true);
    EXPECT_TRUE(wizard->OnViewNotify(LgSichgMeldung::kZurrmittelGeaendert, {}));
    EXPECT_EQ(l->topLevelItemCount(), nZeilen + 1);
    // Sorting by the count column twice is ascending again.
    page->KopfKlick(4);
    page->KopfKlick(4);
    page->KopfKlick(4);
    EXPECT_TRUE(page->SortAufsteigend());
    EXPECT_EQ(l->topLevelItem(nZeilen)->text(4), QStringLiteral("~"));
}

TEST_F(ErgebnisTest, DevicePageTakesADeviceOnlyWhenTheUserChoosesOne)
{
    CPshLgSichgWizard* wizard = Open(2);
    ASSERT_TRUE(wizard->GoToPage(7));
    QTreeWidget* l = Page6()->Liste();
    ASSERT_NE(l, nullptr);
    ASSERT_EQ(l->currentItem(), nullptr); // the unit's 500/250 matches no device
    const CWizardParams vorher = wizard->GetParams();

    // The list gets the focus (a click into the page, Tab): Qt makes its first row current.
    QApplication::setActiveWindow(wizard);
    l->setFocus(Qt::TabFocusReason);
    QFocusEvent fokus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(l, &fokus);
    ASSERT_NE(l->currentItem(), nullptr);
    EXPECT_EQ(wizard->GetParams().m_nZurrkraft, vorher.m_nZurrkraft);
    EXPECT_EQ(wizard->GetParams().m_nVorspannkraft, vorher.m_nVorspannkraft);
    EXPECT_EQ(wizard->GetParams().m_strText, vorher.m_strText);

    // A click on a row takes that row's device.
    QTreeWidgetItem* ratsche = nullptr;
    for (int r = 0; r < l->topLevelItemCount(); ++r)
        if (l->topLevelItem(r)->text(1) == QStringLiteral("Ratchet"))
            ratsche = l->topLevelItem(r);
    ASSERT_NE(ratsche, nullptr);
    l->scrollToItem(ratsche);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(ratsche).center());
    EXPECT_EQ(wizard->GetParams().m_nZurrkraft, 2000);
    EXPECT_EQ(wizard->GetParams().m_nVorspannkraft, 400);
    EXPECT_EQ(wizard->GetParams().m_strText, "Ratchet");
}

TEST_F(ErgebnisTest, DevicePageChecksTheValuesBeforeTheResult)
{
    // The lashing capacity (1130) is the first field, the tension force (1243) the second, and box
    // 1097 lets the detailed method go on without a lashing capacity.
    struct Fall
    {
        const char* name;
        int nVerfahren;
        int nZurrkraft;
        int nVorspann;
        bool bOhne;
        int nAntwort;   // answer to the question, 0: none scripted
        int nErwartet;  // Validate's answer
        quint32 nFrage; // question or message text (0: none)
        int nFokus;     // field with the focus after a refusal
        bool bOhneDanach;
    };
    const Fall faelle[] = {
        {"detailed, LC missing, 668", 1, 0, 250, false, 668, -2, 560, CPgLgSichgPage6::kZurrkraftId, false},
        {"detailed, LC missing, 798", 1, 0, 250, false, 798, 8, 560, 0, true},
        {"detailed, LC missing, box set", 1, 0, 250, true, 0, 8, 0, 0, true},
        {"detailed, LC there", 1, 500, 0, false, 0, 8, 0, 0, false},
        {"simple, LC missing", 0, 0, 250, false, 0, -2, 456, CPgLgSichgPage6::kZurrkraftId, false},
        {"simple, STF missing", 0, 500, 0, false, 0, -2, 458, CPgLgSichgPage6::kVorspannId, false},
        {"simple, both there", 0, 500, 250, false, 0, 8, 0, 0, false},
    };
    CPshLgSichgWizard* wizard = Open(2);
    ASSERT_TRUE(wizard->GoToPage(7));
    CPgLgSichgPage6* page = Page6();
    auto* ohne = page->findChild<QAbstractButton*>(ControlId::ObjectName(CPgLgSichgPage6::kOhneZurrkraftId));
    ASSERT_NE(ohne, nullptr);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        m_boxes.Clear();
        CWizardParams& wp = wizard->GetParams();
        wp.m_nVerfahren = f.nVerfahren;
        wp.m_nZurrkraft = f.nZurrkraft;
        wp.m_nVorspannkraft = f.nVorspann;
        ohne->setChecked(f.bOhne);
        if (f.nAntwort)
            m_boxes.AddAnswer(f.nAntwort);
        EXPECT_EQ(page->Validate(8), f.nErwartet);
        // Going back is never checked.
        EXPECT_EQ(page->Validate(6), 6);
        if (f.nFrage == 0) {
            EXPECT_TRUE(m_boxes.Records().isEmpty());
        } else {
            ASSERT_EQ(m_boxes.Records().size(), 1);
            const auto& r = m_boxes.Records()[0];
            if (f.nFrage == 560)
                EXPECT_EQ(r.html.textId, 560);
            else
                EXPECT_TRUE(r.html.text.contains(QString::fromStdString(LoadResString(f.nFrage))));
        }
        if (f.nFokus) {
            EXPECT_EQ(page->focusWidget(), page->Edit(f.nFokus));
        }
        EXPECT_EQ(ohne->isChecked(), f.bOhneDanach);
    }
}

TEST_F(ErgebnisTest, ResultPageShowsTheCalculationOfTheWorkingSettings)
{
    struct Fall
    {
        int nVerfahren;
        int nNorm;
    };
    CPshLgSichgWizard* wizard = Open(3);
    ASSERT_EQ(wizard->ActiveIndex(), 8);
    const CWizardParams vorher = m_a.pEinheit->m_Wizard;
    for (const Fall& f : {Fall{0, 0}, Fall{1, 0}, Fall{0, 1}, Fall{1, 1}, Fall{0, 2}, Fall{1, 2}}) {
        SCOPED_TRACE(testing::Message() << "method " << f.nVerfahren << " set " << f.nNorm);
        CWizardParams& wp = wizard->GetParams();
        wp.m_nVerfahren = f.nVerfahren;
        wp.m_nNorm = f.nNorm;
        ASSERT_TRUE(SNormParams::GetStandard(f.nNorm, &wp.m_Norm));
        Page8()->RefreshHint(0);
        const QString shown = Page8()->HintHtml();
        // The same calculation on a copy of the working settings.
        CWizardParams kopie = wp;
        CLgspReport report(m_a.pDoc.get());
        report.SetFahrzeug(m_a.pFahrzeug);
        report.SetLadeeinheit(m_a.pEinheit);
        report.SetWizardParams(&kopie);
        std::string html;
        ASSERT_TRUE(report.WriteHtml("lgsp", false, 1, 400, true, &html));
        EXPECT_FALSE(shown.isEmpty());
        EXPECT_EQ(shown.toStdString(), html);
        // The unit keeps its own settings.
        EXPECT_EQ(m_a.pEinheit->m_Wizard.m_nVerfahren, vorher.m_nVerfahren);
        EXPECT_EQ(m_a.pEinheit->m_Wizard.m_nNorm, vorher.m_nNorm);
    }
    wizard->grab().save(Artifact(QStringLiteral("page8.png")));
}

TEST_F(ErgebnisTest, Message0x8044ShowsTheReportUnderItsTitle)
{
    CPshLgSichgWizard* wizard = Open(3);
    ASSERT_EQ(wizard->ActiveIndex(), CPshLgSichgWizard::kResultPage);
    // A unit named by a load whose name holds markup: the title shows it as text.
    ASSERT_FALSE(m_a.pEinheit->m_mapLg.empty());
    tagLGINFO* pLadung = m_a.pEinheit->m_mapLg.begin()->second;
    ASSERT_NE(pLadung, nullptr);
    pLadung->m_strName = "Crate <A&B>";
    m_boxes.Clear();
    LgSichgPageEvent zeige(LgSichgPageEvent::kShowReportType);
    QCoreApplication::sendEvent(Page8(), &zeige);
    ASSERT_EQ(m_boxes.Records().size(), 1);
    const auto& box = m_boxes.Records().front();
    ASSERT_TRUE(box.isHtml);
    EXPECT_EQ(box.html.captionId, 273);
    ASSERT_EQ(box.html.buttons.size(), 1);
    EXPECT_EQ(box.html.buttons.front().first, 668);
    Page8()->RefreshHint(0);
    const std::string titel = Page8()->BerichtTitel();
    EXPECT_NE(titel.find("Crate <A&B>"), std::string::npos) << titel;
    EXPECT_TRUE(box.html.text.startsWith(QStringLiteral("<h1>Load securing ")))
        << box.html.text.toStdString();
    EXPECT_NE(box.html.text.indexOf(QStringLiteral("Crate &lt;A&amp;B&gt;")), -1);
    const QString erwartet = QStringLiteral("<h1>") + QString::fromStdString(EscapeHtml(titel)) +
                             QStringLiteral("</h1>") + Page8()->HintHtml();
    EXPECT_EQ(box.html.text, erwartet);
}

TEST_F(ErgebnisTest, ClosingAfterTheResultKeepsTheWorkingSettingsInTheUnit)
{
    struct Fall
    {
        const char* name;
        bool bErgebnis;
        bool bUebernommen;
    };
    for (const Fall& f : {Fall{"result shown", true, true}, Fall{"closed before the result", false, false}}) {
        SCOPED_TRACE(f.name);
        SetUp();
        CPshLgSichgWizard* wizard = Open(0);
        wizard->GetParams().m_nZurrkraft = 1234;
        if (f.bErgebnis)
            wizard->SetErgebnisGezeigt();
        EXPECT_TRUE(wizard->CloseWizard(705));
        EXPECT_EQ(m_a.pEinheit->m_Wizard.m_nZurrkraft, f.bUebernommen ? 1234 : 500);
        EXPECT_EQ(m_view->Count("MarkModified"), f.bUebernommen ? 1 : 0);
        delete m_wizard.data();
    }
}

TEST_F(ErgebnisTest, SettingsOfTheResultAreInTheVehicleFileAfterClosing)
{
    // Through the pages to the result, a setting changed on the way, then Close: the saved vehicle file
    // holds the unit with the settings worked out.
    CPshLgSichgWizard* wizard = Open(2);
    wizard->GetParams().m_nZurrkraft = 1234;
    wizard->GetParams().m_nVerfahren = 1;
    ASSERT_TRUE(wizard->GoToPage(7));
    ASSERT_TRUE(wizard->GoToPage(CPshLgSichgWizard::kResultPage));
    EXPECT_FALSE(Page8()->HintHtml().isEmpty());
    EXPECT_EQ(m_a.pEinheit->m_Wizard.m_nZurrkraft, 500) << "the unit changes only on closing";
    EXPECT_TRUE(wizard->CloseWizard(705));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    int nIndex = -1;
    std::unique_ptr<LockedFile> datei;
    ASSERT_TRUE(WriteFahrzeugToFile(m_a.pFahrzeug, dir.path().toStdString(), &nIndex, "truck.qor", &datei, 0,
                                    "truck"));
    const std::filesystem::path pfad = datei->GetPath();
    datei.reset();
    std::unique_ptr<CFahrzeug> gelesen = LoadFahrzeugFromFile(pfad, 0, nullptr, nullptr, false, nullptr);
    ASSERT_NE(gelesen, nullptr);
    ASSERT_NE(gelesen->GetQor(), nullptr);
    ASSERT_EQ(gelesen->GetQor()->GetLadeeinheiten().size(), 1u);
    const CWizardParams& wp = gelesen->GetQor()->GetLadeeinheiten().front()->m_Wizard;
    EXPECT_EQ(wp.m_nZurrkraft, 1234);
    EXPECT_EQ(wp.m_nVerfahren, 1);
}

TEST_F(ErgebnisTest, DiscardingKeepsNothing)
{
    CPshLgSichgWizard* wizard = Open(2);
    ASSERT_TRUE(wizard->GoToPage(8));
    EXPECT_TRUE(wizard->IsErgebnisGezeigt());
    wizard->GetParams().m_nZurrkraft = 1234;
    m_boxes.AddAnswer(668); // discard
    m_boxes.AddAnswer(668); // the save message
    CommandEvent close(705);
    QCoreApplication::sendEvent(wizard, &close);
    EXPECT_EQ(m_a.pEinheit->m_Wizard.m_nZurrkraft, 500);
}

TEST_F(ErgebnisTest, ResultPageOverTheRealViewEmbedsTheSketch)
{
    QTemporaryDir bilder;
    ASSERT_TRUE(bilder.isValid());
    const ProgramFolders vorher = GetProgramFolders();
    SetProgramFolders({vorher.program, bilder.path().toStdString()});
    {
        CQORLgSicherungView view(m_a.pDoc.get());
        view.resize(1200, 600);
        auto* wizard = new CPshLgSichgWizard(403, &view, 0);
        m_wizard = wizard;
        wizard->SetView(&view);
        wizard->SetStartMode(2);
        ASSERT_TRUE(wizard->Create());
        wizard->show();
        ASSERT_TRUE(wizard->GoToPage(CPshLgSichgWizard::kResultPage));
        const QString html = Page8()->HintHtml();
        const QString bmp = bilder.filePath(QStringLiteral("lgsp.bmp"));
        EXPECT_TRUE(QFile::exists(bmp));
        EXPECT_TRUE(html.contains(QStringLiteral("lgsp.bmp"))) << html.toStdString();
        EXPECT_EQ(QImage(bmp).size(), view.LetzteSnapshotGroesse());
        wizard->grab().save(Artifact(QStringLiteral("page8_sketch.png")));
        QImage(bmp).save(Artifact(QStringLiteral("page8_sketch_picture.png")));
        delete wizard;
    }
    SetProgramFolders(vorher);
}

TEST_F(ErgebnisTest, ReportCommandOnTheResultPageWritesTheReportAndHandsItToThePdfExport)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Fall
    {
        const char* name;
        bool bBlockiert;
    };
    for (const Fall& f : {Fall{"written and exported", false}, Fall{"folder blocked by a file", true}}) {
        SCOPED_TRACE(f.name);
        m_boxes.Clear();
        CPshLgSichgWizard* wizard = Open(3);
        ASSERT_EQ(wizard->ActiveIndex(), CPshLgSichgWizard::kResultPage);
        const QString ordner =
            dir.filePath(f.bBlockiert ? QStringLiteral("blocked") : QStringLiteral("Print"));
        if (f.bBlockiert) {
            QFile datei(ordner);
            ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        }
        Page8()->SetBerichtOrdner(ordner.toStdString());
        QStringList exportiert;
        Page8()->SetExport(
            [&](CQOR1Doc* pDoc, const QStringList& html, const QString& berichtOrdner, QWidget*) {
                EXPECT_EQ(pDoc, m_a.pDoc.get());
                EXPECT_EQ(berichtOrdner, ordner);
                exportiert = html;
                return true;
            });
        CommandEvent bericht(CPshLgSichgWizard::kIdReport);
        QCoreApplication::sendEvent(wizard, &bericht);
        EXPECT_EQ(wizard->ActiveIndex(), CPshLgSichgWizard::kResultPage);
        const std::string name = Page8()->BerichtName();
        EXPECT_EQ(name.rfind("Load securing '", 0), 0u) << name;
        EXPECT_NE(name.find("' Load unit [" + std::to_string(m_a.pEinheit->GetId()) + "]"), std::string::npos)
            << name;
        if (f.bBlockiert) {
            EXPECT_TRUE(exportiert.isEmpty());
            ASSERT_EQ(m_boxes.Records().size(), 1);
            EXPECT_TRUE(m_boxes.Records()[0].text.contains(QString::fromStdString(name)));
        } else {
            ASSERT_EQ(exportiert.size(), 1);
            EXPECT_EQ(exportiert[0],
                      ordner + QLatin1Char('/') + QString::fromStdString(name) + QStringLiteral(".html"));
            QFile datei(exportiert[0]);
            ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
            const QByteArray html = datei.readAll();
            // The whole page of the working settings' result.
            EXPECT_TRUE(html.contains("<html") || html.contains("<HTML")) << html.left(200).toStdString();
            EXPECT_TRUE(m_boxes.Records().isEmpty());
        }
        delete m_wizard.data();
    }
}
