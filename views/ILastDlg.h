// The payload-at-position dialog as the template view and the frame see it.
#pragma once

class CGetAnsView;
class QPoint;
class QWidget;

// The dialog is bound to one template view; the view forwards Enter, '+' and '-' to it and tells it when
// the document changed or the pointer picks a position.
class ILastDlg
{
public:
    virtual ~ILastDlg() = default;

    // Re-evaluates the position and the figures; with bNotify the view is told where the position lies.
    virtual void UpdateFromPosition(bool bNotify) = 0;
    // Steps the position by 100 mm forward (+1) or back (-1) and re-evaluates it.
    virtual void Schritt(int nRichtung) = 0;
    // Sets the caption from the remembered or the active vehicle.
    virtual void UpdateCaption() = 0;
    // Switches pick mode; with a point, the view's pick line is cleared there.
    virtual void TogglePickMode(const QPoint* pt) = 0;
    // bSave: reads the position from its field; else fills the fields from the values.
    virtual void UpdateDataGuarded(bool bSave) = 0;
    // The position in mm.
    virtual double GetPosition() const = 0;
    virtual void SetPosition(double dMm) = 0;
    virtual bool IsPickMode() const = 0;
    virtual CGetAnsView* GetOwnerView() const = 0;
    virtual QWidget* GetWidget() = 0;
};
