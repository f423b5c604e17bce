// Printing of the views' pictures: the print dialog with its page range, the page itself and the
// preview.
#pragma once

#include <QImage>

#include <functional>

class QPrinter;
class QString;
class QWidget;

class CViewDruck
{
public:
    // Stands in for the print dialog (tests): gets the printer and the page range, answers OK.
    using DialogHook = std::function<bool(QPrinter& printer, int nVon, int nBis)>;
    static void SetDialogHook(DialogHook hook);

    // The print dialog with the page range nVon..nBis; false when it was cancelled.
    static bool DoPreparePrinting(QWidget* parent, QPrinter& printer, int nVon, int nBis);
    // Prints the picture onto one page, as large as fits with its proportions kept; false when the
    // printer could not be opened.
    static bool PrintImage(QPrinter& printer, const QImage& bild);
    // The modal preview of what `paint` prints.
    static void Preview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter*)>& paint);
    // The message after a print that failed.
    static void MeldeFehler(QWidget* parent);
    // A view's print command: on a printer set up as the program's page setup says, 57609 shows the
    // preview of `print`, 57607 asks `prepare` (the print dialog) first, 57608 prints straight; a failed
    // print is reported.
    using Druck = std::function<bool(QPrinter& printer)>;
    static void Drucke(QWidget* parent, int nId, const Druck& print, const Druck& prepare);
    // `print` into the PDF file at `path`; false when it could not be written.
    static bool DruckeInPdf(const QString& path, const Druck& print);
    // The page setup of the program (command 57606): printer, paper and margins every print starts
    // from; and its use by a print.
    static void Einrichten(QWidget* parent);
    static void Uebernimm(QPrinter& printer);
};
