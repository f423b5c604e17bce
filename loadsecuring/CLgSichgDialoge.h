// The program's dialogs of the load-securing view: the editors that exist and the help window.
#pragma once

#include "loadsecuring/ISecuringDialogs.h"

class CLgSichgDialoge : public ISecuringDialogs
{
public:
    // The lashing-rail editor (748) exists; the others follow with their dialogs.
    bool HasEditor(int nCommand) const override;
    // Runs CDlgZurrschiene with the values and writes the accepted ones back.
    int EditZurrschiene(QWidget* pParent, ZurrschieneWerte& werte) override;
};
