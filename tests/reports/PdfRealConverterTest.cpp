// The sample truck's load-plan and load-securing reports made by the report dialog and turned into PDFs by
// the real converter: the pages are kept as PNGs for people to look at, and their text shows the vehicle's
// name and the plan's load mass. Skipped when the converter or the PDF tools are not installed.
#include "reports/CDlgDrucken2.h"

#include "../ui/UiTestModule.h"
#include "../views/SampleVehicles.h"

#include "loadsecuring/CQORLgSicherungView.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/SNormParams.h"
#include "model/vehicle/CFahrzeug.h"
#include "reports/PdfExport.h"
#include "tests/support/views/StandInViews.h"
#include "ui/ControlId.h"
#include "ui/ScriptedMessageBoxService.h"
#include "views/CQOR1View.h"
#include "views/CQOR2View.h"
#include "views/CTabbedViewView.h"
#include "views/CViewsDocumentHost.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

const QString kArtefakte = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/reports/pdf");

CGetAnsView* EchteAnsichten(int nKind, CQOR1Doc* pDoc)
{
    switch (nKind) {
    case CTabbedViewView::kTemplate:
        return new CQOR1View(pDoc);
    case CTabbedViewView::kPlan:
        return new CQOR2View(pDoc);
    case CTabbedViewView::kLgSicherung:
        return new CQORLgSicherungView(pDoc);
    default:
        return MakeStandInView(nKind, pDoc);
    }
}

// Two pallets, each a load unit with securing settings, when the sample's plan holds none.
void Ladung(CFahrzeug& f)
{
    if (!f.m_pQor)
        f.m_pQor = new CQOR(&f, 0, "Plan");
    if (!f.m_pQor->GetLadeeinheiten().empty())
        return;
    for (int i = 0; i < 2; ++i) {
        auto* lg = new tagLGINFO;
        lg->m_strName = "Europalette";
        lg->m_nTyp = 0;
        lg->m_dLaenge = 1.2;
        lg->m_dBreite = 0.8;
        lg->m_dHoehe = 1.2;
        lg->m_dSPLaenge = 0.6;
        lg->m_dSPBreite = 0.4;
        lg->m_dSPHoehe = 0.6;
        lg->m_dMasse = lg->m_dSPMasse = 0.65;
        lg->m_dPosX = 0.2 + 1.4 * i;
        lg->m_dPosY = 0.1;
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

QString Programm(const char* name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

QString Ausgabe(const QString& programm, const QStringList& argumente)
{
    QProcess p;
    p.start(programm, argumente);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

class PdfRealConverterTest : public testing::Test
{
protected:
    PdfRealConverterTest() : m_module(UiTestModule()) { m_vorher = SetMessageBoxes(&m_boxes); }
    ~PdfRealConverterTest() override
    {
        m_views.reset();
        if (m_doc)
            m_doc->SetHost(nullptr);
        PdfExport::SetExportDialog({});
        SetMessageBoxes(m_vorher);
    }

    ScopedDialogTemplateModule m_module;
    ScriptedMessageBoxService m_boxes;
    IMessageBoxService* m_vorher = nullptr;
    std::unique_ptr<CQOR1Doc> m_doc;
    CViewsDocumentHost m_host;
    std::unique_ptr<CTabbedViewView> m_views;
};

TEST_F(PdfRealConverterTest, SampleTruckReportsBecomeReadablePdfPages)
{
    const QString pdftoppm = Programm("pdftoppm");
    const QString pdftotext = Programm("pdftotext");
    if (Programm("wkhtmltopdf").isEmpty() || pdftoppm.isEmpty() || pdftotext.isEmpty())
        GTEST_SKIP() << "wkhtmltopdf or poppler-utils is not installed";

    auto lkw = LoadSampleVehicle("LKW");
    ASSERT_TRUE(lkw);
    Ladung(*lkw);
    CFahrzeug* pVorn = lkw.get();
    m_doc = std::make_unique<CQOR1Doc>();
    m_doc->SetFahrzeug(lkw.release());
    m_doc->OnDocumentOpened();
    m_views = std::make_unique<CTabbedViewView>(m_doc.get(), &EchteAnsichten);
    m_views->resize(1200, 700);
    m_host.SetViewHost(m_views.get());
    m_doc->SetHost(&m_host);
    auto* sicherung = m_views->FindView<CQORLgSicherungView>();
    ASSERT_NE(sicherung, nullptr);

    QDir().mkpath(kArtefakte);
    for (const QString& alt : QDir(kArtefakte).entryList({QStringLiteral("*")}, QDir::Files))
        QFile::remove(kArtefakte + QLatin1Char('/') + alt);
    QStringList pdfs;
    QString tempOrdner;
    // The export dialog's place: keep the PDFs before their private folder goes.
    PdfExport::SetExportDialog([&](QWidget*, const QStringList& gute) {
        for (const QString& pdf : gute) {
            tempOrdner = QFileInfo(pdf).absolutePath();
            const QString kopie = kArtefakte + QLatin1Char('/') + QFileInfo(pdf).fileName();
            EXPECT_TRUE(QFile::copy(pdf, kopie)) << pdf.toStdString();
            pdfs.append(kopie);
        }
        return PdfExport::kExportiert;
    });

    QTemporaryDir berichte;
    CDlgDrucken2 dialog(m_doc.get(), pVorn, nullptr);
    dialog.SetBerichtOrdner(berichte.path().toStdString());
    dialog.SetSkizzenRenderer(sicherung->SkizzenRenderer());
    dialog.InitDialog();
    for (int id : {CDlgDrucken2::kIdBeide, CDlgDrucken2::kIdB1}) {
        auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(&dialog, id));
        ASSERT_NE(b, nullptr);
        b->click();
    }
    dialog.KickIdle();
    QWidget* run = ControlId::Find(&dialog, CDlgDrucken2::kIdRun);
    ASSERT_NE(run, nullptr);
    QTest::mouseClick(run, Qt::LeftButton, {}, run->rect().center());

    // Both PDFs made, none reported as failed or without pictures, the private folder gone.
    EXPECT_TRUE(m_boxes.Records().isEmpty())
        << (m_boxes.Records().isEmpty() ? std::string()
                                        : (m_boxes.Records()[0].text + m_boxes.Records()[0].html.text +
                                           QString::number(m_boxes.Records()[0].html.textId))
                                              .toStdString());
    ASSERT_EQ(pdfs.size(), 2);
    EXPECT_FALSE(tempOrdner.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(tempOrdner));

    char masse[32];
    std::snprintf(masse, sizeof masse, "%.0f", pVorn->GetQor()->GetMasse() * 1000.0);
    for (const QString& pdf : pdfs) {
        SCOPED_TRACE(pdf.toStdString());
        const QString text = Ausgabe(pdftotext, {pdf, QStringLiteral("-")});
        EXPECT_TRUE(text.contains(QString::fromStdString(pVorn->m_strName))) << text.toStdString();
        const QString seiten = pdf.left(pdf.size() - 4);
        QProcess::execute(pdftoppm,
                          {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"), pdf, seiten});
        EXPECT_TRUE(QFileInfo::exists(seiten + QStringLiteral("-1.png")) ||
                    QFileInfo::exists(seiten + QStringLiteral("-01.png")));
    }
    // The load-plan report states the plan's load mass in kg.
    EXPECT_TRUE(Ausgabe(pdftotext, {pdfs[0], QStringLiteral("-")}).contains(QString::fromLatin1(masse)));
}

} // namespace
