// The usable-load-area form: margins, grid counts and further lengths of a vehicle's load area.
#pragma once

#include "ui/CDlgBase.h"

#include <array>

class CEditLast;
class CFahrzeug;

// Three groups of four values, of which the form shows three each: the margins (mm), the grid counts
// and the further lengths (mm). OK stores them and makes the fourth value of each group the third.
class CDlgNutzbareLF : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplateId = 381;
    static constexpr int kIdInfo = 709;
    // The first field of each group.
    static constexpr int kIdLaengen = 1103;
    static constexpr int kIdRaster = 1109;
    static constexpr int kIdWerte = 1114;

    struct Werte
    {
        std::array<double, 4> dLaengen{}; // metres
        std::array<int, 4> nRaster{};
        std::array<float, 4> fWerte{}; // metres
    };

    // The values as stored from the nine fields (lengths in mm): the fourth of each group is the third.
    static Werte Speichern(const std::array<double, 3>& dLaengenMm, const std::array<int, 3>& nRaster,
                           const std::array<double, 3>& dWerteMm);
    // The information button is hidden when the caller asks for it or the active vehicle is a van.
    static bool InfoVerborgen(bool bOhneInfo, const CFahrzeug* pAktiv);

    explicit CDlgNutzbareLF(QWidget* parent = nullptr);

    Werte m_Werte;
    bool m_bOhneInfo = false;
    bool m_bErsteGesperrt = false;
    const CFahrzeug* m_pAktivFahrzeug = nullptr;

    CEditLast* Feld(int id) const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnOK() override;
};
