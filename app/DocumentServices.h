// The dialogs of the document commands that later parts of the program provide; a command whose
// dialog is not installed is disabled.
#pragma once

#include <QString>

#include <functional>

class CQOR1Doc;
class QWidget;

struct DocumentServices
{
    // What the open dialog chose: the file, whether only its first vehicle is wanted, and whether the
    // partner is to be loaded as well.
    struct OpenChoice
    {
        QString path;
        bool bSingle = false;
        bool bPartner = false;
    };
    // What the new-combination dialog chose: the towing vehicle's file, the new name, the trailer's
    // file and the coupling value in mm.
    struct KombiChoice
    {
        QString zugPath;
        QString newPath;
        QString anhaengerPath;
        double dKupplungMm = 0.0;
    };
    // What the new-vehicle dialogs chose: the kind 0 to 5, the variant (1 the first), the name and the
    // usable-area margins in metres.
    struct NeuChoice
    {
        int nArt = 0;
        int nVariante = 1;
        QString name;
        double dRand[4] = {0.25, 0.15, 0.05, 0.05};
        // A semi-trailer's diameter of its rounded front corners (metres), from its front swing form.
        double dAufliegerMass = 0.0;
    };

    // The open dialog; false on cancel.
    std::function<bool(QWidget* parent, OpenChoice& choice)> open;
    // The save-name question: a vehicle (".qor") or combination (".kmb"), the name preset; fills the
    // folder (ending in "/") and the name without extension; false on cancel.
    std::function<bool(QWidget* parent, bool bKombination, const QString& preset, QString& folder,
                       QString& name)>
        askSaveName;
    std::function<bool(QWidget* parent, KombiChoice& choice)> newKombination;
    std::function<bool(QWidget* parent, NeuChoice& choice)> newFahrzeug;
    std::function<void(QWidget* parent, CQOR1Doc* doc)> nutzbareLF;
    std::function<void(QWidget* parent, const QString& path)> importFile;
    std::function<void(QWidget* parent, CQOR1Doc* doc)> exportDoc;
    std::function<void(QWidget* parent, CQOR1Doc* doc)> editLgsFsmExt;
};
