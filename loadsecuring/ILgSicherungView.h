// What the load-securing wizard asks of the view that owns it.
#pragma once

#include "loadsecuring/LgSichgAktion.h"

#include <QRect>
#include <QString>

#include <cstdint>

class CFahrzeug;
class CLadeeinheit;
class CZurrschiene;
class CQOR1Doc;
class ProgramRun;
class QWidget;

// The load-securing view implements it; tests use a scripted fake. The wizard sends its events
// (LgSichgViewEvent: closed 0x803C, hidden 0x803D, page notice 0x804C) to GetViewWindow().
class ILgSicherungView
{
public:
    virtual ~ILgSicherungView() = default;

    // The window that receives the wizard's events; the wizard is placed beside it.
    virtual QWidget* GetViewWindow() = 0;
    // The document the view shows, or null.
    virtual CQOR1Doc* GetViewDocument() = 0;
    // The program run whose answers the wizard and its pages keep.
    virtual ProgramRun& GetViewProgramRun() = 0;
    // True when the view action `eAktion` on `wert` is allowed. `pOut` and `pExtra` receive extra
    // answers where an action has them, `pMessage` the reason of a refusal; `bDefault` is the answer
    // when nobody has an opinion. A value of another kind than the action takes is refused.
    virtual bool QueryAction(LgSichgAktion eAktion, const LgSichgWert& wert, int* pOut, QString* pMessage,
                             bool bDefault, int* pExtra) = 0;
    // Marks the vehicle (null: the vehicle worked on) and the document modified.
    virtual void MarkModified(CFahrzeug* pFahrzeug) = 0;
    // Repaints the view at once.
    virtual void RepaintView() = 0;
    // The view's client rectangle in screen coordinates.
    virtual QRect GetClientRectOnScreen() const = 0;
    // The load area and the load unit worked on as drawn, in screen coordinates; empty when the view
    // draws none.
    virtual QRect GetLadeflaecheOnScreen() { return {}; }
    virtual QRect GetEinheitOnScreen() { return {}; }
    // Moves the view's drawing by `versatz` pixels while the wizard stands over the view, so that the
    // unit lies beside it; (0, 0) puts it back.
    virtual void SetWizardVersatz(const QPoint& versatz) { (void)versatz; }
    // The view's own check whether lashing points that `nValue` names are used by a secured unit of the
    // plan, with `pEinheit` the unit worked on and `nMethode` the method the check assumes (-1: any).
    virtual bool IsZurrpunktInUse(const LgSichgWert& wert, CLadeeinheit* pEinheit, int nMethode) = 0;
    // Clears the marked bit of every placed load the view shows.
    virtual void ClearLoadMarks() = 0;
    // Metres as pixels at the view's zoom; a view without a scale of its own takes 100 pixels a metre.
    virtual int MetresToPixels(double dMetres) { return int(dMetres * 100.0); }
    // The lashing rail under the mouse cursor and the place along the load area it points at (metres);
    // false when the cursor is over no rail. A view without rails answers false.
    virtual bool GetRailPosAtCursor(CZurrschiene** ppSchiene, double* pX)
    {
        (void)ppSchiene;
        (void)pX;
        return false;
    }
};
