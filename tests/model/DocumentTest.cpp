// The document: accessors, the vehicle worked on, recalculation order, saving and the close-time
// write-back.
#include "FahrzeugTestSupport.h"

#include "model/archive/ArchiveError.h"
#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/document/CQOR1Doc.h"
#include "model/document/DocumentHost.h"
#include "model/plan/CQOR.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CAuflieger.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CSattelzugmaschine.h"
#include "model/vehicle/CZugmaschine.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/SYs2X.h"
#include "model/vehicle/tagZLINFO.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using fahrzeugtest::Erzeuge;

std::vector<std::string>* g_pLog = nullptr;

void Log(const std::string& s)
{
    if (g_pLog)
        g_pLog->push_back(s);
}

class LogZug : public CZugmaschine
{
public:
    void Recalc() override
    {
        Log("Recalc " + m_strName);
        CZugmaschine::Recalc();
    }
};

class LogAuflieger : public CAuflieger
{
public:
    void Recalc() override
    {
        Log("Recalc " + m_strName);
        CAuflieger::Recalc();
    }
};

class LogSattel : public CSattelzugmaschine
{
public:
    void Recalc() override
    {
        Log("Recalc " + m_strName);
        CSattelzugmaschine::Recalc();
    }
};

class FakeHost : public DocumentHost
{
public:
    void UpdateAllViews(UpdateHinweis eHinweis, bool bOhne) override
    {
        Log("Update " + std::to_string(int(eHinweis)) + (bOhne ? " others" : ""));
    }
    bool QueryLeaveViews(VerlassenGrund eGrund, int nArg, std::string& message) override
    {
        Log("Leave " + std::to_string(int(eGrund)) + " " + std::to_string(nArg));
        message += m_strVerweigerung;
        return m_bVerweigern;
    }
    int NotifyViews(DokumentMeldung eMeldung, int nValue) override
    {
        Log("Notify " + std::to_string(int(eMeldung)) + " " + std::to_string(nValue));
        return 0;
    }
    void RedrawViews() override { Log("Redraw"); }
    void SetFrameTitle(const std::string& t) override { m_strTitel = t; }
    bool IsActiveViewModeSet() override { return m_bAnsichtModus; }
    void ShowMessage(const std::string& caption, const std::string& body, int nButton) override
    {
        Log("Message " + caption + ": " + body + " " + std::to_string(nButton));
    }
    int AskFileName(bool bKombi, const std::string& ext, const std::string& preset, std::string& folder,
                    std::string& name) override
    {
        Log("Ask " + std::string(bKombi ? "kmb " : "qor ") + ext + " " + preset);
        folder = m_strOrdner;
        name = m_strName;
        return m_nButton;
    }
    void OpenPrintDialog(CFahrzeug* pVorn, CFahrzeug* pAnh, CQOR1Doc*) override
    {
        Log("Print " + pVorn->m_strName + " " + (pAnh ? pAnh->m_strName : "-"));
    }

    bool m_bVerweigern = false;
    std::string m_strVerweigerung;
    std::string m_strTitel;
    bool m_bAnsichtModus = false;
    std::string m_strOrdner = "/tmp/";
    std::string m_strName = "Neu";
    int m_nButton = DocumentHost::kButtonOk;
};

struct MemFile : OpenVehicleFile
{
    std::string path;
    bool bSchreibbar = true;
};

// Files in memory: each write is logged with its entries, value and texts.
class FakeAccess : public VehicleFileAccess
{
public:
    bool WriteFahrzeugToFile(CFahrzeug* p, const std::string& folder, std::string* pPath, int* pIndex,
                             const std::string& fileName, std::unique_ptr<OpenVehicleFile>* ppFile,
                             int nValue, const std::string& text) override
    {
        if (!Oeffne(folder, pPath, fileName, ppFile))
            return false;
        Log("Write " + Eintrag(p, pIndex) + " v" + std::to_string(nValue) + " " + text);
        return true;
    }
    // Both vehicles in one write: one line.
    bool WriteKombinationToFile(CFahrzeug* pZug, CFahrzeug* pAnh, const std::string& folder,
                                std::string* pPath, int* pZugIndex, int* pAnhIndex,
                                const std::string& fileName, std::unique_ptr<OpenVehicleFile>* ppFile,
                                int nValue, const std::string& zugText, const std::string& anhText) override
    {
        if (!Oeffne(folder, pPath, fileName, ppFile))
            return false;
        const std::string zug = Eintrag(pZug, pZugIndex);
        Log("Write " + zug + " " + zugText + " + " + Eintrag(pAnh, pAnhIndex) + " " + anhText + " v" +
            std::to_string(nValue));
        return true;
    }
    bool IsWritable(const OpenVehicleFile& f) const override
    {
        return static_cast<const MemFile&>(f).bSchreibbar;
    }
    bool ReadRootValue(OpenVehicleFile&, int* pValue) override
    {
        *pValue = m_nRoot;
        return true;
    }
    bool WriteRootValue(OpenVehicleFile&, int nValue) override
    {
        Log("Root " + std::to_string(nValue));
        m_nRoot = nValue;
        return true;
    }

    int m_nRoot = 0;
    int m_nEintraege = 0;
    int m_nFehlerAb = -1; // writes left before one fails; -1 never

private:
    // The file of a write: a new one, or the open one; false when the write fails.
    bool Oeffne(const std::string& folder, std::string* pPath, const std::string& fileName,
                std::unique_ptr<OpenVehicleFile>* ppFile)
    {
        if (m_nFehlerAb == 0)
            return false;
        if (m_nFehlerAb > 0)
            --m_nFehlerAb;
        if (!fileName.empty()) {
            auto f = std::make_unique<MemFile>();
            f->path = folder + fileName;
            *pPath = f->path;
            *ppFile = std::move(f);
            m_nEintraege = 0;
            return true;
        }
        return *ppFile && IsWritable(**ppFile);
    }
    std::string Eintrag(CFahrzeug* p, int* pIndex)
    {
        if (*pIndex == -1)
            *pIndex = m_nEintraege++;
        return p->m_strName + " #" + std::to_string(*pIndex);
    }
};

class DocumentTest : public ::testing::Test
{
protected:
    void SetUp() override { g_pLog = &m_log; }
    void TearDown() override { g_pLog = nullptr; }

    // A rigid truck with its plan.
    CFahrzeug* Lkw(const char* name = "Lkw")
    {
        auto* p = new LogZug;
        fahrzeugtest::Setze(*p, {0, {{1.2, 4, 8}, {3.6, 3, 9}}, 18.0, 7.2});
        p->m_strName = name;
        p->m_pQor = new CQOR(p, 0, "Plan");
        return p;
    }
    // A semi-trailer tractor and its semi-trailer, the trailer being the document's vehicle.
    CFahrzeug* Sattelzug()
    {
        auto* z = new LogSattel;
        fahrzeugtest::Setze(*z, {4, {{1.0, 6, 8}, {3.8, 4, 11.5}}, 18.0, 0.0});
        z->m_strName = "SZM";
        z->m_dRadstandKorrektur = 0.4;
        auto* a = new LogAuflieger;
        fahrzeugtest::Setze(*a, {3, {{1.5, 0, 0}, {7.0, 3, 8}, {1.3, 3, 8}, {1.3, 3, 8}}, 36.0, 13.6});
        a->m_strName = "Auflieger";
        a->m_pQor = new CQOR(a, 0, "Plan");
        CFahrzeug::Koppeln(*z, *a);
        return a;
    }

    CTableTextProvider m_texte{{{294, "Rigid truck"},
                                {242, "Drawbar trailer"},
                                {241, "Centre-axle trailer"},
                                {243, "Semi-trailer"},
                                {293, "Semi-trailer tractor"},
                                {273, "Note"}}};
    ScopedTextProvider m_scope{&m_texte};
    std::vector<std::string> m_log;
    FakeHost m_host;
    FakeAccess m_access;
};

TEST_F(DocumentTest, SingleVehicleHasNoPartnerAndKeepsItsKind)
{
    struct Fall
    {
        int nArt;
        bool bArt5;
        int nEinzelArt;
    } faelle[] = {{0, false, 1}, {0, true, 1}, {4, false, 1}, {1, false, 2}, {2, false, 2}, {3, false, 2}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.nArt);
        auto v = Erzeuge({f.nArt, {{1.0, 2, 8}, {3.0, 2, 8}, {1.0, 2, 8}}, 18.0, 7.0});
        if (f.bArt5)
            v->m_nAchsFlags[9] = 1;
        CQOR1Doc doc(&m_host, &m_access);
        doc.SetFahrzeug(v.release());
        EXPECT_EQ(doc.GetAnhaenger(), nullptr);
        EXPECT_EQ(doc.GetZugfahrzeug(), nullptr);
        EXPECT_EQ(doc.GetFirstFahrzeug(), doc.GetFahrzeug());
        EXPECT_EQ(doc.GetAktivFahrzeug(false), doc.GetFahrzeug());
        EXPECT_EQ(doc.GetEinzelFahrzeugArt(), f.nEinzelArt);
        EXPECT_EQ(doc.GetAktivFahrzeugArt(), f.nEinzelArt);
        EXPECT_FALSE(doc.SetAktivFahrzeugArt(f.nEinzelArt == 1 ? 2 : 1, true, false));
        EXPECT_TRUE(doc.SetAktivFahrzeugArt(f.nEinzelArt, true, false));
        EXPECT_FALSE(doc.IsSattelKombination());
    }
}

TEST_F(DocumentTest, EmptyDocumentAnswersNull)
{
    CQOR1Doc doc(&m_host, &m_access);
    EXPECT_EQ(doc.GetAktivFahrzeug(true), nullptr);
    EXPECT_EQ(doc.GetAktivPlan(), nullptr);
    EXPECT_EQ(doc.GetMaxNutzlast(), 0.0);
    EXPECT_EQ(doc.GetGesamtlaenge(), 0.0f);
    EXPECT_EQ(doc.GetAnhaengerVersatz(), 0.0);
    EXPECT_EQ(doc.GetEinzelFahrzeugArt(), 0);
    doc.OnFahrzeugChanged(true);
    EXPECT_EQ(doc.SaveFahrzeugDateien(false, false, true), CQOR1Doc::kGespeichert);
    EXPECT_TRUE(m_log.empty());
}

TEST_F(DocumentTest, MaxPayloadOfTheScalesIsTheLargerOfVehicleAndPartner)
{
    CQOR1Doc doc(&m_host, &m_access);
    doc.SetFahrzeug(Sattelzug());
    CFahrzeug* pAuflieger = doc.GetFahrzeug();
    CFahrzeug* pZug = doc.GetZugfahrzeug();
    // The tractor has no load area and no payload of its own.
    pAuflieger->GetNutzlastKurve().SetMaxNutzlast(24.5);
    pZug->GetNutzlastKurve().SetMaxNutzlast(0.0);
    // The vehicle's own rule still gives the smaller of the two; the scales take the larger.
    EXPECT_EQ(pAuflieger->GetMaxNutzlast(false), 0.0);
    EXPECT_EQ(doc.GetMaxNutzlast(), 24.5);
    pZug->GetNutzlastKurve().SetMaxNutzlast(30.0);
    EXPECT_EQ(pAuflieger->GetMaxNutzlast(false), 24.5);
    EXPECT_EQ(doc.GetMaxNutzlast(), 30.0);
    // A single vehicle answers its own.
    CQOR1Doc einzel(&m_host, &m_access);
    einzel.SetFahrzeug(Lkw());
    einzel.GetFahrzeug()->GetNutzlastKurve().SetMaxNutzlast(9.25);
    EXPECT_EQ(einzel.GetMaxNutzlast(), 9.25);
}

TEST_F(DocumentTest, SemiTrailerCombinationWorksOnTheTrailerWhereALoadAreaIsNeeded)
{
    CQOR1Doc doc(&m_host, &m_access);
    doc.SetFahrzeug(Sattelzug());
    CFahrzeug* a = doc.GetFahrzeug();
    CFahrzeug* z = a->GetPartner();
    EXPECT_EQ(doc.GetAnhaenger(), a);
    EXPECT_EQ(doc.GetZugfahrzeug(), z);
    EXPECT_EQ(doc.GetFirstFahrzeug(), z);
    EXPECT_TRUE(doc.IsSattelKombination());
    EXPECT_EQ(doc.GetEinzelFahrzeugArt(), 0);
    EXPECT_EQ(a->m_pDoc, &doc);
    EXPECT_EQ(z->m_pDoc, &doc);

    EXPECT_TRUE(doc.SetAktivFahrzeugArt(1, false, false));
    EXPECT_EQ(doc.GetAktivIndex(), 2);
    EXPECT_EQ(doc.GetAktivFahrzeugArt(), 1);
    EXPECT_EQ(doc.GetAktivFahrzeug(true), a);
    EXPECT_EQ(doc.GetAktivFahrzeug(false), z);
    // The tractor has no plan: the semi-trailer's plan is the one worked on.
    EXPECT_EQ(doc.GetAktivPlan(), a->GetQor());
    EXPECT_EQ(m_host.m_strTitel, "SZM [Semi-trailer tractor]");

    EXPECT_TRUE(doc.SetAktivFahrzeugArt(2, false, false));
    EXPECT_EQ(doc.GetAktivIndex(), 1);
    EXPECT_EQ(doc.GetAktivFahrzeug(false), a);
    EXPECT_FALSE(doc.SetAktivFahrzeugArt(3, false, false));
}

TEST_F(DocumentTest, CouplingATrailerMakesItTheVehicleWorkedOnAndUncouplingHandsItBack)
{
    CQOR1Doc doc(&m_host, &m_access);
    doc.SetFahrzeug(Lkw("Zug"));
    doc.SetOpenFile(std::make_unique<MemFile>(), "/tmp/Zug.qor", 0, -1);
    CFahrzeug* pZug = doc.GetFahrzeug();
    auto anh = Erzeuge({1, {{1.5, 2, 8}, {4.0, 2, 8}}, 18.0, 6.0});
    anh->m_strName = "Anh";
    CFahrzeug* pAnh = anh.get();
    m_log.clear();
    bool bZL = true;
    ASSERT_TRUE(doc.KoppleAnhaenger(std::move(anh), 3, &bZL));
    EXPECT_FALSE(bZL);
    EXPECT_EQ(doc.GetFahrzeug(), pAnh);
    EXPECT_EQ(doc.GetAnhaenger(), pAnh);
    EXPECT_EQ(doc.GetZugfahrzeug(), pZug);
    EXPECT_EQ(pZug->GetPartner(), pAnh);
    EXPECT_EQ(pAnh->GetPartner(), pZug);
    EXPECT_EQ(pAnh->m_pDoc, &doc);
    EXPECT_EQ(doc.GetAnhaengerIndex(), 3);
    EXPECT_EQ(doc.GetAktivIndex(), CQOR1Doc::kAktivAnhaenger);
    // The views learn of the new vehicle worked on and are updated after the recalculation.
    EXPECT_EQ(m_log,
              (std::vector<std::string>{"Redraw", "Notify 1 0", "Recalc Zug", "Update 55", "Update 0"}));

    // A second trailer is not taken while one is coupled.
    auto zweiter = Erzeuge({1, {{1.5, 2, 8}, {4.0, 2, 8}}, 18.0, 6.0});
    EXPECT_FALSE(doc.KoppleAnhaenger(std::move(zweiter), 4));
    EXPECT_EQ(doc.GetAnhaenger(), pAnh);
    EXPECT_EQ(doc.GetAnhaengerIndex(), 3);

    // Uncoupled while the towing vehicle is worked on: it stays alone, under no file name.
    ASSERT_TRUE(doc.SetAktivIndex(CQOR1Doc::kAktivZugfahrzeug, false, false));
    std::unique_ptr<CFahrzeug> ab = doc.KoppleAb();
    ASSERT_EQ(ab.get(), pAnh);
    EXPECT_EQ(ab->GetPartner(), nullptr);
    EXPECT_EQ(pZug->GetPartner(), nullptr);
    EXPECT_EQ(doc.GetFahrzeug(), pZug);
    EXPECT_EQ(doc.GetAnhaenger(), nullptr);
    EXPECT_EQ(doc.GetAnhaengerIndex(), -2);
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_EQ(doc.GetAktivIndex(), CQOR1Doc::kAktivAnhaenger);
    EXPECT_EQ(m_host.m_strTitel, "Zug [Rigid truck]");
    EXPECT_EQ(doc.KoppleAb(), nullptr);

    // The trailer handed back can be coupled again.
    ASSERT_TRUE(doc.KoppleAnhaenger(std::move(ab), -1));
    EXPECT_EQ(doc.GetAnhaenger(), pAnh);
    EXPECT_EQ(doc.GetAnhaengerIndex(), -1);

    // Nothing to couple to.
    CQOR1Doc leer(&m_host, &m_access);
    EXPECT_FALSE(leer.KoppleAnhaenger(Erzeuge({1, {{1.5, 2, 8}, {4.0, 2, 8}}, 18.0, 6.0}), 1));
    EXPECT_EQ(leer.GetFahrzeug(), nullptr);
}

TEST_F(DocumentTest, ARigidTruckLosesItsTypeFiveEquipmentWhenATrailerIsCoupled)
{
    struct Fall
    {
        const char* name;
        int nArt;
        std::vector<int> typen; // equipment of the towing vehicle
        bool bEntfernt;         // type 5 removed
        std::vector<int> typenDanach;
    } faelle[] = {
        {"truck", FahrzeugArt::kZugmaschine, {5, 1, 5}, true, {1}},
        {"truck without", FahrzeugArt::kZugmaschine, {1, 2}, false, {1, 2}},
        {"tractor keeps it", FahrzeugArt::kSattelzugmaschine, {5}, false, {5}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        CQOR1Doc doc(&m_host, &m_access);
        auto zug = Erzeuge({f.nArt, {{1.2, 4, 8}, {3.6, 3, 9}}, 18.0, f.nArt == 0 ? 7.2 : 0.0});
        for (int nTyp : f.typen) {
            auto p = std::make_unique<tagZLINFO>();
            p->m_nTyp = nTyp;
            zug->AddZL(std::move(p));
        }
        CFahrzeug* pZug = zug.get();
        doc.SetFahrzeug(zug.release());
        const int nAnhArt = f.nArt == 0 ? 1 : 3;
        bool bZL = !f.bEntfernt;
        ASSERT_TRUE(doc.KoppleAnhaenger(
            Erzeuge({nAnhArt, {{1.5, 2, 8}, {4.0, 2, 8}, {1.3, 2, 8}}, 18.0, 6.0}), 1, &bZL));
        EXPECT_EQ(bZL, f.bEntfernt);
        std::vector<int> typen;
        for (const auto& p : pZug->m_ZLInfos)
            typen.push_back(p->m_nTyp);
        std::sort(typen.begin(), typen.end());
        EXPECT_EQ(typen, f.typenDanach);
        EXPECT_EQ(pZug->m_bModified != 0, f.bEntfernt);
    }
}

TEST_F(DocumentTest, StartValueKeepsSingleModeBesideTheEntry)
{
    for (bool bEinzel : {false, true})
        for (int nEintrag : {0, 1, 2, 63, 127}) {
            SCOPED_TRACE(std::to_string(bEinzel) + " " + std::to_string(nEintrag));
            const int nWert = CQOR1Doc::SchreibeStartWert({bEinzel, nEintrag});
            EXPECT_EQ(nWert & 1, bEinzel ? 1 : 0);
            const CQOR1Doc::StartWert w = CQOR1Doc::LeseStartWert(nWert);
            EXPECT_EQ(w.bEinzelFahrzeug, bEinzel);
            EXPECT_EQ(w.nEintrag, nEintrag);
        }
    // The entry is read from seven bits.
    EXPECT_EQ(CQOR1Doc::LeseStartWert(CQOR1Doc::SchreibeStartWert({true, 128 + 5})).nEintrag, 5);

    // Single-vehicle mode is also kept in the front vehicle's header record.
    CQOR1Doc doc(&m_host, &m_access);
    doc.SetFahrzeug(Sattelzug());
    CFahrzeug* pVorn = doc.GetFirstFahrzeug();
    pVorn->m_nKopf[1] = 7;
    doc.SetEinzelFahrzeug(true);
    EXPECT_TRUE(doc.m_bEinzelFahrzeug);
    EXPECT_EQ(pVorn->m_nKopf[0], 1);
    EXPECT_EQ(pVorn->m_nKopf[1], 0);
    doc.SetEinzelFahrzeug(false);
    EXPECT_FALSE(doc.m_bEinzelFahrzeug);
    EXPECT_EQ(pVorn->m_nKopf[0], 0);
}

TEST_F(DocumentTest, ChangingTheVehicleAsksTheViewsAndKeepsTheIndexOnRefusal)
{
    CQOR1Doc doc(&m_host, &m_access);
    doc.SetFahrzeug(Sattelzug());
    m_host.m_bVerweigern = true;
    m_host.m_strVerweigerung = "Finish the wizard first.";
    EXPECT_FALSE(doc.SetAktivIndex(2, true, true));
    EXPECT_EQ(doc.GetAktivIndex(), 0);
    EXPECT_EQ(m_log, (std::vector<std::string>{"Leave 1 0", "Message Note: Finish the wizard first. 668"}));

    m_log.clear();
    m_host.m_bVerweigern = false;
    EXPECT_TRUE(doc.SetAktivIndex(2, true, true));
    EXPECT_EQ(m_log, (std::vector<std::string>{"Leave 1 0", "Redraw", "Notify 1 0"}));
    EXPECT_FALSE(doc.SetAktivIndex(2, true, true)); // already active
}

TEST_F(DocumentTest, ModelChangeRecalculatesTheTrailerAroundTheTowingVehicleThenUpdatesTheViews)
{
    CQOR1Doc doc(&m_host, &m_access);
    doc.SetFahrzeug(Sattelzug());
    doc.OnDocumentOpened();
    EXPECT_EQ(m_log, (std::vector<std::string>{"Recalc Auflieger", "Recalc SZM", "Update 55", "Update 0"}));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_bNichtGeoeffnet, 0);

    m_log.clear();
    doc.OnFahrzeugChanged(false);
    EXPECT_EQ(m_log, (std::vector<std::string>{"Recalc Auflieger", "Recalc SZM"}));

    // In the active view mode the worked-on vehicle's chart is marked for a rebuild.
    doc.GetFahrzeug()->m_bDiagrammVeraltet = 0;
    m_host.m_bAnsichtModus = true;
    doc.OnFahrzeugChanged(false);
    EXPECT_EQ(doc.GetFahrzeug()->m_bDiagrammVeraltet, 1);
}

TEST_F(DocumentTest, TitleAndModifiedStateFollowTheVehiclesAndTheirPlans)
{
    CQOR1Doc doc(&m_host, &m_access);
    doc.SetFahrzeug(Lkw());
    CFahrzeug* v = doc.GetFahrzeug();
    doc.UpdateModifiedState();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.IsSaveEnabled());
    EXPECT_EQ(m_host.m_strTitel, "Lkw [Rigid truck]");

    v->GetQor()->m_bModified = 1;
    doc.UpdateModifiedState();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.IsSaveEnabled());
    EXPECT_EQ(m_host.m_strTitel, "Lkw [Rigid truck *]");
    EXPECT_EQ(doc.GetTitel(false), "Lkw [Rigid truck]");

    CFahrzeug ohneArt;
    ohneArt.m_strName = "X";
    EXPECT_EQ(FormatFahrzeugTitel(&ohneArt, true), "X");
}

TEST_F(DocumentTest, OverallLengthAndTrailerOffsetByKind)
{
    // Towing truck: A 1.2, L 7.2, coupling distance 0.9; trailers with A 1.5 and L 6.0.
    struct Fall
    {
        int nArt;
        bool bBild;
        double dLaenge;
        double dVersatz;
    } faelle[] = {
        {1, false, 1.2 + 7.2 + 1.0 + 6.0, 7.2 + 2.26 - 0.25 - 1.5},
        {2, false, 1.2 + 7.2 - 0.9 + 1.5 + 6.0, 7.2 - 0.9 + 1.5},
        {2, true, 1.2 + 7.2 - 0.9 + 1.5 + 6.0, 7.2 + 0.15 + 1.5},
    };
    struct Bild : IFahrerhausBild
    {
        bool HatBild() const override { return true; }
        double GetVorbauLaenge() const override { return 1.0; }
        double GetLaenge() const override { return 1.0; }
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.nArt);
        CFahrzeug* z = Lkw();
        z->m_dKupplungsabstandGeo = 0.9;
        if (f.bBild)
            z->m_pFahrerhausBild = new Bild;
        auto t = Erzeuge({f.nArt, {{1.5, 2, 8}, {4.0, 2, 8}, {1.0, 2, 8}}, 18.0, 6.0});
        CFahrzeug::Koppeln(*z, *t);
        CQOR1Doc doc(&m_host, &m_access);
        doc.SetFahrzeug(t.release());
        EXPECT_NEAR(doc.GetGesamtlaenge(), f.dLaenge, 1e-5);
        EXPECT_NEAR(doc.GetAnhaengerVersatz(), f.dVersatz, 1e-12);
    }

    // Semi-trailer: tractor wheelbase 3.8 less 0.4, trailer L 13.6, A 1.5. The kingpin stands over the
    // fifth wheel: the rear axle at -1.0 + 3.8 less the fifth-wheel offset 0.5, not the corrected
    // wheelbase.
    CQOR1Doc sattel(&m_host, &m_access);
    sattel.SetFahrzeug(Sattelzug());
    auto* pZug = static_cast<CSattelzugmaschine*>(sattel.GetZugfahrzeug());
    pZug->m_dSattelVersatz = 0.5;
    sattel.OnFahrzeugChanged(false);
    EXPECT_NEAR(sattel.GetGesamtlaenge(), 3.8 - 0.4 + 13.6 - 1.5, 1e-5);
    EXPECT_NEAR(pZug->GetSattelX(), -1.0 + 3.8 - 0.5, 1e-12);
    EXPECT_NEAR(sattel.GetAnhaengerVersatz(), -1.0 + 3.8 - 0.5 - 1.5, 1e-12);
    EXPECT_NEAR(sattel.GetAnhaengerVersatz() + sattel.GetFahrzeug()->GetAchse1Abstand(), pZug->GetSattelX(),
                1e-12);

    CQOR1Doc einzel(&m_host, &m_access);
    einzel.SetFahrzeug(Lkw());
    EXPECT_NEAR(einzel.GetGesamtlaenge(), 1.2 + 7.2, 1e-5);
    EXPECT_EQ(einzel.GetAnhaengerVersatz(), 0.0);
    auto anh = Erzeuge({1, {{1.5, 2, 8}, {4.0, 2, 8}}, 18.0, 6.0});
    CQOR1Doc einzelAnh(&m_host, &m_access);
    einzelAnh.SetFahrzeug(anh.release());
    EXPECT_NEAR(einzelAnh.GetGesamtlaenge(), 6.0 - 1.5, 1e-5);
}

TEST_F(DocumentTest, UnmodifiedDocumentWithAFileWritesNothing)
{
    CQOR1Doc doc(&m_host, &m_access);
    doc.SetFahrzeug(Lkw());
    doc.SetOpenFile(std::make_unique<MemFile>(), "/tmp/Lkw.qor", -1, -1);
    EXPECT_EQ(doc.SaveFahrzeugDateien(false, false, true), CQOR1Doc::kGespeichert);
    EXPECT_TRUE(m_log.empty());
}

TEST_F(DocumentTest, NameNeededButNotAllowedToAskIsReportedAsNotSaved)
{
    CQOR1Doc doc(&m_host, &m_access);
    doc.SetFahrzeug(Lkw());
    doc.GetFahrzeug()->m_bModified = 1;
    EXPECT_EQ(doc.SaveFahrzeugDateien(false, false, false), CQOR1Doc::kNichtGespeichert);
    EXPECT_TRUE(m_log.empty());
    EXPECT_EQ(doc.GetFahrzeug()->m_bModified, 1);
    EXPECT_TRUE(doc.IsNew());
}

TEST_F(DocumentTest, SavingANewCombinationAsksForANameAndWritesBothVehicles)
{
    CQOR1Doc doc(&m_host, &m_access);
    doc.SetFahrzeug(Sattelzug());
    doc.m_strPartnerText = "partner";
    CFahrzeug* a = doc.GetFahrzeug();
    CFahrzeug* z = a->GetPartner();
    a->GetQor()->m_bModified = 1;
    z->m_bModified = 1;
    m_host.m_strOrdner = "/data/";
    m_host.m_strName = "Zug1";

    EXPECT_EQ(doc.SaveFahrzeugDateien(false, false, true), CQOR1Doc::kGespeichert);
    EXPECT_EQ(m_log, (std::vector<std::string>{"Ask kmb .kmb SZM",
                                               "Write Zug1 #0 /data/Zug1.kmb + Zug1 #1 partner v2"}));
    EXPECT_EQ(doc.GetPathName(), "/data/Zug1.kmb");
    EXPECT_EQ(doc.GetVornIndex(), 0);
    EXPECT_EQ(doc.GetAnhaengerIndex(), 1);
    EXPECT_FALSE(doc.IsNew());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(a->GetQor()->m_bModified, 0);
    EXPECT_EQ(z->m_bModified, 0);

    // Afterwards changes go into the open file at the known entries.
    m_log.clear();
    a->m_bModified = 1;
    EXPECT_EQ(doc.SaveFahrzeugDateien(false, false, false), CQOR1Doc::kGespeichert);
    EXPECT_EQ(m_log, (std::vector<std::string>{"Write Zug1 #0 /data/Zug1.kmb + Zug1 #1 partner v2"}));

    // Skipping modified vehicles leaves them unwritten and says so.
    m_log.clear();
    a->m_bModified = 1;
    EXPECT_EQ(doc.SaveFahrzeugDateien(false, true, false), CQOR1Doc::kNichtGespeichert);
    EXPECT_TRUE(m_log.empty());
    m_log.clear(); // the destructor's write-back is not part of this test
    m_access.m_nFehlerAb = 0;
}

TEST_F(DocumentTest, CancelledOrFailedSaveKeepsTheMarks)
{
    for (int nFall = 0; nFall < 2; ++nFall) {
        SCOPED_TRACE(nFall);
        CQOR1Doc doc(&m_host, &m_access);
        doc.SetFahrzeug(Sattelzug());
        doc.GetFahrzeug()->m_bModified = 1;
        m_host.m_nButton = nFall == 0 ? 2 : DocumentHost::kButtonOk;
        m_access.m_nFehlerAb = 0; // the one write of both vehicles fails
        EXPECT_EQ(doc.SaveFahrzeugDateien(true, false, false), CQOR1Doc::kFehler);
        EXPECT_EQ(doc.GetFahrzeug()->m_bModified, 1);
        EXPECT_TRUE(doc.IsNew());
        EXPECT_TRUE(doc.GetPathName().empty());
        EXPECT_EQ(doc.GetVornIndex(), -1);
    }
}

TEST_F(DocumentTest, ClosingWritesTheLastEntryIntoTheRootOfAWritableFolder)
{
    const auto ordner = std::filesystem::temp_directory_path() / "qor_doc_test";
    std::filesystem::create_directories(ordner);
    struct Fall
    {
        bool bKombi;
        int nVorn, nAnh;
        int nRootVorher, nRootNachher;
        bool bOrdnerDa;
        bool bSchreibbar;
    } faelle[] = {
        {false, 3, -1, 1, 1 | (3 << 1), true, true}, // bit 0 stays
        {true, 4, 0, 0, 4 << 1, true, true},         // trailer index 0: the front index
        {true, 0, 2, 6, 2 << 1, true, true},         // trailer index 2
        {false, -1, -1, 7, 7, true, true},           // never written to a file: nothing
        {false, 3, -1, 7, 7, false, true},           // folder gone: nothing
        {false, 3, -1, 7, 7, true, false},           // file opened for reading only: nothing
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.nRootNachher);
        m_access.m_nRoot = f.nRootVorher;
        {
            CQOR1Doc doc(&m_host, &m_access);
            doc.SetFahrzeug(f.bKombi ? Sattelzug() : Lkw());
            const std::string path = ((f.bOrdnerDa ? ordner : ordner / "missing") / "F.qor").string();
            auto datei = std::make_unique<MemFile>();
            datei->bSchreibbar = f.bSchreibbar;
            doc.SetOpenFile(std::move(datei), path, f.nVorn, f.nAnh);
        }
        EXPECT_EQ(m_access.m_nRoot, f.nRootNachher);
    }
    std::filesystem::remove_all(ordner);
}

TEST_F(DocumentTest, SavingIntoAFileOpenedForReadingFails)
{
    CQOR1Doc doc(&m_host, &m_access);
    doc.SetFahrzeug(Lkw());
    auto datei = std::make_unique<MemFile>();
    datei->bSchreibbar = false;
    doc.SetOpenFile(std::move(datei), "/tmp/Lkw.qor", 0, -1);
    doc.GetFahrzeug()->m_bModified = 1;
    EXPECT_EQ(doc.SaveFahrzeugDateien(false, false, true), CQOR1Doc::kFehler);
    EXPECT_EQ(doc.GetFahrzeug()->m_bModified, 1);
    m_access.m_nRoot = 5;
}

TEST_F(DocumentTest, FirstVersionFileHoldsOneVehicleObject)
{
    ArchiveWriter out;
    {
        CQOR1Doc doc(&m_host, &m_access);
        doc.SetFahrzeug(Lkw("Alt"));
        doc.Serialize(out);
    }
    CQOR1Doc doc(&m_host, &m_access);
    ArchiveReader in(out.Data());
    doc.Serialize(in);
    ASSERT_NE(doc.GetFahrzeug(), nullptr);
    EXPECT_EQ(doc.GetFahrzeug()->m_strName, "Alt");
    EXPECT_EQ(doc.GetFahrzeug()->GetArt(), 0);
    EXPECT_EQ(doc.GetFahrzeug()->m_pDoc, &doc);

    // A damaged object leaves the document as it was.
    std::vector<std::uint8_t> kaputt(out.Data().begin(), out.Data().begin() + out.Data().size() / 2);
    ArchiveReader in2(kaputt);
    CFahrzeug* pVorher = doc.GetFahrzeug();
    EXPECT_THROW(doc.Serialize(in2), ArchiveError);
    EXPECT_EQ(doc.GetFahrzeug(), pVorher);
}

TEST_F(DocumentTest, ChartMeshesAreRebuiltForBothVehiclesWhenOutOfDate)
{
    struct Netz : IDiagrammNetz
    {
        void BaueNetz(CFahrzeug& f) override { Log("Netz " + f.m_strName); }
    } netz;
    CQOR1Doc doc(&m_host, &m_access);
    doc.SetDiagrammNetz(&netz);
    CFahrzeug* t = Lkw("Anh");
    t->m_nArt = 1;
    CFahrzeug* z = Lkw("Zug");
    CFahrzeug::Koppeln(*z, *t);
    doc.SetFahrzeug(t);
    z->m_bDiagrammVeraltet = 1;
    t->m_bDiagrammVeraltet = 1;
    EXPECT_TRUE(doc.RebuildKurvenMeshes());
    EXPECT_TRUE(doc.RebuildKurvenMeshes()); // up to date now
    EXPECT_EQ(m_log, (std::vector<std::string>{"Netz Zug", "Netz Anh"}));
}

TEST_F(DocumentTest, PrintCommandHandsOverBothVehicles)
{
    CQOR1Doc doc(&m_host, &m_access);
    doc.SetFahrzeug(Sattelzug());
    doc.OnDrucken();
    EXPECT_EQ(m_log, (std::vector<std::string>{"Print SZM Auflieger"}));
}

} // namespace

TEST_F(DocumentTest, OneRecalculationRoundGivesTheFinalResultsFromAnyState)
{
    using fahrzeugtest::Daten;
    struct Fall
    {
        const char* name;
        Daten zug, anh;
        double dSattelVersatz, dKupplungsabstand, dKupplungslast1;
        double dLastZug, dLastAnh, xAnh; // the loads (t) and the trailer's load position
        // A change of the towing vehicle's own data, made after the first rounds.
        std::function<void(CFahrzeug&)> aendere;
    };
    const Fall faelle[] = {
        {"tractor with semi-trailer",
         {4, {{1.0, 4.5, 7.5}, {3.6, 3.0, 11.5}}, 18.0, 0.0, 2.5f, 20, 25},
         {3,
          {{1.5, 2.5, 12.0}, {6.0, 1.5, 8.0}, {1.31, 1.5, 8.0}, {1.31, 1.5, 8.0}},
          36.0,
          13.6,
          2.48f,
          0,
          0},
         0.5,
         0.0,
         12.0,
         0.0,
         20.0,
         7.0,
         [](CFahrzeug& z) { z.m_dSattelVersatz = 0.3; }},
        {"truck with rigid-drawbar trailer",
         {0, {{1.0, 4.0, 7.5}, {4.0, 4.0, 11.5}}, 18.0, 7.0, 2.5f, 20, 25},
         {2, {{2.0, 0.5, 1.5}, {5.0, 1.5, 9.0}, {1.0, 1.5, 9.0}}, 18.0, 6.0, 2.5f, 0, 0},
         0.0,
         -0.5,
         1.5,
         6.0,
         10.0,
         3.2,
         [](CFahrzeug& z) { z.m_Achsen[1].dZulLast = 10.5; }},
        {"truck with drawbar trailer",
         {0, {{1.0, 4.0, 7.5}, {4.0, 4.0, 11.5}}, 18.0, 7.0, 2.5f, 20, 25},
         {1, {{1.0, 2.0, 9.0}, {5.0, 2.0, 9.0}}, 18.0, 7.0, 2.5f, 0, 0},
         0.0,
         -0.5,
         1.5,
         6.0,
         8.0,
         3.0,
         [](CFahrzeug& z) { z.m_nMinAnteilHinten = 40; }},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        auto zug = Erzeuge(fall.zug);
        zug->m_dSattelVersatz = fall.dSattelVersatz;
        zug->m_dKupplungsabstand = fall.dKupplungsabstand;
        zug->m_dKupplungslast1 = fall.dKupplungslast1;
        if (fall.dLastZug > 0.0)
            fahrzeugtest::GibLast(*zug, fall.dLastZug, 3.0, 1.25);
        auto anh = Erzeuge(fall.anh);
        fahrzeugtest::GibLast(*anh, fall.dLastAnh, fall.xAnh, 1.25);
        CFahrzeug::Koppeln(*zug, *anh);
        CQOR1Doc doc(nullptr, &m_access);
        doc.SetFahrzeug(anh.release());
        CFahrzeug* a = doc.GetAnhaenger();
        CFahrzeug* z = zug.release();
        ASSERT_EQ(doc.GetZugfahrzeug(), z);

        // A freshly coupled pair.
        doc.OnFahrzeugChanged(false);
        const std::vector<double> a1 = fahrzeugtest::Ergebnis(*a), z1 = fahrzeugtest::Ergebnis(*z);
        doc.OnFahrzeugChanged(false);
        EXPECT_ERGEBNIS_GLEICH(a1, fahrzeugtest::Ergebnis(*a), "trailer, fresh pair");
        EXPECT_ERGEBNIS_GLEICH(z1, fahrzeugtest::Ergebnis(*z), "towing vehicle, fresh pair");
        // Once both are computed, a further trailer pass around the towing vehicle changes nothing.
        a->Recalc();
        z->Recalc();
        a->Recalc();
        EXPECT_ERGEBNIS_GLEICH(a1, fahrzeugtest::Ergebnis(*a), "trailer, a further pass");
        EXPECT_ERGEBNIS_GLEICH(z1, fahrzeugtest::Ergebnis(*z), "towing vehicle, a further pass");
        EXPECT_TRUE(a->GetNutzlastKurve().IsGueltig());
        EXPECT_EQ(a->GetNutzlastKurve().GetBereichStatus() & 2, 2) << "the trailer's load has a usable range";
        if (z->GetArt() == FahrzeugArt::kSattelzugmaschine) {
            EXPECT_EQ(z->GetNutzlastKurve().GetBereichStatus(), a->GetNutzlastKurve().GetBereichStatus());
            EXPECT_EQ(z->GetNutzlastKurve().GetNutzbarVon(), a->GetNutzlastKurve().GetNutzbarVon());
            EXPECT_EQ(z->GetNutzlastKurve().GetNutzbarBis(), a->GetNutzlastKurve().GetNutzbarBis());
        }

        // A change of the towing vehicle's own data.
        fall.aendere(*z);
        doc.OnFahrzeugChanged(false);
        const std::vector<double> a2 = fahrzeugtest::Ergebnis(*a), z2 = fahrzeugtest::Ergebnis(*z);
        doc.OnFahrzeugChanged(false);
        EXPECT_ERGEBNIS_GLEICH(a2, fahrzeugtest::Ergebnis(*a), "trailer, towing vehicle changed");
        EXPECT_ERGEBNIS_GLEICH(z2, fahrzeugtest::Ergebnis(*z), "towing vehicle, towing vehicle changed");
        EXPECT_NE(a1, a2) << "the change reaches the trailer";
    }
}
