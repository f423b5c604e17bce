// A refused entry of an editing form: which field, the message box's caption and text, and its icon.
#pragma once

#include "ui/IMessageBoxService.h"

#include <QString>

class QWidget;

// The forms' rules answer one of these; an empty one (field 0) accepts the entries.
struct FormAblehnung
{
    int nFeld = 0; // control id of the refused field
    quint32 nTitel = 0;
    QString text;
    IMessageBoxService::Icon icon = IMessageBoxService::Icon::Warning;

    bool Abgelehnt() const { return nFeld != 0; }

    // The text of a resource string followed by "!".
    static QString MitAusruf(quint32 textId);
    // "$S!" with the resource string, its printf specifiers filled by the checked formatter with the
    // limits given.
    static QString MitGrenzen(quint32 textId, int nGrenze1);
    static QString MitGrenzen(quint32 textId, int nGrenze1, int nGrenze2);

    // Shows the box and gives the field of `dialog` the focus with its text selected.
    void Zeige(QWidget* dialog) const;
};
