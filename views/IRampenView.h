// What the loading ramp asks of the loading-plan view it lies in. Points are the view's client pixels.
#pragma once

#include <QPoint>
#include <QRect>

class CFahrzeug;
class CQOR;
class QWidget;
struct SLadungVorlage;
struct tagLGINFO;

class IRampenView
{
public:
    virtual ~IRampenView() = default;

    // The widget the ramp is a child of; its coordinates are the client pixels.
    virtual QWidget* RampenFlaeche() = 0;
    // The vehicle worked on and its plan; null when there is none.
    virtual CFahrzeug* RampenFahrzeug() = 0;
    virtual CQOR* RampenPlan() = 0;
    virtual int RampenPixel(double dMeter) = 0;
    virtual double RampenMeter(int nPixel) = 0;
    // The scroll position and the load area's origin, both in pixels of the whole plan.
    virtual QPoint RampenScroll() = 0;
    virtual QPoint RampenUrsprung() = 0;

    // A load-unit block leaves the ramp at client point `pt`, held at `griff` from its top-left corner.
    virtual bool RampenZiehenStart(const SLadungVorlage& item, QPoint pt, int nRotation, double dMasse,
                                   QPoint griff) = 0;
    // The block moves over the view, is released there, or comes back onto the ramp (nothing placed).
    virtual void RampenZiehen(QPoint pt) = 0;
    virtual void RampenLoslassen(QPoint pt) = 0;
    virtual void RampenZurueck(QPoint pt) = 0;
    // Places n copies of an item where they fit; answers how many found room.
    virtual int RampenMehrere(const SLadungVorlage& item, int n, double dMasse, int nRotation) = 0;

    // The outline of a form-fit item dragged from the ramp and the free place under it; null clears.
    virtual void RampenFsmUmriss(const QRect* pUmriss, const QRect* pPlatz) = 0;
    // The form-fit edit of a new item: 714 when taken, 705 when cancelled.
    virtual int RampenFsmBearbeiten(tagLGINFO* pLg) = 0;
    // A load the ramp added to the plan: the change steps.
    virtual void RampenAbgelegt(const tagLGINFO& lg) = 0;
    virtual void RampenFokus() = 0;
};
