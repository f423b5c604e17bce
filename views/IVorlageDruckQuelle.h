// What printing and the report pictures ask of the template view they draw.
#pragma once

class CFahrzeug;
class CFahrzeugDiagrammBild;
class CQOR1Doc;
class ProgramRun;
class QPainter;

// The template view draws its picture for a page or a report picture at the zoom it is given.
class IVorlageDruckQuelle
{
public:
    virtual ~IVorlageDruckQuelle() = default;

    // The zoom the picture is drawn at, and a new one: the next drawing makes its fonts anew.
    virtual double GetZoom() const = 0;
    virtual void SetDruckZoom(double dZoom) = 0;
    // The picture into the painter as the view's paint draws it; with bMessen the whole of it, a partial
    // paint that was asked for left to the next paint.
    virtual void ZeichneDruck(QPainter& painter, bool bMessen) = 0;
    // The document drawn (null: none).
    virtual CQOR1Doc* GetDruckDokument() const = 0;
    // The vehicle whose chart an export of the report part writes (null: none), and the chart's drawing.
    virtual CFahrzeug* GetExportFahrzeug(int nTeil) const = 0;
    virtual CFahrzeugDiagrammBild& GetDruckDiagramm() = 0;
    // The program run, which keeps the zoom of the last print.
    virtual ProgramRun& GetDruckProgramRun() = 0;
};
