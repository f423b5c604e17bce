// The program's dialogs of the load-securing view: the editors that exist and the help window.
#pragma once

#include "loadsecuring/ISecuringDialogs.h"

class CLgSichgDialoge : public ISecuringDialogs
{
public:
    // The lashing-point editor (397, 33290, 33295), the lashing-rail editor (748) and the
    // lashing-device editor (398).
    bool HasEditor(int nCommand) const override;
    // Runs CDlgZurrpunkte with the values and writes the accepted ones back.
    bool EditZurrpunkt(QWidget* pParent, ZurrpunktWerte& werte) override;
    // Runs CDlgZurrschiene with the values and writes the accepted ones back.
    int EditZurrschiene(QWidget* pParent, ZurrschieneWerte& werte) override;
    // Runs CDlgZurrmittel on the vehicle; the view that opened it hears of every change (51).
    bool EditZurrmittel(QWidget* pParent, CFahrzeug& fahrzeug) override;
};
