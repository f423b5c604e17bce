// The load-securing figures of the load units of a vehicle: the cursor over the units, the calculation by
// the simple (top-over lashing) or the detailed (direct lashing) method, the defects and the HTML report.
#pragma once

#include "model/securing/SLgspWerte.h"

#include <filesystem>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

class CFahrzeug;
class CLadeeinheit;
class ILgspReportDokument;
class CWizardParams;
class sZPPtrTupel;

// The pair of the list that is not yet marked and whose first point's stored distance lies nearest to
// x (the first of equal distances); null when none.
sZPPtrTupel* FindNaechstenEintrag(const std::vector<std::unique_ptr<sZPPtrTupel>>& liste, double x);

// Width and height of a BMP file from its file header ("BM") and info header; false when the file does not
// open, its headers are short or it is no bitmap.
bool ReadBitmapSize(const std::string& path, int* pBreite, int* pHoehe);

class CLgspReport
{
public:
    // Defect code recorded in the load unit when its securing cannot be assessed.
    static constexpr int kMangelNichtBewertbar = 9;

    explicit CLgspReport(ILgspReportDokument* pDoc);
    ~CLgspReport();
    CLgspReport(const CLgspReport&) = delete;
    CLgspReport& operator=(const CLgspReport&) = delete;

    // 1: the front or single vehicle (not a semi-trailer tractor); 2: the trailer.
    bool SelectFahrzeug(int nWelches);
    void SetFahrzeug(CFahrzeug* pFahrzeug);
    CFahrzeug* GetFahrzeug() const { return m_pFahrzeug; }
    int GetWelchesFahrzeug() const { return m_nWelches; }

    // The load-unit cursor over the selected vehicle's plan: ids, 0 at the end.
    int GetFirstLadeeinheit();
    int GetNextLadeeinheit();
    // Reports this unit only; true when it is the plan's active unit.
    bool SetLadeeinheit(CLadeeinheit* pEinheit);
    CLadeeinheit* GetLadeeinheit() const { return m_pEinheit; }

    // Settings in force: the ones set here, else the current unit's own.
    void SetWizardParams(CWizardParams* p) { m_pWizardParams = p; }
    CWizardParams* GetWizardParams() const;
    float GetAbminderungsFaktor() const;
    // The reduction factor of the friction under these settings: 0.75 for the detailed method of the
    // second standard unless an anti-slip mat without its qualifier is used, else 1.0.
    static float AbminderungsFaktor(const CWizardParams& wp);

    // Computes the figures of the current unit into the block of its method; false when there is no
    // current unit or no selected vehicle. Figures that cannot be computed from the inputs are marked
    // not assessable in the block, and the unit gets a defect saying why.
    bool CalcLgsWerte();

    // Top-over lashing to the vehicle's lashing points (the simple method with lateral source 0): the
    // current unit's pairs become the pairs of opposite lashing points of the selected vehicle that lie
    // along the unit as it stands now (its earlier pairs are dropped). Returns how many there are; -1,
    // with the pairs left alone, under other settings or without a current unit or vehicle.
    int SammleZurrpunktPaare();

    // The block last filled (null before the first calculation), and both blocks.
    const SLgspWerte* GetWerte() const { return m_pWerte; }
    const SLgspWerte& GetEinfach() const { return m_Einfach; }
    const SLgspWerte& GetDetail() const { return m_Detail; }

    // Number of lashings for a count n: its whole part, one more when the rest is at least 0.2, and at
    // least 2. Not defined for a count that is not finite or not below kMaxZurrmittel.
    static int RundeZurrmittel(double n);
    static constexpr double kMaxZurrmittel = 10000.0;

    // Records in the current unit's defect list what its figures ask of the lashing points, rails and
    // the lashing device and what they cannot carry. Works on the block last filled; the defect of a
    // calculation that could not be assessed stays.
    void FindMaengel();

    // Draws the securing sketch of `einheit` on `fahrzeug` (variant nSketch) into the BMP file `path`;
    // set by the load-securing view. The unit is also its plan's active one while it runs.
    using SketchRenderer =
        std::function<bool(const std::string& path, int nSketch, CFahrzeug& fahrzeug, CLadeeinheit& einheit)>;
    void SetSketchRenderer(SketchRenderer f) { m_Sketch = std::move(f); }
    // The folder the sketches go to (the report's own folder, so the PDF converter may read them); the
    // picture folder while none is set.
    void SetSkizzenOrdner(const std::filesystem::path& folder) { m_skizzenOrdner = folder; }

    // The HTML report of the current unit: calculates, finds the defects, draws the sketch into
    // name + ".bmp" in the sketch folder and fills the page template of the method (with bFullPage
    // the whole page, else its body). bFile false: the page goes to *pHtml. bFile true: the page is
    // written to name + ".html" beside the sketch and *pHtml gets its path; false, *pHtml unchanged,
    // when it cannot be written. False without a current unit or vehicle.
    bool WriteHtml(const std::string& name, bool bFile, int nSketch, int nMaxBildBreite, bool bFullPage,
                   std::string* pHtml);

    // Texts of the report: the page head, the bodies of the simple and the detailed method (templates
    // of the language module) and the closing text.
    std::string m_strKopf;
    std::string m_strEinfach;
    std::string m_strDetail;
    std::string m_strEnde;

private:
    void CalcEinfach(SLgspWerte& w, const CWizardParams& wp, double L, double W, double H, double xs);
    void CalcDetail(SLgspWerte& w, const CWizardParams& wp, double L, double W, double H, double xs,
                    double ys);
    void CalcDetailEcken(SLgspWerte& w, int nDetailWert, bool bEcke[4]);
    void CalcDetailRichtungen(SLgspWerte& w, const bool bEcke[4], double L, double W, double H, double xs,
                              double ys) const;
    static void FasseEckenZusammen(SLgspWerte& w);
    // Offset i (1 lengthwise, 2 crosswise, 3 height) of corner `ecke`'s attachment point, 0 without one.
    double AnschlagVersatz(int ecke, int i) const;
    void SetZurrpunkte(const SLgspWerte& w, const CWizardParams& wp, double L);
    void MeldeNichtBewertbar(const SLgspWerte& w);
    void FindMaengelEinfach(const SLgspWerte& w);
    void FindMaengelDetail(const SLgspWerte& w);
    std::string ZeichneSkizze(const std::string& name, int nSketch);

    SLgspWerte m_Einfach;
    SLgspWerte m_Detail;
    SLgspWerte* m_pWerte = nullptr;
    ILgspReportDokument* m_pDoc = nullptr;
    std::list<std::unique_ptr<CLadeeinheit>>::const_iterator m_itPos;
    bool m_bCursor = false;
    CLadeeinheit* m_pEinheit = nullptr;
    CFahrzeug* m_pFahrzeug = nullptr;
    int m_nWelches = 0;
    CWizardParams* m_pWizardParams = nullptr;
    SketchRenderer m_Sketch;
    std::filesystem::path m_skizzenOrdner;
    // Position and box of the current unit in plan coordinates.
    double m_dX = 0.0, m_dY = 0.0;
};
