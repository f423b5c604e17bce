// The rounded front corners of a new semi-trailer, for its front swing check: diameter, radius or "none".
#pragma once

#include "ui/CDlgBase.h"

#include <optional>

class CEditLast;

// The diameter and the radius of the corners in whole millimetres: leaving either field sets the other
// (a refused entry sets nothing). The result, the diameter that CAuflieger::GetAufliegerMass gives in
// metres, is 0 with "none" checked, else the diameter, or twice the radius when the diameter is empty.
class CDlgDsr : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplateId = 900;
    static constexpr int kIdDurchmesser = 1362;
    static constexpr int kIdRadius = 1363;
    static constexpr int kIdKeine = 1344;

    // The largest value a field takes: the diameter 500 mm, the radius 250 mm (whole millimetres from 0).
    static int Hoechstwert(int ctrlId);
    // The value the other field gets when `ctrlId` is left holding `wert` (nullopt: empty).
    static int Partner(int ctrlId, std::optional<int> wert);
    static int Ergebnis(bool bKeine, std::optional<int> erste, std::optional<int> zweite);

    explicit CDlgDsr(QWidget* parent = nullptr);

    int m_nErgebnis = 0;

    CEditLast* Feld(int id) const;
    // Leaving a field: its text is committed and the other field follows.
    void Verlassen(int ctrlId);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    std::optional<int> Wert(int ctrlId) const;
};
