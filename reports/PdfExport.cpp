// The PDF export: converter behind the wait notice, failures named, good PDFs to the export dialog.
#include "reports/PdfExport.h"

#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "reports/CDlgExport.h"
#include "reports/CPdfKonverter.h"
#include "reports/ReportTexts.h"
#include "ui/CDlgMessageOnly.h"
#include "ui/IMessageBoxService.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace {

PdfExport::ExportDialog& DialogSlot()
{
    static PdfExport::ExportDialog dialog;
    return dialog;
}

PdfExport::Warten& WartenSlot()
{
    static PdfExport::Warten warten;
    return warten;
}

int& ZeitlimitSlot()
{
    static int ms = CPdfKonverter::kZeitlimitMs;
    return ms;
}

using ReportTexts::Text;

// Folders of PDFs handed to the desktop mail client, which reads them after the export: removed at exit.
std::vector<std::unique_ptr<QTemporaryDir>>& UebergebeneOrdner()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> ordner;
    return ordner;
}

// The program's export dialog in PDF mode; *pUebergeben tells whether it handed the files to the mail client.
int ExportDialogInPdfMode(QWidget* parent, const QStringList& pdfs, bool* pUebergeben)
{
    CDlgExport dialog(pdfs, parent);
    const int antwort = dialog.exec();
    *pUebergeben = dialog.WasHandedOver();
    return antwort;
}

} // namespace

void PdfExport::SetExportDialog(ExportDialog dialog)
{
    DialogSlot() = std::move(dialog);
}

bool PdfExport::HasExportDialog()
{
    return static_cast<bool>(DialogSlot());
}

void PdfExport::SetWarten(Warten warten)
{
    WartenSlot() = std::move(warten);
}

void PdfExport::SetZeitlimitMs(int ms)
{
    ZeitlimitSlot() = ms;
}

bool PdfExport::ExportHtmlAsPdf(CQOR1Doc*, const QStringList& htmlDateien, const QString& berichtOrdner,
                                QWidget* parent)
{
    CPdfKonverter konverter;
    konverter.SetZeitlimitMs(ZeitlimitSlot());
    konverter.Vorbereiten(htmlDateien, berichtOrdner);
    if (konverter.Programm().isEmpty()) {
        MessageBoxes().Show(parent, Text(273), Text(1382), IMessageBoxService::Icon::Error,
                            IMessageBoxService::Buttons::Ok);
        return false;
    }
    CDlgMessageOnly notice(parent);
    notice.SetMessage(Text(184));
    notice.SetWorker(&konverter);
    const int antwort = WartenSlot() ? WartenSlot()(notice) : notice.exec();
    // A cancelled notice stops the chain; nothing of it runs on.
    if (antwort != QDialog::Accepted || !konverter.IsFertig())
        konverter.Abbrechen();

    QStringList gute;
    QStringList meldungen;
    for (const CPdfKonverter::SErgebnis& e : konverter.Ergebnisse()) {
        const std::string name = QFileInfo(e.html).completeBaseName().toStdString();
        if (e.status == CPdfKonverter::Status::Abgebrochen)
            continue;
        if (e.Brauchbar())
            gute.append(e.pdf);
        if (e.status == CPdfKonverter::Status::OhneBilder)
            meldungen.append(QString::fromStdString(FormatResChecked(1381, {name})));
        else if (!e.Brauchbar())
            meldungen.append(QString::fromStdString(FormatResChecked(1380, {name})));
    }
    if (antwort != QDialog::Accepted)
        return false;
    if (!meldungen.isEmpty())
        MessageBoxes().Show(parent, Text(273), meldungen.join(QLatin1Char('\n')),
                            gute.isEmpty() ? IMessageBoxService::Icon::Error
                                           : IMessageBoxService::Icon::Warning,
                            IMessageBoxService::Buttons::Ok);
    if (gute.isEmpty())
        return false;
    if (DialogSlot())
        return DialogSlot()(parent, gute) == kExportiert;
    bool bUebergeben = false;
    const bool bExportiert = ExportDialogInPdfMode(parent, gute, &bUebergeben) == kExportiert;
    if (bUebergeben)
        UebergebeneOrdner().push_back(konverter.UebernehmeOrdner());
    return bExportiert;
}
