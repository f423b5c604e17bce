// The report dialog over a document with its real template and loading-plan views: what is checked and
// enabled for each kind of vehicle and scope, the labels, the shorter dialog without a trailer, and Run,
// which writes the pictures and reports and hands them to the export, the load-plan report first.
#include "reports/CDlgDrucken2.h"

#include "../model/FahrzeugTestSupport.h"
#include "../ui/UiTestModule.h"

#include "model/document/CQOR1Doc.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/SNormParams.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "reports/PlanReport.h"
#include "tests/support/views/StandInViews.h"
#include "ui/CDlgBase.h"
#include "ui/ControlId.h"
#include "ui/IButtonStrip.h"
#include "ui/ScriptedMessageBoxService.h"
#include "views/CQOR1View.h"
#include "views/CQOR2View.h"
#include "views/CTabbedViewView.h"
#include "views/CViewsDocumentHost.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace {

// Gives the vehicle a plan with `anzahl` load units of one pallet each.
void Einheiten(CFahrzeug& f, int anzahl)
{
    if (!f.m_pQor)
        f.m_pQor = new CQOR(&f, 0, "Plan");
    for (int i = 0; i < anzahl; ++i) {
        auto* lg = new tagLGINFO;
        lg->m_strName = "Palette";
        lg->m_nTyp = 0;
        lg->m_dLaenge = 1.2;
        lg->m_dBreite = 0.8;
        lg->m_dHoehe = 1.0;
        lg->m_dSPLaenge = 0.6;
        lg->m_dSPBreite = 0.4;
        lg->m_dSPHoehe = 0.5;
        lg->m_dMasse = lg->m_dSPMasse = 0.5;
        lg->m_dPosX = 1.0 + 2.0 * i;
        lg->m_dPosY = 0.85;
        f.m_pQor->AddLgInfo(std::unique_ptr<tagLGINFO>(lg), false);
        auto* einheit = new CLadeeinheit(i + 1);
        einheit->AddLadung(lg->m_strName.c_str(), lg->m_nNummer, lg);
        f.m_pQor->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(einheit), i);
        SNormParams::GetStandard(0, &einheit->m_Wizard.m_Norm);
        einheit->m_Wizard.m_fReibungOhneMatte = 0.3f;
        einheit->m_Wizard.m_nVorspannkraft = 250;
        einheit->m_Wizard.m_nZurrkraft = 500;
        // Secured in the wizard and calculated: a unit with a securing report.
        einheit->m_bVorhanden = 1;
        einheit->m_nZurrParam[0] = 2;
    }
    f.m_pQor->UpdateSchwerpunkt();
}

CGetAnsView* EchteAnsichten(int nKind, CQOR1Doc* pDoc)
{
    if (nKind == CTabbedViewView::kTemplate)
        return new CQOR1View(pDoc);
    if (nKind == CTabbedViewView::kPlan)
        return new CQOR2View(pDoc);
    return MakeStandInView(nKind, pDoc);
}

class DlgDrucken2Test : public testing::Test
{
protected:
    DlgDrucken2Test() : m_module(UiTestModule()) { m_vorher = SetMessageBoxes(&m_boxes); }
    ~DlgDrucken2Test() override
    {
        m_views.reset();
        if (m_doc)
            m_doc->SetHost(nullptr);
        SetMessageBoxes(m_vorher);
    }

    // The document of a front vehicle (kind, units) and, with artHinten >= 0, a trailer (kind, units),
    // with its tabbed views.
    void Oeffne(int artVorn, int vorn, int artHinten = -1, int hinten = 0)
    {
        using namespace fahrzeugtest;
        m_views.reset();
        m_doc = std::make_unique<CQOR1Doc>();
        auto motor = Erzeuge({artVorn, {{1.2, 4, 8}, {3.6, 3, 9}}, 18.0, artVorn == 4 ? 0.0 : 7.2, 2.5f});
        motor->m_strName = artVorn == FahrzeugArt::kSattelzugmaschine ? "Zugmaschine" : "Motorwagen";
        pVorn = motor.get();
        pAnhaenger = nullptr;
        if (artVorn != FahrzeugArt::kSattelzugmaschine)
            Einheiten(*motor, vorn);
        if (artHinten < 0) {
            Berechne(*motor);
            m_doc->SetFahrzeug(motor.release());
        } else {
            auto anhaenger = Erzeuge({artHinten, {{1.0, 3, 9}, {6.0, 3, 9}}, 18.0, 7.2, 2.5f});
            anhaenger->m_strName = "Anhaenger";
            Einheiten(*anhaenger, hinten);
            if (artVorn == FahrzeugArt::kSattelzugmaschine)
                motor->m_pQor = anhaenger->m_pQor;
            pAnhaenger = anhaenger.get();
            Kopple(*motor, *anhaenger);
            motor.release();
            m_doc->SetFahrzeug(anhaenger.release());
        }
        m_doc->OnDocumentOpened();
        m_views = std::make_unique<CTabbedViewView>(m_doc.get(), &EchteAnsichten);
        m_views->resize(1200, 700);
        m_host.SetViewHost(m_views.get());
        m_doc->SetHost(&m_host);
    }

    std::unique_ptr<CDlgDrucken2> Dialog()
    {
        auto d = std::make_unique<CDlgDrucken2>(m_doc.get(), pVorn, pAnhaenger);
        d->SetBerichtOrdner(m_dir.path().toStdString());
        d->SetExport([this](CQOR1Doc*, const QStringList& html, const QString& ordner, QWidget*) {
            m_exportiert.append(html);
            m_exportOrdner = ordner;
            ++m_nExporte;
            return true;
        });
        d->InitDialog();
        return d;
    }

    // Keeps a picture of the dialog for people to look at.
    static void Bild(CDlgDrucken2& d, const char* name)
    {
        d.KickIdle();
        const QString ordner = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/reports");
        QDir().mkpath(ordner);
        EXPECT_TRUE(d.grab().save(ordner + QLatin1Char('/') + QLatin1String(name)));
    }
    static bool Aktiv(CDlgDrucken2& d, int id)
    {
        d.KickIdle();
        QWidget* w = ControlId::Find(&d, id);
        return w && w->isEnabled();
    }
    static void Klick(CDlgDrucken2& d, int id)
    {
        d.KickIdle();
        auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(&d, id));
        ASSERT_NE(b, nullptr) << id;
        b->click();
    }
    static QString Text(CDlgDrucken2& d, int id)
    {
        QWidget* w = ControlId::Find(&d, id);
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            return b->text();
        auto* l = qobject_cast<QLabel*>(w);
        return l ? l->text() : QString();
    }
    // Runs through the strip's Run button as the user does.
    static void Run(CDlgDrucken2& d)
    {
        d.KickIdle();
        QWidget* run = ControlId::Find(&d, CDlgDrucken2::kIdRun);
        ASSERT_NE(run, nullptr);
        QTest::mouseClick(run, Qt::LeftButton, {}, run->rect().center());
    }

    ScopedDialogTemplateModule m_module;
    ScriptedMessageBoxService m_boxes;
    IMessageBoxService* m_vorher = nullptr;
    QTemporaryDir m_dir;
    std::unique_ptr<CQOR1Doc> m_doc;
    CViewsDocumentHost m_host;
    std::unique_ptr<CTabbedViewView> m_views;
    CFahrzeug* pVorn = nullptr;
    CFahrzeug* pAnhaenger = nullptr;
    QStringList m_exportiert;
    QString m_exportOrdner;
    int m_nExporte = 0;
};

TEST_F(DlgDrucken2Test, ChecksEnablingAndLabelsByVehicleAndScope)
{
    namespace A = FahrzeugArt;
    struct Fall
    {
        const char* was;
        int artVorn, vorn, artHinten, hinten;
        // Initially checked: 1167 (C1), 1171 (units, front), 1170 (A2), 1168 (C2), 1172 (units, trailer).
        bool c1, lgs1, a2, c2, lgs2;
        const char* label1;
        const char* label2;
        // Run enabled with the initial checks in scope 0, 1 and 2.
        bool run[3];
    };
    const Fall faelle[] = {
        {"truck with units",
         A::kZugmaschine,
         2,
         -1,
         0,
         true,
         true,
         false,
         false,
         false,
         "Load securing [2]",
         "",
         {true, true, true}},
        {"truck without units",
         A::kZugmaschine,
         0,
         -1,
         0,
         false,
         false,
         false,
         false,
         false,
         "Load securing [0]",
         "",
         {true, false, true}},
        {"tractor alone",
         A::kSattelzugmaschine,
         0,
         -1,
         0,
         false,
         false,
         false,
         false,
         false,
         "Load securing [n/a]",
         "",
         {true, false, true}},
        {"tractor with semi-trailer",
         A::kSattelzugmaschine,
         0,
         A::kAuflieger,
         1,
         false,
         false,
         true,
         true,
         true,
         "Load securing [n/a]",
         "Load securing [1]",
         {true, true, true}},
        {"truck with trailer",
         A::kZugmaschine,
         2,
         A::kAnhaenger,
         1,
         true,
         true,
         true,
         true,
         true,
         "Load securing [2]",
         "Load securing [1]",
         {true, true, true}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        Oeffne(f.artVorn, f.vorn, f.artHinten, f.hinten);
        auto d = Dialog();
        const bool sattel = f.artVorn == A::kSattelzugmaschine;
        const bool anh = f.artHinten >= 0;
        EXPECT_TRUE(d->IsChecked(CDlgDrucken2::kIdPlan));
        EXPECT_TRUE(d->IsChecked(CDlgDrucken2::kIdA1));
        EXPECT_FALSE(d->IsChecked(CDlgDrucken2::kIdB1));
        EXPECT_EQ(d->IsChecked(CDlgDrucken2::kIdC1), f.c1);
        EXPECT_EQ(d->IsChecked(CDlgDrucken2::kIdLgs1), f.lgs1);
        EXPECT_EQ(d->IsChecked(CDlgDrucken2::kIdA2), f.a2);
        EXPECT_EQ(d->IsChecked(CDlgDrucken2::kIdC2), f.c2);
        EXPECT_EQ(d->IsChecked(CDlgDrucken2::kIdLgs2), f.lgs2);
        EXPECT_EQ(Text(*d, CDlgDrucken2::kIdLgs1).toStdString(), f.label1);
        EXPECT_EQ(Text(*d, CDlgDrucken2::kIdNameVorn).toStdString(), pVorn->m_strName);
        if (anh) {
            EXPECT_EQ(Text(*d, CDlgDrucken2::kIdLgs2).toStdString(), f.label2);
            EXPECT_EQ(Text(*d, CDlgDrucken2::kIdNameAnhaenger).toStdString(), pAnhaenger->m_strName);
        } else {
            EXPECT_EQ(Text(*d, CDlgDrucken2::kIdGruppeVorn), QStringLiteral("Vehicle:"));
        }
        for (int id : {CDlgDrucken2::kIdGruppeAnhaenger, CDlgDrucken2::kIdA2, CDlgDrucken2::kIdB2,
                       CDlgDrucken2::kIdC2, CDlgDrucken2::kIdLgs2, CDlgDrucken2::kIdNameAnhaenger})
            EXPECT_EQ(ControlId::Find(d.get(), id)->isHidden(), !anh) << id;
        // Export mode: the preview box and the information button hidden, "both" offered.
        EXPECT_TRUE(ControlId::Find(d.get(), CDlgDrucken2::kIdVorschau)->isHidden());
        EXPECT_FALSE(ControlId::Find(d.get(), CDlgDrucken2::kIdBeide)->isHidden());

        const int scopes[] = {CDlgDrucken2::kIdPlan, CDlgDrucken2::kIdSicherung, CDlgDrucken2::kIdBeide};
        for (int umfang = 0; umfang < 3; ++umfang) {
            SCOPED_TRACE(umfang);
            Klick(*d, scopes[umfang]);
            ASSERT_EQ(d->GetUmfang(), umfang);
            const bool plan = umfang != 1, sicherung = umfang != 0;
            EXPECT_EQ(Aktiv(*d, CDlgDrucken2::kIdA1), plan);
            EXPECT_EQ(Aktiv(*d, CDlgDrucken2::kIdB1), plan && !sattel);
            EXPECT_EQ(Aktiv(*d, CDlgDrucken2::kIdC1), plan && !sattel);
            EXPECT_EQ(Aktiv(*d, CDlgDrucken2::kIdLgs1), sicherung && f.vorn > 0 && !sattel);
            EXPECT_EQ(Aktiv(*d, CDlgDrucken2::kIdA2), plan && anh);
            EXPECT_EQ(Aktiv(*d, CDlgDrucken2::kIdC2), plan && anh);
            EXPECT_EQ(Aktiv(*d, CDlgDrucken2::kIdLgs2), sicherung && f.hinten > 0);
            EXPECT_EQ(Aktiv(*d, CDlgDrucken2::kIdRun), f.run[umfang]);
            EXPECT_EQ(d->WillPlanBericht(), plan);
        }
        // The load-plan report needs one of its boxes: none set keeps Run off in the first scope.
        Klick(*d, CDlgDrucken2::kIdPlan);
        for (int id : {CDlgDrucken2::kIdA1, CDlgDrucken2::kIdB1, CDlgDrucken2::kIdC1, CDlgDrucken2::kIdA2,
                       CDlgDrucken2::kIdB2, CDlgDrucken2::kIdC2})
            if (auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(d.get(), id)))
                b->setChecked(false);
        EXPECT_FALSE(Aktiv(*d, CDlgDrucken2::kIdRun));
    }
}

TEST_F(DlgDrucken2Test, WithoutATrailerTheLowerPartMovesUp)
{
    Oeffne(FahrzeugArt::kZugmaschine, 1, FahrzeugArt::kAnhaenger, 1);
    auto mit = Dialog();
    Bild(*mit, "report_dialog_trailer.png");
    const int hoehe = mit->height();
    int y[2] = {};
    const int ids[2] = {CDlgDrucken2::kIdRun, CDlgDrucken2::kIdVorschau};
    for (int i = 0; i < 2; ++i)
        y[i] = ControlId::Find(mit.get(), ids[i])->mapTo(mit.get(), QPoint()).y();
    mit.reset();
    Oeffne(FahrzeugArt::kZugmaschine, 1);
    auto ohne = Dialog();
    Bild(*ohne, "report_dialog_single.png");
    EXPECT_EQ(hoehe - ohne->height(), CDlgDrucken2::kOhneAnhaengerVersatz);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(y[i] - ControlId::Find(ohne.get(), ids[i])->mapTo(ohne.get(), QPoint()).y(),
                  CDlgDrucken2::kOhneAnhaengerVersatz)
            << ids[i];
}

// A combination's long name stays inside its field, shortened in the middle, and is shown whole in the
// field's tooltip; a short name stands as it is, without a tooltip.
TEST_F(DlgDrucken2Test, ALongVehicleNameIsShortenedInsideItsFieldAndWholeInItsTooltip)
{
    Oeffne(FahrzeugArt::kSattelzugmaschine, 0, FahrzeugArt::kAuflieger, 1);
    pVorn->m_strName = "Combination_Semi-trailer tractor_Semi-trailer 13.6 m with a tail lift and a crane";
    auto d = Dialog();
    auto* lang = qobject_cast<QLabel*>(ControlId::Find(d.get(), CDlgDrucken2::kIdNameVorn));
    auto* kurz = qobject_cast<QLabel*>(ControlId::Find(d.get(), CDlgDrucken2::kIdNameAnhaenger));
    ASSERT_TRUE(lang && kurz);
    EXPECT_LE(lang->fontMetrics().horizontalAdvance(lang->text()), lang->contentsRect().width());
    EXPECT_TRUE(lang->text().startsWith(QStringLiteral("Combination_"))) << lang->text().toStdString();
    EXPECT_TRUE(lang->text().endsWith(QStringLiteral("crane"))) << lang->text().toStdString();
    EXPECT_EQ(lang->toolTip().toStdString(), pVorn->m_strName);
    EXPECT_EQ(kurz->text().toStdString(), pAnhaenger->m_strName);
    EXPECT_TRUE(kurz->toolTip().isEmpty());
}

TEST_F(DlgDrucken2Test, RunWritesPicturesAndReportsAndExportsThePlanReportFirst)
{
    Oeffne(FahrzeugArt::kZugmaschine, 2, FahrzeugArt::kAnhaenger, 1);
    auto* vorlage = m_views->FindView<CQOR1View>();
    auto* plan = m_views->FindView<CQOR2View>();
    ASSERT_TRUE(vorlage && plan);
    const double zoom1 = vorlage->GetZoom();
    const double zoom2 = plan->GetMassstab().dZoom;
    const int aktiv = m_doc->GetAktivIndex();
    auto d = Dialog();
    Klick(*d, CDlgDrucken2::kIdBeide);
    Klick(*d, CDlgDrucken2::kIdB1); // the loading plan of the front vehicle too
    Run(*d);
    EXPECT_EQ(d->result(), CDlgDrucken2::kIdRun);
    ASSERT_EQ(m_nExporte, 1);
    const fs::path ordner = m_dir.path().toStdString();
    ASSERT_EQ(m_exportiert.size(), 2);
    EXPECT_EQ(m_exportiert[0].toStdString(), (ordner / "Vehicle data 'Motorwagen'.html").string());
    EXPECT_EQ(m_exportiert[1].toStdString(), (ordner / "Load securing 'Motorwagen'.html").string());
    EXPECT_EQ(m_exportOrdner.toStdString(), ordner.string());
    // The loading plan is the plan from above ("BP"), the load distribution the payload chart ("Rld"): the
    // trailer's loading plan is not chosen, its load distribution is.
    for (const char* bild :
         {"Fahrzeug_SUP.bmp", "Rld_SUP.bmp", "BP_SUP.bmp", "Fahrzeug_INF.bmp", "Rld_INF.bmp"})
        EXPECT_TRUE(fs::exists(ordner / bild)) << bild;
    EXPECT_FALSE(fs::exists(ordner / "BP_INF.bmp"));
    // The views are as they were.
    EXPECT_EQ(vorlage->GetZoom(), zoom1);
    EXPECT_EQ(plan->GetMassstab().dZoom, zoom2);
    EXPECT_EQ(m_doc->GetAktivIndex(), aktiv);
    EXPECT_TRUE(m_boxes.Records().isEmpty());
}

TEST_F(DlgDrucken2Test, ReportsThatCannotBeWrittenAreNamedAndNothingIsExported)
{
    Oeffne(FahrzeugArt::kZugmaschine, 1);
    struct Fall
    {
        const char* was;
        int umfang;
        bool ohneAnsichten;
        int nExporte;
    };
    const Fall faelle[] = {
        {"both reports fail: a message, no export", CDlgDrucken2::kIdBeide, false, 0},
        {"the load-plan report fails without views", CDlgDrucken2::kIdPlan, true, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        m_boxes.Clear();
        m_nExporte = 0;
        if (f.ohneAnsichten)
            m_doc->SetHost(nullptr);
        auto d = std::make_unique<CDlgDrucken2>(m_doc.get(), pVorn, pAnhaenger);
        // A file where the folder should be: nothing can be written into it.
        const fs::path blockiert = fs::path(m_dir.path().toStdString()) / "blocked";
        {
            std::ofstream(blockiert) << "x";
        }
        d->SetBerichtOrdner(f.ohneAnsichten ? fs::path(m_dir.path().toStdString()) : blockiert);
        d->SetExport([this](CQOR1Doc*, const QStringList&, const QString&, QWidget*) {
            ++m_nExporte;
            return true;
        });
        d->InitDialog();
        Klick(*d, f.umfang);
        Run(*d);
        EXPECT_EQ(m_nExporte, f.nExporte);
        ASSERT_EQ(m_boxes.Records().size(), 1);
        EXPECT_TRUE(m_boxes.Records()[0].text.contains(QStringLiteral("Vehicle data 'Motorwagen'")));
        EXPECT_TRUE(m_boxes.Records()[0].text.contains(QStringLiteral("nothing to export")));
    }
}

TEST_F(DlgDrucken2Test, ReportNamesAreSafeFileNames)
{
    const struct
    {
        const char* fahrzeug;
        const char* name;
    } faelle[] = {
        {"MAN TGX", "Vehicle data 'MAN TGX'"},
        {"A/B\\C", "Vehicle data 'A_B_C'"},
        {"50%s $S", "Vehicle data '50%s $S'"},
        {"Zeile\nzwei", "Vehicle data 'Zeile_zwei'"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(CDlgDrucken2::BerichtName(213, f.fahrzeug), f.name);
    ScopedTextProvider leer(nullptr);
    // Without a module the text is empty; the name stays in its quotes.
    EXPECT_EQ(CDlgDrucken2::BerichtName(213, "."), " '.'");
}

} // namespace
