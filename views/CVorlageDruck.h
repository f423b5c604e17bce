// Printing, PDF printing and the report pictures of the template view: the page's zoom, the page's
// picture and the export pictures, drawn by the view through IVorlageDruckQuelle.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <filesystem>

class IVorlageDruckQuelle;
class QPrinter;
class QString;
class QWidget;

class CVorlageDruck
{
public:
    // pParent is the parent of the print dialogs.
    CVorlageDruck(IVorlageDruckQuelle& quelle, QWidget* pParent);

    // Pixels per inch of the screen whose drawing a print enlarges, and the most a print draws at.
    static constexpr int kBildschirmDpi = 96;
    static constexpr int kDruckDpiHoechstens = 300;

    // What the picture is drawn for now: a report picture, a page.
    bool IsBildExport() const { return m_bBildExport; }
    bool IsPrinting() const { return m_bPrinting; }
    // How many times larger than at the standard zoom the picture is drawn.
    double GetDruckFaktor() const;

    // The vehicle picture of a report at the view's zoom: 648 pixels wide, 532 less the height reduction
    // high, the vehicle centred for a picture area of the width; a drawing wider than the picture is
    // scaled down to fit it.
    QImage RenderExport(int nExportWidth, int nHoehenReduktion = 0);
    // Writes the report pictures of export number 1 (front vehicle, "_SUP") or 2 (trailer, "_INF"):
    // the vehicle picture and, when asked, the chart of the vehicle worked on. Old pictures of the part
    // go first, so a failure leaves none behind; false when a picture could not be written.
    bool ExportBilder(int nTeil, int nExportWidth, int nHoehenReduktion, bool bDiagramm,
                      const std::filesystem::path& folder);
    // The width of the report picture's area.
    int GetExportWidth() const { return m_nExportWidth; }
    // The report part the next export picture is for (1 upper, 2 lower, 0 none).
    void SetExportTeil(int nTeil) { m_nExportTeil = nTeil; }
    int GetExportTeil() const { return m_nExportTeil; }

    // The zoom that fits the picture on a page of the size in screen pixels, a small margin kept.
    static double CalcPrintZoom(int nHorzRes, int nVertRes);
    // Printing switches the view to the page's zoom and back. The page (in screen pixels) is the
    // printer's page at the screen's resolution; its zoom is lowered when the drawing at it would reach
    // past the page's right or bottom edge.
    void OnBeginPrinting(const QRect& rcSeite);
    void OnEndPrinting();
    // Prints the picture into a PDF file of one page; false when the file could not be made.
    bool PrintToPdf(const QString& path);
    // Before printing: the rulers follow the preview flag; the print dialog offers pages 1..2 when bit 1
    // of the document's print flags is set, else page 1; one page is printed either way. A cancelled
    // dialog sets the document's print-cancelled flag and answers false.
    bool OnPreparePrinting(QPrinter& printer, bool bPreview);
    bool GetRulerFlag() const { return m_bRulerFlag; }
    // The picture at the page's zoom onto one page of the printer; false when it could not be printed.
    bool PrintTo(QPrinter& printer);
    // The page's picture of `seite` device pixels at `nDpi`: the screen's drawing at the page's zoom,
    // drawn nDpi / kBildschirmDpi times as large, so that lines, dots, pictures and texts keep their
    // proportions to each other.
    QImage DruckBild(QSize seite, int nDpi);
    // 57607 prints after the dialog, 57608 without it, 57609 shows the preview.
    void Drucken(int nId);

private:
    // Lowers the zoom until the drawing keeps inside a page of the size, less its margin.
    void FitPrintZoom(const QSize& seite);
    // How far the painted drawing reaches to the right and down at the current zoom, in drawing pixels
    // from the origin, up to twice the given size; found by painting it into a picture reduced by
    // nRaster, so it is exact to about nRaster pixels. Empty when there is nothing to draw.
    QSize MeasureDrawing(const QSize& bis, int nRaster);

    IVorlageDruckQuelle& m_Quelle;
    QWidget* m_pParent = nullptr;
    bool m_bBildExport = false;
    bool m_bPrinting = false;
    bool m_bRulerFlag = false;
    int m_nExportWidth = 648;
    int m_nExportTeil = 1;
    double m_dZoomSaved = 0.25;
};
