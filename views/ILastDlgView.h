// What the payload-at-position dialog asks of a template view: its pick line.
#pragma once

class CFahrzeug;

// A template view draws the dialog's position as a pick line over its load area.
class ILastDlgView
{
public:
    virtual ~ILastDlgView() = default;

    // Places the pick line at a load-area position in metres; pFahrzeug null means the vehicle worked on.
    virtual void SetPickPosition(double dPos, CFahrzeug* pFahrzeug, bool bMove) = 0;
    // Drops the pick line and its marker values.
    virtual void ClearPickLine() = 0;
};
