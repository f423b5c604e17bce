// A lashing point of a vehicle's load area, or the point a load unit's corner is lashed to.
#pragma once

#include "model/archive/PersistentObject.h"

#include <memory>
#include <string>

class CZurrschiene;

// "%s%s%02i" of the front prefix (when bFront), the side text (left or right) and the number.
std::string FormatZurrpunktName(bool bFront, bool bLinks, int nNr);

// A point read from a file for a lashing-point pair is held through shared_ptr by every pair that the
// file lets refer to it (see sZPPtrTupel); other points have a single owner and no shared holder.
class CZurrpunkt : public PersistentObject, public std::enable_shared_from_this<CZurrpunkt>
{
    QOR_DECLARE_SERIAL(CZurrpunkt)

public:
    // Bits of m_nFlags.
    static constexpr int kVonVorn = 0x1;    // longitudinal distance from the load-area front (else rear)
    static constexpr int kLinks = 0x2;      // left side, lateral distance from the left edge
    static constexpr int kVorn = 0x4;       // front point: name prefix, centre offset computed
    static constexpr int kAnSchiene = 0x10; // attached to a lashing rail

    CZurrpunkt() = default;
    // A point for a load area of that length and width: flags 0; distances, positions and the number are
    // left for the caller.
    CZurrpunkt(double dLaenge, double dBreite);
    CZurrpunkt(const CZurrpunkt&) = default;
    CZurrpunkt& operator=(const CZurrpunkt&) = default;

    // int flags; doubles distance along, across, third value, permissible force; from schema 2 the rail
    // force.
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    void SetBezugsmasse(double dLaenge, double dBreite);
    void CalcPositionen();
    double GetPosX();
    double GetPosY();
    double GetMittenAbstand();
    // The distance from the side edge for flags exactly 0 or exactly 2; -1.0 otherwise.
    double GetSeitenAbstand(double dBreite) const;
    void SetZurrschiene(CZurrschiene* p);
    CZurrschiene* GetZurrschiene() const { return m_pZurrschiene; }
    // The attached rail's permissible force, else the point's own rail force.
    double GetSchienenDaN() const;
    std::string GetName() const;
    std::string GetLabel() const;

    int m_nFlags = kVonVorn;
    double m_dAbstandLaengs = 0.0;
    double m_dAbstandQuer = 0.0;
    double m_dHoehe = 0.0;         // height of the point, metres
    double m_dZulKraft = 0.0;      // daN
    double m_dSchienenKraft = 0.0; // daN, used on a rail without a rail record
    // Derived: x from the load-area front, y from the right edge, offset from the centre line.
    double m_dPosX = 0.0;
    double m_dPosY = 0.0;
    double m_dMittenAbstand = 0.0;
    double m_dBezugsLaenge = 0.0;
    double m_dBezugsBreite = 0.0;
    int m_bPosGueltig = 0;
    CZurrschiene* m_pZurrschiene = nullptr; // not owned
    int m_nReserveSchiene = 0;
    unsigned char m_abReserve[32] = {};
    int m_nNummer = -1;
    // Set while the point may be chosen for the load unit worked on (the wizard's window computation
    // clears it for points outside the window); the last stored int of the point.
    int m_nReserveNummer = 1;
    bool IsWaehlbar() const { return m_nReserveNummer != 0; }

    // Of a load unit's corner point: the vehicle point it was matched with after loading (not owned,
    // not stored) and that point's rail force.
    CZurrpunkt* m_pFahrzeugPunkt = nullptr;
    double m_dFahrzeugPunktKraft = 0.0;
};
