// The dialogs the load-securing view opens: the editors of the vehicle's lashing equipment and the help.
#pragma once

#include <QtGlobal>

class CFahrzeug;
class CZurrpunkt;
class ProgramRun;
class QWidget;

// Editors not built yet answer "not there": their commands stay disabled and running one cancels.
class ISecuringDialogs
{
public:
    virtual ~ISecuringDialogs() = default;

    // What the lashing-point editor is given and gives back (lengths in metres, strength in daN).
    struct ZurrpunktWerte
    {
        CFahrzeug* pFahrzeug = nullptr;
        CZurrpunkt* pPunkt = nullptr; // the point edited, null for a new one
        int nFlags = 1;               // the point's flag word: 1 from the front, 2 side, 4 front point
        double dX = 0.0;              // distance along, from the front or the rear end
        double dY = 0.0;              // distance across, from the point's side edge
        double dDritte = 0.0;         // the third length
        double dKraft = 0.0;
        int nReihe = 0;            // -1 editing, 0 one point, 1 a row
        bool bBeideSeiten = false; // the same point on the other side as well
        bool bErsetzen = false;    // near points give way to the new one
        double dAbstand = 1.0;     // spacing of a row
        int nAnzahl = 1;           // the row's maximum count
        bool bOhneGrenze = false;  // the row runs to the end of the load area
    };
    // What the lashing-rail editor is given and gives back.
    struct ZurrschieneWerte
    {
        CFahrzeug* pFahrzeug = nullptr;
        bool bEdit = false;
        double dAbstand = -1.0; // from the side of the load area
        double dRaster = 0.0;   // spacing of its anchors
        int nAnzahl = 0;
    };

    // Whether the editor behind a command exists: 397 lashing points, 748 lashing rails, 398 lashing
    // devices, 33290 a new lashing point at the right-click, 33295 the selected lashing point, 33296 and
    // 33307 deleting lashing points.
    virtual bool HasEditor(int /*nCommand*/) const { return false; }
    // The lashing-point editor; true when the user accepted the values.
    virtual bool EditZurrpunkt(QWidget* /*pParent*/, ZurrpunktWerte& /*werte*/) { return false; }
    // The lashing-rail editor: 668 accepted, 755 delete the rails, 705 cancelled.
    virtual int EditZurrschiene(QWidget* /*pParent*/, ZurrschieneWerte& /*werte*/) { return 705; }
    // The lashing-device editor for the vehicle; true when it changed something.
    virtual bool EditZurrmittel(QWidget* /*pParent*/, CFahrzeug& /*fahrzeug*/) { return false; }
    // The modal help window titled with text 634 showing help text `nHelpId`.
    virtual void ShowHelp(QWidget* pParent, quint32 nHelpId);

    // The dialogs in use: the ones set (tests), else the program's.
    // The dialogs of the run's windows: the ones installed in the run, else the program's own.
    static ISecuringDialogs& Of(const ProgramRun* pRun);
};
