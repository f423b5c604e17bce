// A load unit: placed loads grouped for load securing, with their box, attachment points, lashing-point
// pairs, securing settings and defects.
#pragma once

#include "model/archive/PersistentObject.h"
#include "model/plan/CWizardParams.h"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CAnschlagpunkt;
class CLgsMangel;
class CQOR;
class CZurrpunkt;
class sLg;
class sZPPtrTupel;
struct tagLGINFO;

class CLadeeinheit : public PersistentObject
{
    QOR_DECLARE_SERIAL(CLadeeinheit)

public:
    CLadeeinheit();
    explicit CLadeeinheit(int nId);
    ~CLadeeinheit() override;
    CLadeeinheit(const CLadeeinheit&) = delete;
    CLadeeinheit& operator=(const CLadeeinheit&) = delete;

    // int id; int flag; the settings (embedded); the member list; the pair list; the four attachment
    // points; schema 2: three lashing parameters; schema 3: the defect list.
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    int GetId() const { return m_nId; }

    // Adds a member load unless its key is known already.
    void AddLadung(const char* pszName, int nNr, tagLGINFO* p);
    // Appends a defect; one of the same code is replaced (bReplace) or kept, dropping p.
    void AddMangel(CLgsMangel* p, bool bReplace);
    // Writes nId into bits 1 to 6 of the state word of every member load.
    void SetLgFlagBits(int nId);
    void CalcAbmessungen();
    void ClearZPPtrTupel();
    bool GetFirstZurrpunkt(CZurrpunkt** ppOut, int* pCorner, int* pSub);
    bool GetNextZurrpunkt(CZurrpunkt** ppOut, int* pCorner, int* pSub);
    CAnschlagpunkt* GetAnschlagpunkt(int nCorner) const;
    CZurrpunkt* GetZurrpunkt(int nCorner, int nSub) const;
    void SetZurrpunkt(int nCorner, int nSub, const CZurrpunkt* p);
    int CountZurrpunkte() const;
    int GetSichgModus(int* pFlag) const;
    void SetSichgModus(int nModus, int nFlag);
    bool GetAnschlagpunktPos(int nCorner, double* pX, double* pY, double* pZ) const;
    bool GetAnschlagpunktPosVersetzt(int nCorner, double dx, double dy, double dz, double* pX, double* pY,
                                     double* pZ) const;
    // Smallest x, smallest y, length, width, highest top, total mass.
    void GetAbmessungen(double* pX, double* pY, double* pLaenge, double* pBreite, double* pHoehe,
                        double* pMasse) const;
    void GetRechteck(double* pX, double* pY, double* pLaenge, double* pBreite) const;
    // Mass-weighted centre of the member loads, x and y from the box corner, z absolute. A unit without
    // mass has no centre: false, and the outputs are left alone.
    bool CalcSchwerpunkt(double* pX, double* pY, double* pZ) const;
    // The smallest permissible force (mode 0) or rail force (mode 1) of the pairs' points; -1.0 for
    // another mode or without a complete pair.
    double GetMinZurrpunktWert(int nMode) const;
    // Mode 0: the smallest lateral distance of the pairs' points; mode 1: the position of the rail of
    // the first pair's first point; -1.0 otherwise or when there is none.
    double GetMinZurrpunktWert2(int nMode) const;
    // The three lashing parameters (the first as result) and the number of pairs that have both points.
    int GetZurrParameter(int* p2, int* p3, int* pCount) const;
    // Steps through the member list; the placed load of the step, or null when the plan lacks it or at
    // the end (then pos equals the member count).
    tagLGINFO* GetNextLadung(std::size_t& pos) const;
    void RebuildLgMap(const CQOR* pPlan);
    void ClearMaengel();
    int CountMaengel(int nCode) const;
    bool IsLgMarkiert() const;
    void SetLgMarkiert(unsigned char b);

    int m_nId = 0; // 1..63
    std::vector<std::unique_ptr<sLg>> m_Lgs;
    std::vector<std::unique_ptr<CLgsMangel>> m_Maengel;
    int m_nReserveMaengel = 0; // reserved, not stored
    // Bounding box of the members: smallest y, smallest x, largest x end, largest y end, mass, top.
    double m_dMinY = 0.0;
    double m_dMinX = 0.0;
    double m_dMaxXEnde = 0.0;
    double m_dMaxYEnde = 0.0;
    double m_dMasse = 0.0;
    double m_dHoehe = 0.0;
    // Set when the unit exists as such for the selections of the plan.
    int m_bVorhanden = 0;
    CWizardParams m_Wizard;
    std::vector<std::unique_ptr<sZPPtrTupel>> m_ZPPtrTupel;
    std::array<std::unique_ptr<CAnschlagpunkt>, 4> m_Anschlagpunkte;
    int m_nSichgModus = 0; // 0..3
    int m_nSichgFlag = 0;
    // Member loads by key; not owned, rebuilt from the plan.
    std::map<std::string, tagLGINFO*> m_mapLg;
    int m_nMapGueltig = 0;
    int m_nMapReserve[3] = {}; // reserved beside the map's flag, not stored
    int m_nIterator = -1;      // corner << 16 | sub-index; -1 ended
    int m_nZurrParam[3] = {-1, -1, 0};
};
