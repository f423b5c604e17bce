// What the drawing objects of the template views need of the view they paint for: its state, and the
// places where they leave hot spots, tooltip tools, label rectangles and trackers.
#pragma once

#include <QRect>

#include <string>

class CFahrzeug;
class CQOR1Doc;
class QPainter;
class tagZLINFO;

class IPlanDrawView
{
public:
    // The hot spots a drawing leaves; the view's mouse handling hit-tests them.
    enum HotSpot
    {
        kHotKoerper,        // vehicle body
        kHotRueckwand,      // rear wall
        kHotStirnwand,      // front wall
        kHotStirnkante,     // band along the top edge of the body
        kHotGesamtmasse,    // permissible total mass value
        kHotKombiGrenze,    // combination limit value
        kHotSchwerpunkt,    // load centre of gravity
        kHotKupplung,       // trailer coupling (cleared with an empty rectangle)
        kHotSattel,         // fifth wheel
        kHotSattellast,     // permissible fifth-wheel load text
        kHotGriff,          // scale handle of the rulers
        kHotBemerkung,      // remarks link of the rulers
        kHotLineal,         // whole ruler rectangle
        kHotLinealZug,      // the towing vehicle's part of the rulers
        kHotFahrzeugAnders, // area of the vehicle drawn first (the other one)
        kHotFahrzeugAktiv,  // area of the vehicle worked on
        kHotAnzahl
    };

    // The places the axle-load picture leaves; the row and share tables take an index.
    enum AuflagerSpot
    {
        kAufLeerlast,        // row 0 label of support i
        kAufZulLast,         // row 1 label of support i
        kAufMinAnteil,       // minimum share label, 0 front, 1 rear
        kAufAnteil,          // group load and share, 0 front, 1 rear
        kAufAnteilAnhaenger, // the same for the trailer of a combination
        kAufBild,            // the whole picture
        kAufBildInaktiv,     // the whole picture of the vehicle not worked on
        kAufZusatzmasse,     // the extra-mass figure
        kAufZusatzmasseTip   // the extra-mass tooltip area (empty without the note)
    };

    virtual ~IPlanDrawView() = default;

    // State read while drawing.
    virtual CQOR1Doc* GetDocument() const = 0;
    virtual bool IsBildExport() const = 0;
    virtual bool IsPrinting() const = 0;
    virtual int GetDrawShiftX() const = 0;
    virtual int GetDrawShiftY() const = 0;
    // 1 in the template view; the document's active index in the multi view.
    virtual int GetViewAktivIndex() const = 0;
    virtual bool HasTowingPair() const = 0;
    // int(pixels per metre x m x horizontal factor x zoom) of the view.
    virtual int MetresToPixels(double m) const = 0;
    virtual QRect GetLadeflaecheRect() const = 0;
    // Set while a report picture renders one vehicle of a combination.
    virtual bool IsEinzelBild() const { return false; }
    // The vehicle such a single picture shows (null: the one of the document's active index).
    virtual CFahrzeug* GetEinzelFahrzeug() const { return nullptr; }
    // How many times larger than the screen's picture at its standard zoom the picture is drawn (a print,
    // another zoom; 1 on the screen): the layout's fixed distances and fonts grow with it, so the page or
    // the zoomed view shows the screen's picture enlarged.
    virtual double GetDruckFaktor() const { return 1.0; }
    // Size of the view's centre-of-gravity hint picture.
    virtual QSize GetSchwerpunktBildGroesse() const { return QSize(50, 50); }
    // The axle being edited (its index), or -1.
    virtual int GetSelAchse() const { return -1; }
    // The item being edited, or null.
    virtual const tagZLINFO* GetEditZL() const { return nullptr; }
    // True when the pictures show the two vehicles of a combination side by side.
    virtual bool IsKombinationsBild() const { return false; }

    // What the drawings leave behind, in device coordinates.
    virtual void SetHotSpot(HotSpot which, const QRect& rc) = 0;
    virtual void SetToolTip(int toolId, const QRect& rc, const std::string& text) = 0;
    virtual void RemoveToolTip(int toolId) = 0;
    // A dimension label's rectangle by id; id 0 forgets them all.
    virtual void SetLabelRect(int id, const QRect& rc) = 0;
    virtual void SetSchwerpunktPos(double x) = 0;
    virtual void SetAuflagerRect(AuflagerSpot which, int index, const QRect& rc) = 0;
    // Every text a drawing drew: the view keeps its scroll area around them.
    virtual void AddTextRect(const QRect& /*rc*/) {}
    // The view's own buttons over the drawing (device coordinates), which texts keep clear of; empty
    // when none stand there (a print, a report picture).
    virtual QRect GetKnopfRect() const { return QRect(); }
    // The trackers take a rectangle and draw themselves.
    virtual void ZeichneAchsTracker(QPainter& painter, const QRect& rc) = 0;
    virtual void ZeichneZLTracker(QPainter& painter, const QRect& rc) = 0;
};
