// Printing of the views' pictures.
#include "views/CViewDruck.h"

#include "model/text/TextProvider.h"
#include "ui/IMessageBoxService.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

CViewDruck::DialogHook& Hook()
{
    static CViewDruck::DialogHook hook;
    return hook;
}

} // namespace

void CViewDruck::SetDialogHook(DialogHook hook)
{
    Hook() = std::move(hook);
}

bool CViewDruck::DoPreparePrinting(QWidget* parent, QPrinter& printer, int nVon, int nBis)
{
    printer.setFromTo(nVon, nBis);
    if (Hook())
        return Hook()(printer, nVon, nBis);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    dialog.setMinMax(nVon, nBis);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, nBis > nVon);
    return dialog.exec() == QDialog::Accepted;
}

bool CViewDruck::PrintImage(QPrinter& printer, const QImage& bild)
{
    if (bild.isNull())
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect seite = printer.pageLayout().paintRectPixels(printer.resolution());
    QSize groesse = bild.size();
    groesse.scale(seite.size(), Qt::KeepAspectRatio);
    // Line drawings: a lossy compression would blur their edges and grey their white.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, groesse != bild.size());
    painter.drawImage(QRect(QPoint(0, 0), groesse), bild);
    return painter.end();
}

void CViewDruck::Preview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter*)>& paint)
{
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintPreviewDialog"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
    dialog.exec();
}

namespace {

QPrinter& Vorgabe()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

} // namespace

void CViewDruck::Einrichten(QWidget* parent)
{
    QPageSetupDialog dialog(&Vorgabe(), parent);
    dialog.setObjectName(QStringLiteral("PageSetupDialog"));
    dialog.exec();
}

void CViewDruck::Uebernimm(QPrinter& printer)
{
    if (!Vorgabe().printerName().isEmpty())
        printer.setPrinterName(Vorgabe().printerName());
    printer.setPageLayout(Vorgabe().pageLayout());
}

void CViewDruck::MeldeFehler(QWidget* parent)
{
    MessageBoxes().Show(parent, QString::fromStdString(LoadResString(273)),
                        QString::fromStdString(LoadResString(61950)), IMessageBoxService::Icon::Error,
                        IMessageBoxService::Buttons::Ok);
}

void CViewDruck::Drucke(QWidget* parent, int nId, const Druck& print, const Druck& prepare)
{
    QPrinter printer(QPrinter::HighResolution);
    Uebernimm(printer);
    if (nId == 57609) {
        Preview(parent, printer, [&print](QPrinter* p) { print(*p); });
        return;
    }
    if (nId == 57607 && !prepare(printer))
        return;
    if (!print(printer))
        MeldeFehler(parent);
}

bool CViewDruck::DruckeInPdf(const QString& path, const Druck& print)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return print(printer);
}
