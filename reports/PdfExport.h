// Turns HTML reports into PDFs behind the wait notice and offers the good ones to the export dialog.
#pragma once

#include <QStringList>

#include <functional>

class CDlgMessageOnly;
class CPdfKonverter;
class CQOR1Doc;
class QWidget;

class PdfExport
{
public:
    static constexpr int kExportiert = 654;

    // The export dialog in PDF mode with the PDFs to offer; answers its result (654: exported or sent).
    // Without one set, the program's export dialog; PDFs it hands to the desktop mail client stay until
    // the program ends.
    using ExportDialog = std::function<int(QWidget* parent, const QStringList& pdfs)>;
    static void SetExportDialog(ExportDialog dialog);
    static bool HasExportDialog();
    // Runs the prepared wait notice modally (tests replace it); answers its result.
    using Warten = std::function<int(CDlgMessageOnly& notice)>;
    static void SetWarten(Warten warten);
    // The converter's time limit per report in ms.
    static void SetZeitlimitMs(int ms);

    // Converts the reports one after the other (pictures read from `berichtOrdner` only), names each
    // report that failed, and offers the PDFs that succeeded; true when the export dialog answered 654.
    // The PDFs live in a private temporary folder removed when the call ends (or at exit, after a hand-over).
    static bool ExportHtmlAsPdf(CQOR1Doc* pDoc, const QStringList& htmlDateien, const QString& berichtOrdner,
                                QWidget* parent);
};
