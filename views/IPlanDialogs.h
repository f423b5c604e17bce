// The dialogs, popups and loading ramp the views open, provided by the catalogue side at start-up.
#pragma once

#include "views/ILoadingRamp.h"

#include <QPoint>
#include <QRect>

#include <functional>
#include <memory>
#include <string>

class CGetAnsView;
class ILastDlg;
class ProgramRun;
class QWidget;

// Every dialog's default is the user cancelling: it answers false and leaves the values as they were.
class IPlanDialogs
{
public:
    virtual ~IPlanDialogs() = default;

    // Position, flags and name of an item for its edit dialog; the two flags come back.
    struct AddZLValues
    {
        double dPosition = 0.0;
        int nFlag1 = 0;
        int nFlag2 = 0;
        std::string strName;
    };
    // An additional item: kind (preset 5), name, three lengths, mass, an int and a double.
    struct ZLValues
    {
        int nArt = 5;
        std::string strName;
        double dLaengen[3] = {0.0, 0.0, 0.0}; // length, width, distance (m)
        double dMasse = 0.0;
        int nWert = 0;       // 1: the height is given
        double dHoehe = 0.0; // m
    };
    // One form-fit securing element. The side code, contact kind and cell count are the item's and come
    // back chosen; the `nKat...` values are what the plan found where the item lies (side and contact
    // kind by GetFsmAnlage, cells by GetFsmRaster against the load-area edge, else 0).
    struct FsmValues
    {
        int nTyp = 0;
        std::string strName;
        double dLaenge = 0.0;
        double dBreite = 0.0;
        double dHoehe = 0.0;
        double dMasse = 0.0;
        std::string strText;
        std::string strBild;
        int nSeite = 0;
        int nKontakt = 0;
        int nZellen = 0;
        int nKatSeite = 0;
        int nKatKontakt = 0;
        int nKatZellen = 0;
        int nKraft = 0; // daN; 0 shows as unknown
        QRect rcAnker;  // the item on the screen; the dialog is placed beside it (empty: anywhere)
    };
    // The usable load area: four lengths, four reals and four integers.
    struct NutzbareLFValues
    {
        double dLaengen[4] = {0.0, 0.0, 0.0, 0.0};
        float fWerte[4] = {0.0f, 0.0f, 0.0f, 0.0f};
        int nWerte[4] = {0, 0, 0, 0};
    };

    virtual bool EditAddZL(QWidget* /*pParent*/, AddZLValues& /*values*/) { return false; }
    // Remarks of a vehicle; `changed` tells whether the text was edited.
    virtual bool EditBemerkungen(QWidget* /*pParent*/, const std::string& /*caption*/, std::string& /*text*/,
                                 bool& /*changed*/)
    {
        return false;
    }
    virtual bool EditGewicht(QWidget* /*pParent*/, double& /*dTonnen*/) { return false; }
    virtual bool EditName(QWidget* /*pParent*/, std::string& /*name*/) { return false; }
    // Four overhang values and the overhang flag.
    virtual bool EditUeberstand(QWidget* /*pParent*/, double (&/*dWerte*/)[4], int& /*nFlag*/)
    {
        return false;
    }
    virtual bool EditNutzbareLF(QWidget* /*pParent*/, NutzbareLFValues& /*values*/, bool /*bMode1*/)
    {
        return false;
    }
    virtual bool EditZL(QWidget* /*pParent*/, ZLValues& /*values*/) { return false; }
    // The FSM item editor: the one installed with SetFsmEditor, else cancelled.
    virtual bool EditFsm(QWidget* pParent, FsmValues& values);
    // The popup for adding several copies of a load, and the align popup with its distance in metres.
    virtual void ShowAddMultiPopup(QWidget* /*pView*/, QPoint /*at*/) {}
    virtual void ShowAlignPopup(QWidget* /*pView*/, QPoint /*at*/, double /*dDistance*/) {}
    // The payload-at-position dialog: the one open (null when none), and the switch that closes it or
    // opens one bound to the view at a position in mm.
    virtual ILastDlg* GetLastDlg() { return nullptr; }
    virtual void ToggleLastDlg(CGetAnsView* /*pView*/, double /*dPositionMm*/) {}
    // The loading ramp of a loading-plan view; the default is no ramp.
    virtual std::unique_ptr<ILoadingRamp> CreateLoadingRamp() { return std::make_unique<ILoadingRamp>(); }

    // The dialogs the views open: the ones set at start-up, else the cancelling default.
    // The dialogs of the run's windows: the ones installed in the run, else the defaults.
    static IPlanDialogs& Of(const ProgramRun* pRun);
    // The FSM item editor comes from the load-securing side, apart from the other dialogs.
    using FsmEditor = std::function<bool(QWidget* pParent, FsmValues& values)>;
    static void SetFsmEditor(FsmEditor editor);
    static bool HasFsmEditor();
};
