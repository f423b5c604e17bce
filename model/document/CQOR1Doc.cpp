// The document of one open vehicle or combination file.
#include "model/document/CQOR1Doc.h"

#include <algorithm>

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

#include "model/base/FolderHelpers.h"
#include "model/document/DocumentHost.h"
#include "model/plan/CQOR.h"
#include "model/securing/ZurrmittelWahl.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CSattelzugmaschine.h"
#include "model/vehicle/tagZLINFO.h"

std::string FormatFahrzeugTitel(const CFahrzeug* pFahrzeug, bool bModified)
{
    if (!pFahrzeug)
        return {};
    static const unsigned kArtText[5] = {294, 242, 241, 243, 293};
    std::string s = pFahrzeug->m_strName;
    const int nArt = pFahrzeug->GetArt();
    if (nArt >= FahrzeugArt::kZugmaschine && nArt <= FahrzeugArt::kSattelzugmaschine) {
        s += FormatS(" [$S", 1, kArtText[nArt]);
        s += bModified ? " *]" : "]";
    }
    return s;
}

CQOR1Doc::CQOR1Doc(DocumentHost* pHost, VehicleFileAccess* pAccess) : m_pHost(pHost), m_pAccess(pAccess) {}

CQOR1Doc::~CQOR1Doc()
{
    if (m_nVornIndex != -1) {
        const bool bAnhaenger = GetAnhaenger() != nullptr && m_nAnhaengerIndex >= 1;
        WriteBackLastEntry(bAnhaenger ? m_nAnhaengerIndex : m_nVornIndex);
    }
    if (m_pHost && !m_strPath.empty())
        m_pHost->AddToRecentFileList(m_strPath);
    LoescheFahrzeuge();
    m_pFile.reset();
}

void CQOR1Doc::LoescheFahrzeuge()
{
    if (!m_pFahrzeug)
        return;
    if (CFahrzeug* pPartner = m_pFahrzeug->GetPartner()) {
        m_pFahrzeug->Entkoppeln();
        delete pPartner;
    }
    delete m_pFahrzeug;
    m_pFahrzeug = nullptr;
}

void CQOR1Doc::SetFahrzeug(CFahrzeug* pFahrzeug)
{
    ++m_nStand;
    m_pFahrzeug = pFahrzeug;
    if (m_pFahrzeug) {
        m_pFahrzeug->m_pDoc = this;
        if (CFahrzeug* p = m_pFahrzeug->GetPartner())
            p->m_pDoc = this;
    }
}

void CQOR1Doc::SetOpenFile(std::unique_ptr<OpenVehicleFile> pFile, const std::string& path, int nVornIndex,
                           int nAnhaengerIndex)
{
    m_pFile = std::move(pFile);
    m_strPath = path;
    m_nVornIndex = nVornIndex;
    m_nAnhaengerIndex = nAnhaengerIndex;
    m_bNeu = false;
}

void CQOR1Doc::Serialize(ArchiveReader& ar)
{
    std::unique_ptr<CFahrzeug> p = ar.ReadOwnedObject<CFahrzeug>();
    if (!p)
        return;
    LoescheFahrzeuge();
    SetFahrzeug(p.release());
}

void CQOR1Doc::Serialize(ArchiveWriter& ar) const
{
    ar.WriteObject(m_pFahrzeug);
}

void CQOR1Doc::OnDocumentOpened()
{
    // A plan read from a file holds its loads but not their centre of gravity and mass, which the
    // recalculation below takes from the plan.
    if (m_pFahrzeug) {
        if (CQOR* pPlan = m_pFahrzeug->GetQor())
            pPlan->UpdateSchwerpunkt();
        if (CFahrzeug* pPartner = m_pFahrzeug->GetPartner())
            if (CQOR* pPlan = pPartner->GetQor())
                pPlan->UpdateSchwerpunkt();
    }
    SetModifiedFlag(false);
    m_bNichtGeoeffnet = 0;
    OnFahrzeugChanged(true);
    bool bGerichtet = false;
    for (CFahrzeug* v : {m_pFahrzeug, m_pFahrzeug ? m_pFahrzeug->GetPartner() : nullptr})
        bGerichtet = RichteZurrmittelWerte(v) || bGerichtet;
    if (bGerichtet) {
        UpdateModifiedState();
        RedrawViews();
    }
}

bool CQOR1Doc::RichteZurrmittelWerte(CFahrzeug* pFahrzeug)
{
    // A semi-trailer tractor's plan is its semi-trailer's.
    if (!pFahrzeug || pFahrzeug->GetArt() == FahrzeugArt::kSattelzugmaschine || !pFahrzeug->GetQor() ||
        ZurrmittelWahl::RichteVertauschte(*pFahrzeug) == 0)
        return false;
    pFahrzeug->GetQor()->m_bModified = 1;
    return true;
}

namespace {

// Removes the vehicle's equipment of type `nTyp`; true when there was any.
bool LoescheZL(CFahrzeug& f, int nTyp)
{
    bool bGeloescht = false;
    for (auto it = f.m_ZLInfos.begin(); it != f.m_ZLInfos.end();) {
        if (*it && (*it)->m_nTyp == nTyp) {
            it = f.m_ZLInfos.erase(it);
            bGeloescht = true;
        } else {
            ++it;
        }
    }
    return bGeloescht;
}

} // namespace

bool CQOR1Doc::KoppleAnhaenger(std::unique_ptr<CFahrzeug> pAnhaenger, int nEintrag, bool* pZLEntfernt)
{
    if (pZLEntfernt)
        *pZLEntfernt = false;
    CFahrzeug* pZug = m_pFahrzeug;
    if (!pZug || !pAnhaenger || GetAnhaenger())
        return false;
    CFahrzeug* pNeu = pAnhaenger.release();
    CFahrzeug::Koppeln(*pZug, *pNeu);
    SetFahrzeug(pNeu);
    m_nAnhaengerIndex = nEintrag;
    if (CQOR* pPlan = pNeu->GetQor())
        pPlan->UpdateSchwerpunkt();
    SetAktivIndex(kAktivAnhaenger, true, false);
    OnFahrzeugChanged(true);
    if (RichteZurrmittelWerte(pNeu)) {
        UpdateModifiedState();
        RedrawViews();
    }
    UpdateFrameTitle();

    if (pZug->GetArt() == FahrzeugArt::kZugmaschine && LoescheZL(*pZug, 5)) {
        pZug->m_bModified = 1;
        OnFahrzeugChanged(true);
        UpdateModifiedState();
        if (pZLEntfernt)
            *pZLEntfernt = true;
    }
    return true;
}

std::unique_ptr<CFahrzeug> CQOR1Doc::KoppleAb()
{
    CFahrzeug* pAnhaenger = GetAnhaenger();
    if (!pAnhaenger)
        return nullptr;
    CFahrzeug* pZug = pAnhaenger->GetPartner();
    pAnhaenger->Entkoppeln();
    SetFahrzeug(pZug);
    std::unique_ptr<CFahrzeug> pAb(pAnhaenger);
    SetPathName(std::string());
    m_nAnhaengerIndex = -2;
    OnFahrzeugChanged(true);
    if (GetAktivIndex() == kAktivZugfahrzeug)
        SetAktivIndex(kAktivAnhaenger, false, false);
    UpdateFrameTitle();
    RedrawViews();
    return pAb;
}

CQOR1Doc::StartWert CQOR1Doc::LeseStartWert(int nWert)
{
    return {(nWert & 1) != 0, (nWert >> 1) & 0x7F};
}

int CQOR1Doc::SchreibeStartWert(const StartWert& wert)
{
    return (wert.bEinzelFahrzeug ? 1 : 0) | (wert.nEintrag << 1);
}

void CQOR1Doc::SetEinzelFahrzeug(bool bEinzel)
{
    m_bEinzelFahrzeug = bEinzel;
    if (CFahrzeug* pVorn = GetFirstFahrzeug()) {
        pVorn->m_nKopf[0] = bEinzel ? 1 : 0;
        pVorn->m_nKopf[1] = 0;
        pVorn->m_nKopf[2] = 0;
    }
}

CFahrzeug* CQOR1Doc::GetZugfahrzeug() const
{
    return m_pFahrzeug ? m_pFahrzeug->GetPartner() : nullptr;
}

CFahrzeug* CQOR1Doc::GetAnhaenger() const
{
    return m_pFahrzeug && m_pFahrzeug->GetPartner() ? m_pFahrzeug : nullptr;
}

CFahrzeug* CQOR1Doc::GetFirstFahrzeug() const
{
    if (CFahrzeug* p = GetZugfahrzeug())
        return p;
    return m_pFahrzeug;
}

CFahrzeug* CQOR1Doc::GetAktivFahrzeug(bool bMitLadeflaeche) const
{
    if (!m_pFahrzeug)
        return nullptr;
    CFahrzeug* pPartner = m_pFahrzeug->GetPartner();
    if (!pPartner)
        return m_pFahrzeug;
    if (bMitLadeflaeche && pPartner->GetArt() == FahrzeugArt::kSattelzugmaschine)
        return m_pFahrzeug;
    if (m_nAktivIndex == kAktivZugfahrzeug)
        return pPartner;
    return m_pFahrzeug;
}

int CQOR1Doc::GetAktivFahrzeugArt() const
{
    if (GetAnhaenger())
        return m_nAktivIndex == kAktivZugfahrzeug ? 1 : 2;
    return GetEinzelFahrzeugArt();
}

int CQOR1Doc::GetEinzelFahrzeugArt() const
{
    if (!m_pFahrzeug || m_pFahrzeug->GetPartner())
        return 0;
    const int nTyp = m_pFahrzeug->GetFahrzeugTyp();
    return (nTyp == FahrzeugArt::kZugmaschine || nTyp == FahrzeugArt::kSattelzugmaschine ||
            nTyp == FahrzeugArt::kZugmaschineUntertyp)
               ? 1
               : 2;
}

bool CQOR1Doc::IsSattelKombination() const
{
    const CFahrzeug* p = GetAnhaenger();
    return p && p->GetArt() == FahrzeugArt::kAuflieger;
}

CQOR* CQOR1Doc::GetAktivPlan() const
{
    CFahrzeug* v = GetAktivFahrzeug(false);
    if (!v)
        return nullptr;
    if (v->GetArt() == FahrzeugArt::kSattelzugmaschine) {
        CFahrzeug* t = GetAnhaenger();
        return t && t->GetArt() == FahrzeugArt::kAuflieger ? t->GetQor() : nullptr;
    }
    return v->GetQor();
}

double CQOR1Doc::GetMaxNutzlast() const
{
    // The scales take the larger payload of the vehicle and its partner, so a semi-trailer behind a
    // tractor (which has no load area and no payload) keeps the steps of its own payload.
    if (!m_pFahrzeug)
        return 0.0;
    const double dEigene = m_pFahrzeug->GetMaxNutzlast(true);
    const CFahrzeug* pPartner = m_pFahrzeug->GetPartner();
    return pPartner ? std::max(dEigene, pPartner->GetMaxNutzlast(true)) : dEigene;
}

float CQOR1Doc::GetGesamtlaenge() const
{
    if (!m_pFahrzeug)
        return 0.0f;
    if (CFahrzeug* pZug = GetZugfahrzeug()) {
        const CFahrzeug* t = m_pFahrzeug;
        switch (t->GetArt()) {
        case FahrzeugArt::kAnhaenger:
            return static_cast<float>(pZug->GetAchse1Abstand() + pZug->GetLFLaenge() + 1.0 +
                                      t->GetLFLaenge());
        case FahrzeugArt::kStarrdeichsel:
            return static_cast<float>(pZug->GetAchse1Abstand() + pZug->GetLFLaenge() -
                                      pZug->m_dKupplungsabstandGeo + t->GetAchse1Abstand() +
                                      t->GetLFLaenge());
        case FahrzeugArt::kAuflieger:
            return static_cast<float>(pZug->GetRadstandKorrigiert() + t->GetLFLaenge() -
                                      t->GetAchse1Abstand());
        default:
            return 0.0f;
        }
    }
    const double A = m_pFahrzeug->GetAchse1Abstand();
    const double L = m_pFahrzeug->GetLFLaenge();
    switch (m_pFahrzeug->GetArt()) {
    case FahrzeugArt::kZugmaschine:
    case FahrzeugArt::kStarrdeichsel:
    case FahrzeugArt::kSattelzugmaschine:
        return static_cast<float>(A + L);
    case FahrzeugArt::kAnhaenger:
    case FahrzeugArt::kAuflieger:
        return static_cast<float>(L - A);
    default:
        return 0.0f;
    }
}

double CQOR1Doc::GetAnhaengerVersatz() const
{
    CFahrzeug* pZug = GetZugfahrzeug();
    if (!pZug)
        return 0.0;
    const CFahrzeug* t = m_pFahrzeug;
    const double A = t->GetAchse1Abstand();
    switch (t->GetArt()) {
    case FahrzeugArt::kAuflieger:
        // The kingpin (A behind the load-area front) stands over the tractor's fifth wheel, the point
        // that carries the kingpin load in the axle-load calculation.
        if (pZug->GetArt() == FahrzeugArt::kSattelzugmaschine)
            return static_cast<const CSattelzugmaschine*>(pZug)->GetSattelX() - A;
        return pZug->GetAchsPosition(pZug->GetAchsanzahl() - 1) - pZug->m_dRadstandKorrektur - A;
    case FahrzeugArt::kStarrdeichsel:
        if (pZug->m_pFahrerhausBild && pZug->m_pFahrerhausBild->HatBild())
            return pZug->GetLFLaenge() + 0.15 + A;
        return pZug->GetLFLaenge() - pZug->m_dKupplungsabstandGeo + A;
    case FahrzeugArt::kAnhaenger:
        return pZug->GetLFLaenge() + 2.26 - 0.25 - A;
    default:
        return 0.0;
    }
}

std::string CQOR1Doc::GetTitel(bool bModified) const
{
    return FormatFahrzeugTitel(GetAktivFahrzeug(false), bModified);
}

bool CQOR1Doc::IsFahrzeugModified(const CFahrzeug* p)
{
    if (!p)
        return false;
    if (p->m_bModified)
        return true;
    return p->GetArt() != FahrzeugArt::kSattelzugmaschine && p->GetQor() && p->GetQor()->m_bModified;
}

bool CQOR1Doc::IsSaveEnabled() const
{
    return IsFahrzeugModified(GetFirstFahrzeug()) || IsFahrzeugModified(GetAnhaenger());
}

bool CQOR1Doc::CanLeaveViews(VerlassenGrund eGrund, int nArg, bool* pRefused, std::string* pMessage)
{
    std::string message;
    const bool bRefused = m_pHost && m_pHost->QueryLeaveViews(eGrund, nArg, message);
    if (pRefused)
        *pRefused = bRefused;
    if (pMessage)
        *pMessage = message;
    return !bRefused;
}

int CQOR1Doc::NotifyViews(DokumentMeldung eMeldung, int nValue)
{
    return m_pHost ? m_pHost->NotifyViews(eMeldung, nValue) : 0;
}

bool CQOR1Doc::RouteCommandToViews(int nCommand, int nArg)
{
    return m_pHost && m_pHost->RouteCommandToViews(nCommand, nArg);
}

void CQOR1Doc::RedrawViews()
{
    ++m_nStand;
    if (m_pHost)
        m_pHost->RedrawViews();
}

void CQOR1Doc::InvalidateLgSicherungView()
{
    if (m_pHost)
        m_pHost->InvalidateLgSicherungView();
}

void CQOR1Doc::UpdateOtherViews(UpdateHinweis eHinweis)
{
    ++m_nStand;
    if (m_pHost)
        m_pHost->UpdateAllViews(eHinweis, true);
}

bool CQOR1Doc::RebuildKurvenMeshes()
{
    if (CFahrzeug* p = GetFirstFahrzeug())
        p->UpdateDiagramm(m_pDiagrammNetz);
    if (CFahrzeug* p = GetAnhaenger())
        p->UpdateDiagramm(m_pDiagrammNetz);
    return true;
}

void CQOR1Doc::UpdateFrameTitle()
{
    if (!m_pHost)
        return;
    const CFahrzeug* v = GetAktivFahrzeug(false);
    m_pHost->SetFrameTitle(FormatFahrzeugTitel(v, IsFahrzeugModified(v)));
}

void CQOR1Doc::UpdateModifiedState()
{
    bool b = false;
    if (m_pFahrzeug) {
        b = m_pFahrzeug->m_bModified || (m_pFahrzeug->GetQor() && m_pFahrzeug->GetQor()->m_bModified);
        const CFahrzeug* pPartner = m_pFahrzeug->GetPartner();
        if (pPartner && pPartner->GetQor() && pPartner->GetQor()->m_bModified)
            b = true;
    }
    SetModifiedFlag(b);
    UpdateFrameTitle();
}

void CQOR1Doc::SetPathName(const std::string& path)
{
    m_strPath = path;
    UpdateFrameTitle();
}

bool CQOR1Doc::SetAktivIndex(int nIndex, bool bRedraw, bool bAsk)
{
    if (nIndex == m_nAktivIndex)
        return false;
    if (bAsk) {
        bool bRefused = false;
        std::string message;
        CanLeaveViews(VerlassenGrund::kFahrzeugWechseln, 0, &bRefused, &message);
        if (bRefused) {
            if (!message.empty() && m_pHost)
                m_pHost->ShowMessage(FormatS("$S", 1, 273u), message, DocumentHost::kButtonOk);
            return false;
        }
    }
    m_nAktivIndex = nIndex;
    ++m_nStand;
    UpdateFrameTitle();
    if (bRedraw)
        RedrawViews();
    NotifyViews(DokumentMeldung::kFahrzeugGewechselt, 0);
    return true;
}

bool CQOR1Doc::SetAktivFahrzeugArt(int nArt, bool bRedraw, bool bAsk)
{
    if (nArt != 1 && nArt != 2)
        return false;
    if (GetAktivFahrzeugArt() == nArt)
        return true;
    if (!GetAnhaenger())
        return false;
    return SetAktivIndex(nArt == 1 ? kAktivZugfahrzeug : kAktivAnhaenger, bRedraw, bAsk);
}

void CQOR1Doc::OnFahrzeugChanged(bool bUpdateViews)
{
    NachRechnung(false, bUpdateViews);
}

void CQOR1Doc::OnLadungChanged(bool bUpdateViews)
{
    NachRechnung(true, bUpdateViews);
}

void CQOR1Doc::NachRechnung(bool bNurLadung, bool bUpdateViews)
{
    ++m_nStand;
    if (!m_pFahrzeug)
        return;
    if (bNurLadung)
        m_pFahrzeug->RecalcLadungMitPartner();
    else
        m_pFahrzeug->RecalcMitPartner();
    if (bUpdateViews && m_pHost) {
        m_pHost->UpdateAllViews(UpdateHinweis::kNeuBerechnet, false);
        m_pHost->UpdateAllViews(UpdateHinweis::kNeuZeichnen, false);
    }
    CFahrzeug* v = GetAktivFahrzeug(true);
    if (v && v->GetArt() != FahrzeugArt::kSattelzugmaschine && m_pHost && m_pHost->IsActiveViewModeSet()) {
        v->m_Diagramm.BuildCurve(0.0f);
        v->m_bDiagrammVeraltet = 1;
    }
}

CQOR1Doc::SaveResult CQOR1Doc::SaveFahrzeugDateien(bool bSaveAs, bool bSkipModified, bool bMayAsk, int)
{
    CFahrzeug* F = GetFirstFahrzeug();
    CFahrzeug* T = GetAnhaenger();
    if (!F)
        return kGespeichert;
    const bool mF = IsFahrzeugModified(F);
    const bool mT = IsFahrzeugModified(T);
    const bool any = mF || mT;

    const bool bFragen = bSaveAs || m_strPath.empty() || (m_bNeu && (mF || T));
    if (!bFragen && !any)
        return kGespeichert;

    if (bFragen) {
        // A name is needed; without leave to ask, the data stays unwritten and the caller must know.
        if (!bSaveAs && !bMayAsk)
            return kNichtGespeichert;
        if (!m_pHost || !m_pAccess)
            return kFehler;
        const std::string ext = T ? ".kmb" : ".qor";
        std::string folder, name;
        if (m_pHost->AskFileName(T != nullptr, ext, F->m_strName, folder, name) != DocumentHost::kButtonOk)
            return kFehler;
        if (name.empty())
            return kFehler;
        F->m_strName = name;
        std::unique_ptr<OpenVehicleFile> pNeu;
        std::string path = folder + name + ext;
        int nVorn = -1;
        int nAnh = -1;
        if (T) {
            T->m_strName = name;
            // Both vehicles in one write: the file never holds the one without the other.
            if (!m_pAccess->WriteKombinationToFile(F, T, folder, &path, &nVorn, &nAnh, name + ext, &pNeu, 2,
                                                   path, m_strPartnerText) ||
                !pNeu)
                return kFehler;
        } else if (!m_pAccess->WriteFahrzeugToFile(F, folder, &path, &nVorn, name + ext, &pNeu, 0, path) ||
                   !pNeu) {
            return kFehler;
        }
        m_pFile = std::move(pNeu);
        m_nVornIndex = nVorn;
        if (T)
            m_nAnhaengerIndex = nAnh;
        SetPathName(path);
    } else {
        if (bSkipModified && any)
            return kNichtGespeichert;
        if (!m_pAccess || !m_pFile)
            return kFehler;
        std::string path = m_strPath;
        if (T) {
            const int nWert = SchreibeStartWert({false, m_nAnhaengerIndex == -1 ? 1 : m_nAnhaengerIndex});
            if (!m_pAccess->WriteKombinationToFile(F, T, std::string(), &path, &m_nVornIndex,
                                                   &m_nAnhaengerIndex, std::string(), &m_pFile, nWert,
                                                   m_strPath, m_strPartnerText))
                return kFehler;
        } else if (!m_pAccess->WriteFahrzeugToFile(F, std::string(), &path, &m_nVornIndex, std::string(),
                                                   &m_pFile, 0, m_strPath)) {
            return kFehler;
        }
    }

    m_bNeu = false;
    F->m_bModified = 0;
    if (F->GetQor())
        F->GetQor()->m_bModified = 0;
    if (T) {
        T->m_bModified = 0;
        if (T->GetQor())
            T->GetQor()->m_bModified = 0;
    }
    UpdateModifiedState();
    return kGespeichert;
}

void CQOR1Doc::WriteBackLastEntry(int nIndex)
{
    if (!m_pFile || !m_pAccess || !m_pAccess->IsWritable(*m_pFile))
        return;
    std::string folder;
    SplitPath(m_strPath, nullptr, &folder, nullptr, nullptr);
    if (folder.empty() || !IsFolderWritable(folder))
        return;
    int nWert = 0;
    if (!m_pAccess->ReadRootValue(*m_pFile, &nWert))
        return;
    m_pAccess->WriteRootValue(*m_pFile, SchreibeStartWert({LeseStartWert(nWert).bEinzelFahrzeug, nIndex}));
}

void CQOR1Doc::OnDrucken()
{
    if (m_pHost)
        m_pHost->OpenPrintDialog(GetFirstFahrzeug(), GetAnhaenger(), this);
}
