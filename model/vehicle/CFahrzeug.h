// The vehicle of the loading model: axles, masses, load area, plan and the load-distribution calculation.
#pragma once

#include "model/archive/PersistentObject.h"
#include "model/base/RawPointerRange.h"
#include "model/vehicle/CFahrzeugDiagramm.h"
#include "model/vehicle/CKurvenpunktGrenzen.h"
#include "model/vehicle/CNutzlastKurve.h"
#include "model/vehicle/CTupelList.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/SAchsGeometrie.h"
#include "model/vehicle/SNutzbareLF.h"
#include "model/vehicle/SUeberstLG.h"

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CQOR;
class CQOR1Doc;
class CZurrpunkt;
class CZurrmittel;
class CZurrschiene;
class CZusLast;
class CLadeeinheit;
class sZPPtrTupel;
class sFSParam;
class SLadung;
class tagZLINFO;
struct tagLGINFO;

// The cab picture of a motor vehicle, created by the drawing code; the vehicle owns it and asks it for
// its front length.
class IFahrerhausBild
{
public:
    virtual ~IFahrerhausBild() = default;
    virtual bool HatBild() const = 0;
    virtual double GetVorbauLaenge() const = 0;
    // The picture's length value (its first int over its second).
    virtual double GetLaenge() const = 0;
};

// Rebuilds the 3D mesh of a vehicle's chart; the 3D side implements it, and a document that has one
// registered (CQOR1Doc::SetDiagrammNetz) hands it to its vehicles' UpdateDiagramm.
class IDiagrammNetz
{
public:
    virtual ~IDiagrammNetz() = default;
    virtual void BaueNetz(CFahrzeug& fahrzeug) = 0;
};

class CFahrzeug : public PersistentObject
{
    QOR_DECLARE_SERIAL(CFahrzeug)

public:
    using ZurrpunktListe = std::list<std::unique_ptr<CZurrpunkt>>;
    using ZurrmittelListe = std::list<std::unique_ptr<CZurrmittel>>;
    using ZurrschienenListe = std::list<std::unique_ptr<CZurrschiene>>;

    static constexpr int MAX_ACHSEN = 10;

    // The combination's payload by the coupling limit as a function of x.
    using SBruch = CKurvenpunktGrenzen::SBruch;

    CFahrzeug();
    virtual ~CFahrzeug();
    CFahrzeug(const CFahrzeug&) = delete;
    CFahrzeug& operator=(const CFahrzeug&) = delete;

    int Reset();

    // The vehicle record of the first file version: name, kind, axle count, masses, load-area length,
    // axle records 0 to 3, the texts, minimum shares, additional loads and loads. Loading reads exactly
    // these fields; everything else keeps its value and wants a recalculation.
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    // Virtual operations.
    virtual double CalcSchwerpunkt(bool bMitLadung);
    virtual float GetSummeAchslasten();
    virtual void CalcAchslasten(float* pVorn, float* pHinten);
    virtual double GetGesamtlaenge(bool bMitPartner);
    // The limit check: the findings as Grenzwert bits; asked for the whole combination (not only the
    // own records), Grenzwert::kAllesHaelt when nothing is found.
    virtual int CheckGrenzwerte(bool bNurEigene);
    // Whether the plan's load (its mass at its centre of gravity) lies within the curve: 1, else 0; 1
    // without a plan.
    int CheckLadung();
    // The same for a load of mass `m` whose centre of gravity lies at `x` from the usable area's front.
    int CheckLadung(double x, double m);
    virtual int CheckQuerSchwerpunkt();
    virtual double CalcKombination1(int nFall, CFahrzeug* pA, CFahrzeug* pB, double x);
    virtual double CalcKombination2(int nFall, CFahrzeug* pA, CFahrzeug* pB, double x);
    virtual double GetGesamtmasse(bool bMitPartner);
    virtual int CalcAktiveGrenzen();
    virtual double CalcNutzlastAnteilgrenze(int nGruppe, double x, double dAnteil);
    virtual void BuildGeometrie();
    virtual void CalcKupplungsdaten();
    virtual int GetKupplungsStatus(int nModus, SYs2X* pPunkt);
    virtual double CalcZulLast(int nGruppe, double x);
    virtual void CalcAchslastenBeladen(double* pVorn, double* pHinten);
    virtual double GetZulAchsgruppenlast(bool bHinten);
    // The permissible payload at x (load-area coordinates) and, when asked, the code of the deciding limit.
    virtual double CalcNutzlastAnPos(double x, int* pGrenze = nullptr);
    virtual double CalcNutzlastAnPosGesamt(double x);
    virtual int CalcKurvenpunkt(SYs2X* pPunkt);
    virtual void PrepareBerechnung();
    virtual double GetPosLetzteAchse();
    virtual double GetAchsPosition(int i);
    virtual void Recalc();
    // Recalculates this vehicle and, when it has one, its partner as the towing vehicle (the document's
    // vehicle is the trailer of a combination). The trailer reads the towing vehicle's own geometry; the
    // towing vehicle reads the trailer's loads and, behind a tractor, its curve. So the towing vehicle's
    // geometry comes first, then the trailer, then the towing vehicle: one round gives the final values
    // from any state, a fresh coupling included.
    void RecalcMitPartner();
    // The same after only the loads on the plan changed since the last recalculation (moved, added, removed,
    // weighed anew), the vehicles' own data not: the same results, to the bit. A curve that does not depend
    // on the loads is kept as the last recalculation left it; only the group loads, centre of gravity,
    // usable range and limits are worked out again.
    void RecalcLadungMitPartner();
    // Whether this vehicle's curve changes with the loads on the combination's plans: a towing vehicle's
    // with the trailer's coupling load, a trailer's with the towing vehicle's load; a semi-trailer's does
    // not, nor a tractor's without a load area; a vehicle alone never.
    bool IsKurveLadungsabhaengig() const;
    // Where the sampling of the curve starts, metres from the load-area front.
    double GetKurvenAnfang() const
    {
        return m_nArt == FahrzeugArt::kSattelzugmaschine ? static_cast<double>(0.22f) : 0.0;
    }

    // Lashing equipment. Adds a device to the used devices: the new count of an equal entry, 0 when the
    // entry or the device has count 0, or the negated count of a new entry.
    int AddZurrmittel(const CZurrmittel& device, bool bMitName);
    // The first lashing point with the same flags and all three values within tol.
    CZurrpunkt* FindZurrpunkt(const CZurrpunkt& point, double tol) const;
    // Appends pairs of opposite lashing points with x in [x0, x1]; the number appended.
    int CollectZurrpunktPaare(double x0, double x1, std::vector<std::unique_ptr<sZPPtrTupel>>& list);
    // The smallest lateral distance of one side's points in [x0, x1]; -1000.0 when there is none.
    double GetMinSeitenabstand(double x0, double x1, bool bLinks, int* pCount);
    // The position of the first lashing rail; -1.0 without rails.
    double GetSchienenPosition() const;
    // Re-attaches the plan's load units to this vehicle's lashing points, rails and blocking items.
    void RelinkZurrpunkte();
    // Rebuilds the chart's mesh (through pNetz, when given) when the vehicle marked it out of date: 1 when
    // it did, else 0.
    int UpdateDiagramm(IDiagrammNetz* pNetz);
    // 1 when a load unit (the given one, or any) uses the lashing point (the given one, or any of the
    // vehicle's).
    int IsZurrpunktBelegt(const CZurrpunkt* pPunkt, const CLadeeinheit* pEinheit, bool bMitVerfahren,
                          int nVerfahren) const;

    // Adds the front placing margin to *pX and the side margin to *pY (null pointers are skipped).
    void AddRandabstand(double* pX, double* pY) const;

    // The edits of the vehicle's own data that the views make; the caller recalculates afterwards.
    void SetName(const std::string& name) { m_strName = name; }
    void SetBemerkung(const std::string& text) { m_strBemerkung = text; }
    void SetLFLaenge(double d) { m_dLFLaenge = d; }
    void SetSattelVersatz(double d) { m_dSattelVersatz = d; }
    void SetKupplungsabstand(double d) { m_dKupplungsabstand = d; }
    void SetZulGesamtgewicht(double d) { m_dZulGesamtgewicht = d; }
    void SetKupplungslast1(double d) { m_dKupplungslast1 = d; }
    void SetMinAnteilVorn(unsigned int n) { m_nMinAnteilVorn = n; }
    void SetMinAnteilHinten(unsigned int n) { m_nMinAnteilHinten = n; }
    // The distance of axle record `nRecord` from the record before it (0 to MAX_ACHSEN - 1).
    void SetAchsAbstand(int nRecord, double d) { m_Achsen[nRecord].dAbstand = d; }
    void SetAchse9Leerlast(double d) { m_Achsen[9].dLeerlast = d; }
    // Both copies of the margins (placing and usable area) take `lf`.
    void SetNutzbareLF(const SNutzbareLF& lf) { m_NutzLF[0] = m_NutzLF[1] = lf; }
    // The margins of the usable area take `lf`; the placing margins only its distances.
    void SetLFRaender(const SNutzbareLF& lf);
    // The overhangs (front, rear, side B, side A; all 0 without bMit): each frees its border of the
    // placing margins (borders 1, 3, 4 and 2), which otherwise takes the usable area's margin.
    void SetUeberstaende(const double* pWerte, bool bMit);
    void SetRasterSchritt(int n) { m_nRasterSchritt = n; }
    // The mark of an edit of the vehicle's own data (cleared when its file is written).
    void SetModified() { m_bModified = 1; }
    // Whether the chart must be built anew before it is drawn.
    void SetDiagrammVeraltet(bool b) { m_bDiagrammVeraltet = b ? 1 : 0; }
    CFahrzeugDiagramm& GetDiagramm() { return m_Diagramm; }

    // Accessors and small queries.
    int GetArt() const { return m_nArt; }
    int GetFahrzeugTyp() const { return IsArt5() ? FahrzeugArt::kZugmaschineUntertyp : m_nArt; }
    bool IsArt5() const { return m_nArt == FahrzeugArt::kZugmaschine && m_nAchsFlags[9] != 0; }
    std::string GetArtName() const;
    CFahrzeug* GetPartner() const { return m_pPartner; }
    CQOR* GetQor() const { return m_pQor; }
    int GetAchsanzahl() const { return m_nAchsanzahl; }
    double GetAchse1Abstand() const { return m_Achsen[0].dAbstand; }
    float GetAchse1Position() const;
    double GetLFLaenge() const { return m_dLFLaenge; }
    float GetLFBreite() const { return m_nArt == FahrzeugArt::kSattelzugmaschine ? 0.0f : m_fLFBreite; }
    bool GetNutzbareLF(double* pLaenge, double* pBreite) const;
    bool GetNutzbareLFFloat(float* pLaenge, float* pBreite) const;
    double GetRandabstand(int i) const;
    int GetRasterAnzahl(int nSeite) const;
    double GetAbstandLaengs(int nSeite, double x, double dLaenge) const;
    double GetAbstandQuer(int nSeite, double y, double dBreite) const;
    // As GetAbstandQuer for a placed load: its lateral position and its extent across the vehicle.
    double GetAbstandQuerLg(int nSeite, const tagLGINFO* pLast) const;
    double GetVorbauLaenge() const;
    double GetGewichtsRaster() const { return m_dZulGesamtgewicht <= 3.5 ? 0.025 : 0.5; }
    double GetAchse9Leerlast() const;
    // Empty and permissible load of axle n: record n for kinds 2 and 3 (0 the coupling point), record
    // n - 1 for the others; only records 0 to 3 answer, anything else gives 0.0.
    double GetAchsLeerlast(int n) const;
    double GetAchsZulLast(int n) const;
    void SetAchsLeerlast(int i, double v);
    void SetAchsZulLast(int i, double v);
    // The index reached by walking the axle flags of the records in use, and the count of unflagged
    // records passed.
    int GetAchsgruppenTrennung(int* pAnzahl = nullptr) const;
    bool IsVorderachse(int i) const;
    // The lashing equipment as plain pointers; the vehicle keeps it (the lists below).
    // Takes the point out of the list and hands it back; null for a point the vehicle does not hold.
    std::unique_ptr<CZurrpunkt> RemoveZurrpunkt(const CZurrpunkt* p);
    RawPointerRange<ZurrpunktListe> GetZurrpunktListe() const
    {
        return RawPointerRange<ZurrpunktListe>(m_Zurrpunkte);
    }
    RawPointerRange<ZurrmittelListe> GetZurrmittelBenutzt() const
    {
        return RawPointerRange<ZurrmittelListe>(m_ZurrmittelBenutzt);
    }
    RawPointerRange<ZurrmittelListe> GetZurrmittelKatalog() const
    {
        return RawPointerRange<ZurrmittelListe>(m_ZurrmittelKatalog);
    }
    RawPointerRange<ZurrschienenListe> GetZurrschienen() const
    {
        return RawPointerRange<ZurrschienenListe>(m_Zurrschienen);
    }
    bool HasZLTyp(int nTyp) const;
    // The ZL items: AddZL takes one over and answers it, RemoveZL hands it back (null for an item the
    // vehicle does not hold).
    tagZLINFO* AddZL(std::unique_ptr<tagZLINFO> pItem);
    bool HasZL(const tagZLINFO* pItem) const;
    std::unique_ptr<tagZLINFO> RemoveZL(const tagZLINFO* pItem);
    bool HasZLTyp1() const { return HasZLTyp(1); }
    bool HasUeberstand() const;
    bool GetStatusFlag() const;
    float GetQorAnzahl() const;
    double GetMaxNutzlast(bool bNurEigene) const;
    // Distance of axle 1 to axle 2 (and on to axle 3 with three axles) less the stored correction.
    double GetRadstandKorrigiert() const;
    // The points of this vehicle's curve, or of its partner's.
    CTupelList* GetKurve(bool bPartner);
    // The geometry of the axle groups as the last recalculation left it.
    const SAchsGeometrie& GetAchsGeometrie() const { return m_Geo; }
    // The permissible-payload curve, its maximum and the usable centre-of-gravity range.
    const CNutzlastKurve& GetNutzlastKurve() const { return m_NutzlastKurve; }
    CNutzlastKurve& GetNutzlastKurve() { return m_NutzlastKurve; }

    // The limits of the curve points.
    const CKurvenpunktGrenzen& GetKurvenpunktGrenzen() const { return m_Grenzen; }
    // The usable centre-of-gravity range of the plan's load, and the part of the curve inside it.
    int CalcNutzbarerBereich() { return m_NutzlastKurve.CalcNutzbarerBereich(); }

    // The load-changed mark of the vehicle and its partner: raised by the loading ramp while it moves a
    // load and by the loading plan after each committed change of loads (the curve itself stays as it
    // was); the next curve build of either answers 0, leaves the chart marked current, and clears it.
    void SetLadungBewegt();
    bool IsLadungBewegt() const { return m_bLadungBewegt; }

    // Non-virtual helpers of the calculation.
    double CalcLeergewicht();
    void GetAchslastAnteile(float* pVorn, float* pHinten);
    double CalcHinterachsgruppe(bool bCached);
    double CalcPosRelAchse1();
    int CalcAnzahlVorderachsen();
    void CalcAchsPositionen(double x0, bool bZusammengefasst);
    double GetZLPosition(tagZLINFO* pItem) const;
    // Number of axle records in use: the axles, plus the coupling point of kinds 2 and 3.
    int GetRecordAnzahl() const;
    // True while the working values of the last geometry are all finite and the wheelbase positive.
    bool IsBerechenbar() const { return m_bBerechenbar != 0; }

    // Adding and removing axles. A new axle follows the last one at kNeuerAchsAbstand; kFreiHinten of
    // load area stays behind it, and no axle distance becomes shorter than kMindestAchsAbstand.
    static constexpr double kNeuerAchsAbstand = 1.31;
    static constexpr double kFreiHinten = 1.3;
    static constexpr double kMindestAchsAbstand = 1.0;
    // The most axles a vehicle of a kind may have: 4 for rigid trucks and drawbar trailers, else 3.
    static int GetMaxAchsen(int nArt);
    // An axle may be added below the kind's maximum, never to a vehicle of reported type 5.
    bool CanAddAchse() const;
    // One more axle record behind the last (the loads of the record before). When less than kFreiHinten
    // of the load area (behind a rigid truck's front section) stays free behind it, the axle at the group
    // split gives up the shortfall, down to kMindestAchsAbstand, and the load area grows by the rest.
    // Marks the vehicle modified; false when no record is left.
    bool AddAchse();
    // Axle record `nRecord` may be removed when it is not the first and either more than two records
    // count in their groups or it is itself grouped.
    bool CanRemoveAchse(int nRecord) const;
    // The records behind `nRecord` move one place forward; with two records left the second one's group
    // flag is cleared. Marks the vehicle modified.
    bool RemoveAchse(int nRecord);
    // Whether axle record `nRecord` is grouped with the one before (false outside 0 to MAX_ACHSEN - 1).
    bool IsAchseGruppiert(int nRecord) const;
    // The group flag of record `nRecord` may be switched when it is set, or when the record is not the
    // first and the vehicle has more than two axles.
    bool CanSchalteAchsGruppe(int nRecord) const;
    // Switches the group flag of record `nRecord` and marks the vehicle modified; false outside 0 to
    // MAX_ACHSEN - 1.
    bool SchalteAchsGruppe(int nRecord);

    // The combination as the document holds it: the trailer is the document's vehicle and the motor
    // vehicle its partner.
    bool IsMotorfahrzeug() const
    {
        return m_nArt == FahrzeugArt::kZugmaschine || m_nArt == FahrzeugArt::kSattelzugmaschine;
    }
    bool IsAnhaengerArt() const
    {
        return m_nArt == FahrzeugArt::kAnhaenger || m_nArt == FahrzeugArt::kStarrdeichsel ||
               m_nArt == FahrzeugArt::kAuflieger;
    }
    CFahrzeug* GetDokAnhaenger() const;
    CFahrzeug* GetDokZugfahrzeug() const;
    bool IsDokZugfahrzeug() const { return GetDokAnhaenger() != nullptr; }
    // Couples `anhaenger` behind `zugfahrzeug`: each names the other, and a partner either had before
    // is let go. Neither owns the other.
    static void Koppeln(CFahrzeug& zugfahrzeug, CFahrzeug& anhaenger);
    // Parts the vehicle from its partner (nothing without one); a tractor that showed its
    // semi-trailer's plan no longer does.
    void Entkoppeln();
    // Mass of the loads of the plan; 0.0 without a plan.
    double GetQorMasse() const;
    // The coupling load that counts while the coupling-load flag is set.
    double GetKupplungslast() const;

    // A small header record, not read by the calculations.
    int m_nKopf[3] = {-1, 0, 0};
    // The vehicle's chart.
    CFahrzeugDiagramm m_Diagramm;
    // The constraint mask.
    int m_nGrenzMaske = 0;
    // The plan (a semi-trailer tractor points to its semi-trailer's and never deletes it).
    CQOR* m_pQor = nullptr;
    // A reserved word and the chart-out-of-date mark.
    std::uint16_t m_wReserve = 0;
    int m_bDiagrammVeraltet = 1;
    // Set once the chart's mesh has been built.
    int m_bDiagrammNetz = 0;
    // ZL items in the order they were added; the vehicle owns them.
    std::vector<std::unique_ptr<tagZLINFO>> m_ZLInfos;
    // Axle flags (0: counted in its axle group); the tenth is the sub-type flag of kind 0.
    int m_nAchsFlags[MAX_ACHSEN] = {};
    // The payload limit of a trailer's checks, reserved values and the value stored beside the kind.
    double m_dNutzlastGrenze = 0.0;
    double m_dAnhaengerReserve = 0.0;
    int m_nAnhaengerReserve = 0;
    int m_nArtZusatz = 1;
    // Kind (see FahrzeugArt), name and axle count.
    int m_nArt = -1;
    std::string m_strName;
    int m_nAchsanzahl = 0;
    // Masses and load-area length.
    double m_dLeergewicht = 0.0;
    double m_dZulGesamtgewicht = 0.0;
    double m_dLFLaenge = 0.0;
    // The remarks on the vehicle (the remarks link of the template view, its tool tip and the report), and
    // the minimum group shares in percent.
    std::string m_strBemerkung;
    unsigned int m_nMinAnteilVorn = 0;
    unsigned int m_nMinAnteilHinten = 0;
    // The axle records; record 0 is the coupling point of kinds 2 and 3.
    SAchse m_Achsen[MAX_ACHSEN];
    // Coupling values and the coupling-load flag.
    double m_dKupplungswert[4] = {-1.0, -1.0, -1.0, -1.0};
    int m_bKupplungslast = 0;
    // The coupling load acts at load-area length - m_dKupplungsabstand.
    double m_dKupplungsabstand = 0.0;
    double m_dKupplungslast1 = 0.0; // of a motor vehicle: its permissible support or fifth-wheel load
    double m_dKupplungslast2 = 0.0;
    double m_dGrundmasse = 0.0;
    int m_nGeladen = 0;
    // Load-area margins (placing and usable area) and the overhang.
    SNutzbareLF m_NutzLF[2];
    SUeberstLG m_Ueberstand;
    // Working values of the combination and of the calculation.
    double m_dRadstandKorrektur = 0.0;
    double m_dKombiWert = 0.0;
    unsigned char m_bKombiFlag = 0;
    double m_dSattelVersatz = 0.0; // fifth wheel ahead of the rear (group) axle
    int m_nKopfInt = -1;
    IFahrerhausBild* m_pFahrerhausBild = nullptr;
    double m_dNutzlast = 0.0;
    double m_dZulLastAnPos = 0.0;
    float m_fLFBreite = 0.0f;
    int m_nSeitenProzent = 4;            // permitted side difference, percent
    int m_nRasterSchritt = 1;            // grid step of the loading plan, cm (1 to 100)
    double m_dKupplungsX = 0.0;          // coupling x from the front-group centre
    double m_dGekoppelteMasse = 0.0;     // coupled unladen mass
    double m_dKupplungsabstandGeo = 0.0; // coupling distance used by the combination formulas
    double m_dRadstand = 0.0;
    double m_dHinterLeerSumme = 0.0;
    double m_dHinterZulSummePrep = 0.0;
    double m_dZusLastMasse = 0.0;
    double m_dZusMomentVorn = 0.0;
    double m_dZusMomentHinten = 0.0;
    double m_dMinAnteilVorn = 0.0;
    double m_dMinAnteilHinten = 0.0;
    double m_dAchse1Abstand = 0.0;
    int m_nGrenzeAktiv[5] = {};
    // The other vehicle of a combination; not owned.
    CFahrzeug* m_pPartner = nullptr;
    // Lashing equipment, owned.
    ZurrpunktListe m_Zurrpunkte;
    ZurrmittelListe m_ZurrmittelBenutzt;
    ZurrmittelListe m_ZurrmittelKatalog;
    ZurrschienenListe m_Zurrschienen;
    // The owning document, and the selector: while set, the second coupling load counts.
    CQOR1Doc* m_pDoc = nullptr;
    unsigned char m_bKupplungslast2 = 1;
    // Additional loads and loads, owned.
    std::list<std::unique_ptr<CZusLast>> m_ZusLasten;
    std::list<std::unique_ptr<SLadung>> m_Ladungen;
    // Flags of the recalculation and the axle counts of the geometry.
    unsigned char m_bMaskeHalten = 0;
    int m_nAnzahlVorderachsen = 0;
    // Two further texts, stored with the vehicle's first-version record only; nothing shows them.
    std::string m_strReserveTexte[2];
    // Derive the rear-group working values in PrepareBerechnung.
    int m_bMitArbeitswerten = 1;
    int m_nReserveArbeitswerte = 0;

    // Working values of the geometry and the axle-load calculation.
    double m_dVorderachsPos = 0.0;
    double m_dVorderLeerSumme = 0.0;
    double m_dVorderZulSumme = 0.0;
    double m_dGrundSchwerpunkt = 0.0;
    double m_dLeerPos = 0.0; // empty-vehicle x from the front-group centre
    double m_dZLMasse = 0.0;
    double m_dZLPos = 0.0;
    double m_dMomentVorn = 0.0;
    double m_dMomentHinten = 0.0;
    double m_dMomentVornBeladen = 0.0;
    double m_dMomentHintenBeladen = 0.0;
    double m_dZulLastVorn = 0.0;
    double m_dZulLastVorn2 = 0.0;
    double m_dZulLastHinten = 0.0;
    double m_dAnteilVorn = 0.0;
    double m_dAnteilHinten = 0.0;
    double m_dMinLastVorn = 0.0;
    double m_dMinLastHinten = 0.0;
    double m_dPlanLast = 0.0;
    double m_dAchslastVorn = 0.0;
    double m_dAchslastHinten = 0.0;
    double m_dKupplungslastGeo = 0.0; // coupling load counted by the last geometry
    double m_dKupplMomentVorn = 0.0;
    double m_dKupplMomentHinten = 0.0;
    double m_dStuetzlast = 0.0;    // support or kingpin load carried by a motor vehicle
    double m_dZulStuetzlast = 0.0; // permissible support or kingpin load of a trailer
    double m_dKupplungsKonstante1 = 0.0;
    double m_dKupplungsKonstante2 = 0.0;
    double m_dKupplungsWertL = 0.0;
    double m_dKupplungsGrenze = 0.0;
    double m_dKupplungsD = 0.0;
    unsigned char m_bKupplungGueltig = 0;
    unsigned char m_bKupplungRichtung = 0;
    int m_bBerechenbar = 1;
    // Set by every edit of the vehicle's own data, cleared when its file is written.
    unsigned char m_bModified = 0;

protected:
    // The geometry of the axle groups, worked out by BuildGeometrie.
    SAchsGeometrie m_Geo;

    // x of a lashing point on this vehicle's load area.
    double GetZurrpunktX(CZurrpunkt* p) const;

    // The base part of the geometry and the moments every vehicle class adds.
    void BuildGeometrieBasis();
    void CalcMomente();
    // Marks the vehicle not computable when a working value is not finite or the wheelbase not positive.
    void PruefeBerechenbar();
    // Base limit check of the motor vehicles and the trailer versions.
    int CheckGrenzwerteMotor(bool bNurEigene);
    int CheckGrenzwerteAnhaenger(bool bNurEigene, bool bMitPartnerMasse);
    // Steps both limit checks share; nPartnerBit marks the partner's faults (Grenzwert::kBeimAnhaenger
    // or kBeimZugfahrzeug) and nEigenBit this vehicle's.
    int PruefePartnerGrenzwerte(int nMaske, bool bNurEigene, CFahrzeug* pPartner, int nPartnerBit);
    int PruefeQuerGrenze(int nMaske, int nPartnerBit);
    static int GrenzwertAntwort(int nMaske, bool bNurEigene, int nPartnerBit, int nEigenBit);
    int CalcAktiveGrenzenMit(bool bAnteile);

    // The limits of the curve points, worked out from this vehicle's working values.
    CKurvenpunktGrenzen m_Grenzen{*this};
    using SGrenzRahmen = CKurvenpunktGrenzen::SGrenzRahmen;

    // The fraction of CalcKombination2's second case with this vehicle's coupling distance.
    SBruch Kombination2Bruch(CFahrzeug* A, CFahrzeug* B) const;
    // The fraction of CalcKombination2(2, partner, this, x); a class that overrides CalcKombination2
    // overrides this with it.
    virtual SBruch Kupplungsgrenze();

private:
    friend class CNutzlastKurve;
    friend class CKurvenpunktGrenzen;

    // Clears the load-changed mark of the vehicle and its partner and answers whether it was raised.
    bool NimmLadungBewegt();
    bool m_bLadungBewegt = false;

    // The record of axle number n for GetAchsLeerlast and GetAchsZulLast, or -1.
    int AchsRecordOf(int n) const;
    CNutzlastKurve m_NutzlastKurve{*this};
};
