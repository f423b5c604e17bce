// The loading plan's display options, read and written over the plan's display block A (and the zoom
// over block B), so that they are stored with the plan in the vehicle file.
#pragma once

class CQOR;

class CPlanAnzeige
{
public:
    // Zoom used when the stored value is outside the range the plan view draws.
    static constexpr double kStandardZoom = 1.5;
    static constexpr double kMinZoom = 0.5;
    static constexpr double kMaxZoom = 10.0;

    explicit CPlanAnzeige(CQOR& plan) : m_plan(plan), m_pSchreibbar(&plan) {}
    // Over a plan that is only read: the setters change nothing.
    explicit CPlanAnzeige(const CQOR& plan) : m_plan(plan) {}

    // Switched on when a placement was refused.
    bool GetAnzeigeBeiKonflikt() const;
    void SetAnzeigeBeiKonflikt(bool b);
    bool GetSchwerpunktZeigen() const;
    void SetSchwerpunktZeigen(bool b);
    // Direction arrows and the loads' own centre-of-gravity pictures.
    bool GetRichtungZeigen() const;
    void SetRichtungZeigen(bool b);
    // The permissible range as a box with its dimension.
    bool GetZulBereich() const;
    void SetZulBereich(bool b);
    // The permissible range as a coloured overlay of the usable area.
    bool GetBereichFarbig() const;
    void SetBereichFarbig(bool b);
    bool GetRasterZeigen() const;
    void SetRasterZeigen(bool b);
    // "Show the loads' outlines only", toggled by command 2000; no drawing reads it.
    bool GetNurUmrisse() const;
    void SetNurUmrisse(bool b);
    // Grid origin side: 0 the upper long edge (side A), 2 the lower one (side B); other values read 0.
    int GetRasterSeite() const;
    void SetRasterSeite(int n);
    // Grid cell size along and across the vehicle (metres); values of 0 or less read 0.1.
    double GetRasterX() const;
    void SetRasterX(double d);
    double GetRasterY() const;
    void SetRasterY(double d);
    bool GetLadungenZeigen() const;
    void SetLadungenZeigen(bool b);
    bool GetRasterBeschriftung() const;
    void SetRasterBeschriftung(bool b);
    // The plan's zoom; a stored value outside kMinZoom..kMaxZoom (or not a number) reads kStandardZoom.
    double GetZoom() const;
    void SetZoom(double d);

private:
    const CQOR& m_plan;
    CQOR* m_pSchreibbar = nullptr;
};
