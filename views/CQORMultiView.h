// The template view of a combination: the towing vehicle and the trailer on one plan, each with its
// own axle-load picture; a click on the other vehicle makes it the vehicle worked on.
#pragma once

#include "views/CQOR1View.h"

class CQORMultiView : public CQOR1View
{
    Q_OBJECT

public:
    explicit CQORMultiView(CQOR1Doc* pDoc = nullptr, QWidget* parent = nullptr);
    ~CQORMultiView() override;

    // The document's vehicle worked on: 2 the towing vehicle, 1 (or 0) the trailer or single vehicle.
    int GetViewAktivIndex() const override;
    bool HasTowingPair() const override;
    QRect GetLadeflaecheRect() const override;
    CDIBFahrzeug* GetDIBFahrzeug() const override;
    double PixelToPosition(const QPoint& pt) const override;
    using CQOR1View::SetPickPosition;
    void SetPickPosition(double dPos, CFahrzeug* pFahrzeug, bool bMove) override;

    // The whole load area from the towing vehicle's front to the trailer's end in a pair.
    QRect GetGesamtLadeflaeche() const { return Erg().rcLadeflaeche; }
    // Where the towing vehicle's and the trailer's drawings start.
    int GetZugOriginX() const { return Erg().nZugX; }
    int GetAnhaengerOriginX() const { return Erg().nAnhaengerX; }
    // The mouse press of the view, at a client point (what a left button press runs).
    void LinksDruecken(const QPoint& pt, Qt::KeyboardModifiers mods);

protected:
    void ZeichneGrundbild(QPainter& painter, bool bTeilweise) override;
    void mousePressEvent(QMouseEvent* e) override;
    CFahrzeug* GetExportFahrzeug(int nTeil) const override;

private:
    // The other index: 1 <-> 2.
    int AnderIndex() const;
    // Makes the other vehicle the one worked on; false when the document or a view refused.
    bool WechselFahrzeug();
};
