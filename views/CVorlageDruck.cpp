// The template view's printing and report pictures: the page's zoom and picture, the PDF file and the
// export pictures with the chart.
#include "views/CVorlageDruck.h"

#include "views/CViewDruck.h"
#include "views/CVorlagePainter.h"
#include "views/IVorlageDruckQuelle.h"

#include "model/document/CQOR1Doc.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "platform/BmpFile.h"
#include "ui/ProgramRun.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <string>
#include <system_error>

CVorlageDruck::CVorlageDruck(IVorlageDruckQuelle& quelle, QWidget* pParent)
    : m_Quelle(quelle), m_pParent(pParent)
{
}

// --- report pictures -------------------------------------------------------------------------------------

QImage CVorlageDruck::RenderExport(int nExportWidth, int nHoehenReduktion)
{
    const int nHoehe = std::max(1, 532 - nHoehenReduktion);
    m_nExportWidth = nExportWidth;
    m_bBildExport = true;
    // Drawn from the picture's own origin: the screen's scroll position plays no part.
    QImage bild = CVorlagePainter::ZeichneExportBild(
        nHoehe, [this](QPainter& painter) { m_Quelle.ZeichneDruck(painter, false); });
    m_bBildExport = false;
    return bild;
}

bool CVorlageDruck::ExportBilder(int nTeil, int nExportWidth, int nHoehenReduktion, bool bDiagramm,
                                 const std::filesystem::path& folder)
{
    if (nTeil != 1 && nTeil != 2)
        return false;
    const char* endung = nTeil == 1 ? "_SUP.bmp" : "_INF.bmp";
    const std::filesystem::path fahrzeug = folder / (std::string("Fahrzeug") + endung);
    const std::filesystem::path diagramm = folder / (std::string("Rld") + endung);
    // A report must not pick up an old picture when this one fails.
    std::error_code ec;
    std::filesystem::remove(fahrzeug, ec);
    if (ec)
        return false;
    std::filesystem::remove(diagramm, ec);
    if (ec)
        return false;
    CQOR1Doc* pDoc = m_Quelle.GetDruckDokument();
    if (!pDoc || !pDoc->GetFahrzeug())
        return false;
    m_nExportTeil = nTeil;
    const QImage bild = RenderExport(nExportWidth, nHoehenReduktion);
    if (!WriteDIBSectionToBmp(QString::fromStdString(fahrzeug.string()), bild))
        return false;
    CFahrzeug* f = m_Quelle.GetExportFahrzeug(nTeil);
    if (!bDiagramm || !f || f->GetArt() == FahrzeugArt::kSattelzugmaschine)
        return true;
    f->GetDiagramm().BuildCurve(0.0f);
    f->GetDiagramm().m_bNeuZeichnen = true;
    int cx = 0, cy = 0;
    CFahrzeugDiagrammBild& bildDiagramm = m_Quelle.GetDruckDiagramm();
    if (!bildDiagramm.Draw(*f) || !bildDiagramm.GetBitmapSize(&cx, &cy))
        return true; // no chart, nothing to write
    return WriteDIBSectionToBmp(QString::fromStdString(diagramm.string()), bildDiagramm.GetImage());
}

// --- printing --------------------------------------------------------------------------------------------

double CVorlageDruck::CalcPrintZoom(int nHorzRes, int nVertRes)
{
    const double h = (nHorzRes - nHorzRes * 5 / 1900) / 1900.0;
    const double v = (nVertRes - nVertRes * 5 / 2750) / 2750.0;
    return std::min(h, v);
}

double CVorlageDruck::GetDruckFaktor() const
{
    // A print's zoom and any other zoom of the view enlarge the standard zoom's picture as a whole.
    const double dZoom = m_Quelle.GetZoom();
    return dZoom > 0.0 ? dZoom / CVorlagePainter::kStandardZoom : 1.0;
}

void CVorlageDruck::OnBeginPrinting(const QRect& rcSeite)
{
    m_bPrinting = true;
    m_dZoomSaved = m_Quelle.GetZoom();
    const double z = CalcPrintZoom(rcSeite.width(), rcSeite.height());
    // A page too small for a zoom keeps the view's, with fonts made anew all the same.
    m_Quelle.SetDruckZoom(z > 0.0 ? z : m_dZoomSaved);
    if (z > 0.0)
        FitPrintZoom(rcSeite.size());
    m_Quelle.GetDruckProgramRun().SetDruckZoom(m_Quelle.GetZoom());
}

QSize CVorlageDruck::MeasureDrawing(const QSize& bis, int nRaster)
{
    CQOR1Doc* pDoc = m_Quelle.GetDruckDokument();
    if (!pDoc || !pDoc->GetFahrzeug())
        return QSize();
    // A full paint with the fonts of the zoom; a requested partial paint stays requested.
    return CVorlagePainter::MissZeichnung(
        bis, nRaster, [this](QPainter& painter) { m_Quelle.ZeichneDruck(painter, true); });
}

void CVorlageDruck::FitPrintZoom(const QSize& seite)
{
    // Drawings fit the page's zoom up to 1900 x 2750 of their units; a longer vehicle's is made smaller
    // until it keeps inside the page less the same margin. Parts that do not shrink with the zoom need
    // a few rounds.
    const int w = seite.width() - seite.width() * 5 / 1900;
    const int h = seite.height() - seite.height() * 5 / 2750;
    if (w <= 0 || h <= 0)
        return;
    const int raster = std::max(1, std::max(seite.width(), seite.height()) / 1500);
    for (int runde = 0; runde < 8; ++runde) {
        const QSize ausmass = MeasureDrawing(seite, raster);
        if (ausmass.isEmpty() || (ausmass.width() <= w && ausmass.height() <= h))
            break;
        const double f =
            std::min(static_cast<double>(w) / ausmass.width(), static_cast<double>(h) / ausmass.height());
        m_Quelle.SetDruckZoom(m_Quelle.GetZoom() * std::min(f, 0.99));
    }
}

void CVorlageDruck::OnEndPrinting()
{
    m_Quelle.SetDruckZoom(m_dZoomSaved);
    m_bPrinting = false;
}

bool CVorlageDruck::OnPreparePrinting(QPrinter& printer, bool bPreview)
{
    m_bRulerFlag = bPreview;
    CQOR1Doc* pDoc = m_Quelle.GetDruckDokument();
    const int nBis = pDoc && (pDoc->m_nDruckFlags & 2) != 0 ? 2 : 1;
    const bool ok = CViewDruck::DoPreparePrinting(m_pParent, printer, 1, nBis);
    printer.setFromTo(1, 1);
    if (!ok && pDoc)
        pDoc->m_bDruckAbgebrochen = true;
    return ok;
}

bool CVorlageDruck::PrintToPdf(const QString& path)
{
    return CViewDruck::DruckeInPdf(path, [this](QPrinter& p) { return PrintTo(p); });
}

void CVorlageDruck::Drucken(int nId)
{
    CViewDruck::Drucke(
        m_pParent, nId, [this](QPrinter& p) { return PrintTo(p); },
        [this](QPrinter& p) { return OnPreparePrinting(p, false); });
}

bool CVorlageDruck::PrintTo(QPrinter& printer)
{
    const int nDpi = std::min(printer.resolution(), kDruckDpiHoechstens);
    const QSize seite = printer.pageLayout().paintRectPixels(nDpi).size();
    return CViewDruck::PrintImage(printer, DruckBild(seite, nDpi));
}

QImage CVorlageDruck::DruckBild(QSize seite, int nDpi)
{
    if (seite.isEmpty() || nDpi <= 0)
        return QImage();
    // The drawing of the raster engine, as on the screen: the printer's own engine lacks the raster
    // operations that fill the payload area and the cab pictures.
    const double k = static_cast<double>(nDpi) / kBildschirmDpi;
    OnBeginPrinting(QRect(0, 0, static_cast<int>(seite.width() / k), static_cast<int>(seite.height() / k)));
    QImage bild(seite, QImage::Format_RGB32);
    bild.fill(Qt::white);
    {
        QPainter painter(&bild);
        painter.scale(k, k);
        m_Quelle.ZeichneDruck(painter, false);
    }
    OnEndPrinting();
    return bild;
}
