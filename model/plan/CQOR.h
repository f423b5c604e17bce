// The loading plan of a vehicle: placed loads, load units and their centre of gravity.
#pragma once

#include "model/base/RawPointerRange.h"

#include <list>
#include <map>
#include <memory>
#include <string>

class CFahrzeug;
class CLadeeinheit;
class CQOR;
struct tagLGINFO;
struct tagGUILG;

// A display record of a placed load; the plan views fill it.
struct tagGUILG
{
    virtual ~tagGUILG() = default;
};

// A load being dragged in the plan view: the centre of gravity counts it last.
class IQorZiehQuelle
{
public:
    virtual ~IQorZiehQuelle() = default;
    virtual tagLGINFO* GetGezogeneLadung() const = 0;
    // The plan it is registered with goes away.
    virtual void PlanGeht(const CQOR*) {}
};

// The plan view that keeps display records of a plan: the plan tells it when it goes.
class IQorAnzeige
{
public:
    virtual ~IQorAnzeige() = default;
    // True when the view held display records of `pFahrzeug`'s plan and has released them.
    virtual bool GibAnzeigeFrei(CFahrzeug* pFahrzeug) = 0;
    // The plan it is registered with goes away (before GibAnzeigeFrei).
    virtual void PlanGeht(const CQOR*) {}
};

class CQOR
{
public:
    CQOR(CFahrzeug* pOwner, int nNummer, const char* pszName);
    ~CQOR();
    CQOR(const CQOR&) = delete;
    CQOR& operator=(const CQOR&) = delete;

    void InitDefaults();

    using LgInfoListe = std::list<std::unique_ptr<tagLGINFO>>;
    using LadeeinheitListe = std::list<std::unique_ptr<CLadeeinheit>>;

    // The plan takes the load over (numbered and inserted after its namesakes) and answers the load that
    // was current before.
    tagLGINFO* AddLgInfo(std::unique_ptr<tagLGINFO> p, bool bAktuell);
    tagLGINFO* InsertLgInfoNachName(std::unique_ptr<tagLGINFO> p);
    // Takes the load out of the plan and hands it back; null for a load the plan does not hold.
    std::unique_ptr<tagLGINFO> RemoveLgInfo(const tagLGINFO* p);
    // The plan takes the unit over at index nPos (clamped to the list).
    CLadeeinheit* InsertLadeeinheit(std::unique_ptr<CLadeeinheit> p, int nPos);
    // Takes the active unit out of the plan and hands it back with its index; null without one.
    std::unique_ptr<CLadeeinheit> RemoveAktiveLadeeinheit(int* pIndex);
    CLadeeinheit* GetAktiveLadeeinheit() const;
    CLadeeinheit* FindLadeeinheit(int nId) const;
    int GetFreeLadeeinheitId() const;
    tagLGINFO* FindLgInfoByName(const std::string& name, int nNr) const;
    tagLGINFO* FindFsmByNummer(int nNr) const;
    int GetMaxFsmNummer() const;
    int GetMaxNummer(const char* pszName, int* pCount) const;
    void RenumberLgInfo(const char* pszName, int nStart);
    void NumberEqualNames(bool bNurZaehlen);
    tagLGINFO* GetFirstSelectedLgInfo() const;
    int CountSelectedLgInfo(bool bAll) const;
    int CountSelectedFsm(bool bAll) const;
    int CountFreeLgInfo(bool bAll) const;
    int CountMarkedLgInfo() const;
    bool HasSelectedAssignedLgInfo() const;
    void ReleaseFsm(int nId);
    void StoreSelection(bool bClear);
    int SelectAllFsm(int nMode);
    int SelectAssignedLgInfo(int nMode, bool bOnlyExisting);
    int UpdateSchwerpunkt();
    int CalcSchwerpunkt(double* pMasse, double* pX, double* pY, double* pZ);

    CFahrzeug* GetFahrzeug() const { return m_pFahrzeug; }
    // The loads and the units in plan order, as plain pointers; the plan keeps them.
    RawPointerRange<LgInfoListe> GetLgInfos() const { return RawPointerRange<LgInfoListe>(m_LgInfos); }
    RawPointerRange<LadeeinheitListe> GetLadeeinheiten() const
    {
        return RawPointerRange<LadeeinheitListe>(m_Ladeeinheiten);
    }
    tagLGINFO* GetAktuell() const { return m_pAktuell; }
    double GetMasse() const { return m_dMasse; }
    double GetSchwerpunktX() const { return m_dSchwerpunkt[0]; }
    double GetSchwerpunktY() const { return m_dSchwerpunkt[1]; }
    double GetSchwerpunktZ() const { return m_dSchwerpunkt[2]; }

    // Registered by the plan view while it drags a load of this plan; null otherwise. It is told when the
    // plan goes.
    void SetZiehQuelle(IQorZiehQuelle* pQuelle) { m_pZiehQuelle = pQuelle; }
    IQorZiehQuelle* GetZiehQuelle() const { return m_pZiehQuelle; }
    // Registered by the plan view that draws this plan and keeps display records of it; null otherwise.
    void SetAnzeige(IQorAnzeige* pAnzeige) { m_pAnzeige = pAnzeige; }
    IQorAnzeige* GetAnzeige() const { return m_pAnzeige; }

    struct SAnzeigeBlock
    {
        unsigned char bFlags[8] = {0, 1, 1, 1, 0, 1, 0, 0};
        int nWert = 0;
        double dWert1 = 0.0;
        double dWert2 = 0.0;
        unsigned char bFlags2[4] = {1, 1, 0, 0};
    };

    tagLGINFO* m_pAktuell = nullptr;
    int m_nNummer = 0;
    std::string m_strName;
    CFahrzeug* m_pFahrzeug = nullptr;
    int m_nReserveFahrzeug = 0;
    LgInfoListe m_LgInfos;
    LadeeinheitListe m_Ladeeinheiten;
    int m_nAktiveLadeeinheit = 0;
    SAnzeigeBlock m_AnzeigeA;
    int m_nReserveAnzeige = 0;
    unsigned int m_nAnzahl = 4;
    double m_dSchwerpunkt[3] = {-1.0, -1.0, -1.0};
    double m_dMasse = 0.0;
    // Display records by the load they show; the plan owns them.
    std::map<const tagLGINFO*, std::unique_ptr<tagGUILG>> m_Anzeige;
    SAnzeigeBlock m_AnzeigeB;
    double m_dAnzeigeB = 0.5;
    int m_nReserveEnde[2] = {0, 0};
    // Permitted side difference in percent, given to the plan by the vehicle loader.
    int m_nSeitenProzent = 4;
    // Grid step of the plan in cm, kept with the vehicle's own.
    int m_nRasterSchritt = 1;
    // Flag byte read by the vehicle's status query.
    unsigned char m_bStatusFlag = 0;
    // Set by every edit of the plan, cleared when the vehicle's file is written.
    unsigned char m_bModified = 0;

private:
    IQorZiehQuelle* m_pZiehQuelle = nullptr;
    IQorAnzeige* m_pAnzeige = nullptr;
    // Last result of this plan's centre of gravity, for the change flags.
    double m_dCacheX = 0.0, m_dCacheY = 0.0, m_dCacheZ = 0.0, m_dCacheMasse = 0.0;
};
