// What the value sliders of the template view ask of the view: the vehicle edited, the selection and
// what follows a change.
#pragma once

#include <QRect>

class CFahrzeug;
class CQOR1Doc;
class ProgramRun;
class tagZLINFO;

// The template view lets its sliders edit the document's vehicle worked on.
class IVorlageReglerQuelle
{
public:
    virtual ~IVorlageReglerQuelle() = default;

    // The document edited (null: none) and its vehicle worked on, whose values the sliders edit.
    virtual CQOR1Doc* GetReglerDokument() const = 0;
    virtual CFahrzeug* GetEditFahrzeug() const = 0;
    // The hit test's target (an axle is 3 + its index), the selected additional item and its rectangle.
    virtual int GetTarget() const = 0;
    virtual tagZLINFO* GetSelZL() const = 0;
    virtual QRect GetSelZLRect() const = 0;
    // After a change: the picture is painted anew; the vehicle and the document are marked modified.
    virtual void ReglerNeuzeichnen() = 0;
    virtual void Geaendert(bool bVollUpdate) = 0;
    // The position marker of an item (null hides it).
    virtual void DrawPositionMarker(const tagZLINFO* pZL) = 0;
    // The program run whose slider factory makes the sliders and which keeps the regulations hint.
    virtual ProgramRun& GetReglerProgramRun() = 0;
};
