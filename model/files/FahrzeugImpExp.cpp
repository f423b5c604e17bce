// A vehicle to its file record and back.
#include "model/files/FahrzeugImpExp.h"

#include "model/archive/ArchiveError.h"
#include "model/files/CImpExp.h"
#include "model/files/CImpExpException.h"
#include "model/files/VehicleFiles.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CAnhaenger.h"
#include "model/vehicle/CAuflieger.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CSattelzugmaschine.h"
#include "model/vehicle/CStarrdeichsel.h"
#include "model/vehicle/CZugmaschine.h"
#include "model/vehicle/CZurrmittel.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"
#include "model/vehicle/tagZLINFO.h"

#include <optional>
#include <utility>

namespace fs = std::filesystem;

int CopyFahrzeugToImpExp(CFahrzeug* f, SIMPEXP_FZG* r)
{
    r->m_nKopfInt = f->m_nKopfInt;
    r->m_strName = f->m_strName;
    r->m_nArt = f->m_nArt;
    r->m_nAchsanzahl = f->m_nAchsanzahl;
    r->m_dLFLaenge = f->m_dLFLaenge;
    r->m_dZulGesamtgewicht = f->m_dZulGesamtgewicht;
    r->m_dLeergewicht = f->m_dLeergewicht;
    r->m_nMinAnteilVorn = static_cast<int>(f->m_nMinAnteilVorn);
    r->m_nMinAnteilHinten = static_cast<int>(f->m_nMinAnteilHinten);
    for (int i = 0; i < SIMPEXP_FZG::kAchsen; ++i) {
        r->m_dAbstand[i] = f->m_Achsen[i].dAbstand;
        r->m_dLeerlast[i] = f->m_Achsen[i].dLeerlast;
        r->m_dZulLast[i] = f->m_Achsen[i].dZulLast;
        r->m_bAchsFlag[i] = f->m_nAchsFlags[i] != 0;
    }
    r->m_dAchsReserve = 0.0;
    r->m_bKupplungslast = f->m_bKupplungslast != 0;
    r->m_dKupplungsabstand = f->m_dKupplungsabstand;
    r->m_dKupplungslast1 = f->m_dKupplungslast1;
    r->m_dKupplungslast2 = f->m_dKupplungslast2;
    r->m_strBemerkung = f->m_strBemerkung;
    r->m_dSattelVersatz = f->m_dSattelVersatz;
    r->m_dKombiWert = 0.0;
    r->m_bKombiFlag = false;
    // The field carries a semi-trailer's corner diameter; other kinds keep their correction there.
    r->m_dRadstandKorrektur =
        f->GetArt() == FahrzeugArt::kAuflieger ? CAuflieger::GetAufliegerMass(*f) : f->m_dRadstandKorrektur;
    r->m_dLFBreite = f->m_fLFBreite;
    r->m_nSeitenProzent = f->m_nSeitenProzent;
    r->m_nReserveNull = 0;
    r->m_nReserveEins = 1;
    r->m_nArtZusatz = f->m_nArtZusatz;
    r->m_pNutzLF = std::make_unique<SNutzbareLF>(f->m_NutzLF[1]);
    r->m_pUeberstand = std::make_unique<SUeberstLG>(f->m_Ueberstand);

    for (const auto& pZL : f->m_ZLInfos) {
        auto zl = std::make_unique<SIMPEXP_ZL2>();
        zl->SetFrom(*pZL, r->m_nKopfInt);
        r->m_ZLInfos.push_back(std::move(zl));
    }

    for (const CZurrpunkt* zp : f->GetZurrpunktListe()) {
        auto r67 = std::make_unique<SIMPEXP_ZP>();
        r67->SetFrom(*zp);
        r->m_Zurrpunkte.push_back(std::move(r67));
    }
    for (const CZurrmittel* zm : f->GetZurrmittelBenutzt())
        r->m_Zurrmittel.push_back(std::make_unique<CZurrmittel>(*zm));
    for (const CZurrschiene* zs : f->GetZurrschienen())
        r->m_Zurrschienen.push_back(std::make_unique<CZurrschiene>(*zs));

    if (CQOR* q = f->GetQor(); q && f->GetArt() != FahrzeugArt::kSattelzugmaschine) {
        auto qr = std::make_unique<SIMPEXP_QOR>();
        qr->m_nFahrzeugWert = r->m_nKopfInt;
        qr->m_nNummer = q->m_nNummer;
        qr->m_strName = q->m_strName;
        qr->m_nSeitenProzent = q->m_nSeitenProzent;
        for (const tagLGINFO* lg : q->GetLgInfos()) {
            auto lr = std::make_unique<SIMPEXP_LADUNG2QOR2>();
            lr->SetFrom(*lg);
            qr->m_Ladungen.push_back(std::move(lr));
        }
        for (const CLadeeinheit* le : q->GetLadeeinheiten())
            qr->m_GelieheneLadeeinheiten.push_back(le);
        r->m_Qors.push_back(std::move(qr));
    }
    return 1;
}

std::unique_ptr<CFahrzeug> ErzeugeFahrzeug(int nArt)
{
    switch (nArt) {
    case FahrzeugArt::kZugmaschine:
        return std::make_unique<CZugmaschine>();
    case FahrzeugArt::kAnhaenger:
        return std::make_unique<CAnhaenger>();
    case FahrzeugArt::kStarrdeichsel:
        return std::make_unique<CStarrdeichsel>();
    case FahrzeugArt::kAuflieger:
        return std::make_unique<CAuflieger>();
    case FahrzeugArt::kSattelzugmaschine:
        return std::make_unique<CSattelzugmaschine>();
    default:
        return nullptr;
    }
}

namespace {

void SetzeFelder(CFahrzeug& f, const SIMPEXP_FZG& r)
{
    f.m_nKopfInt = -1;
    f.m_nArt = r.m_nArt;
    f.m_nAchsanzahl = r.m_nAchsanzahl;
    f.m_dLFLaenge = r.m_dLFLaenge;
    f.m_dZulGesamtgewicht = r.m_dZulGesamtgewicht;
    f.m_dLeergewicht = r.m_dLeergewicht;
    f.m_nMinAnteilVorn = static_cast<unsigned>(r.m_nMinAnteilVorn);
    f.m_nMinAnteilHinten = static_cast<unsigned>(r.m_nMinAnteilHinten);
    for (int i = 0; i < SIMPEXP_FZG::kAchsen; ++i) {
        f.m_Achsen[i].dAbstand = r.m_dAbstand[i];
        f.m_Achsen[i].dLeerlast = r.m_dLeerlast[i];
        f.m_Achsen[i].dZulLast = r.m_dZulLast[i];
        f.m_nAchsFlags[i] = r.m_bAchsFlag[i] ? 1 : 0;
    }
    f.m_bKupplungslast = r.m_bKupplungslast ? 1 : 0;
    f.m_dKupplungsabstand = r.m_dKupplungsabstand;
    f.m_dKupplungslast1 = r.m_dKupplungslast1;
    f.m_dKupplungslast2 = r.m_dKupplungslast2;
    f.m_strBemerkung = r.m_strBemerkung;
    f.m_dSattelVersatz = r.m_dSattelVersatz;
    f.m_dKombiWert = 0.0;
    f.m_bKombiFlag = 0;
    if (auto* pAuflieger = dynamic_cast<CAuflieger*>(&f); pAuflieger && r.m_nArt == FahrzeugArt::kAuflieger) {
        // A value the form could not have given (up to 500 mm) is no corner diameter.
        const double d = r.m_dRadstandKorrektur;
        pAuflieger->m_dAufliegerMass = d >= 0.0 && d <= SIMPEXP_FZG::kGroessterAufliegerMass ? d : 0.0;
    } else {
        f.m_dRadstandKorrektur = r.m_dRadstandKorrektur;
    }
    f.m_fLFBreite = static_cast<float>(r.m_dLFBreite);
    f.m_nSeitenProzent = r.m_nSeitenProzent;
    f.m_nArtZusatz = r.m_nArtZusatz;
    if (r.m_pNutzLF)
        f.m_NutzLF[0] = f.m_NutzLF[1] = *r.m_pNutzLF;
    if (r.m_pUeberstand)
        f.m_Ueberstand = *r.m_pUeberstand;
    f.m_nGeladen = 1;
}

} // namespace

std::unique_ptr<CFahrzeug> LoadFahrzeugFromFile(const fs::path& path, int index,
                                                std::unique_ptr<LockedFile>* pFile, int* pWert,
                                                bool bOffenHalten, std::string* pName)
{
    if (pFile)
        pFile->reset();
    const bool bHalten = bOffenHalten && pFile;
    auto oeffne = [&]() {
        std::unique_ptr<LockedFile> file;
        if (bHalten)
            file = LockedFile::Open(path, LockedFile::Mode::ReadWrite);
        if (!file)
            file = LockedFile::Open(path, LockedFile::Mode::Read);
        return file;
    };
    std::unique_ptr<LockedFile> file = oeffne();
    if (!file)
        return nullptr;

    CImpExp root;
    const std::optional<LoadAnswer> answer = ReadRoot(*file, root);
    if (!answer)
        return nullptr;
    if (!bHalten)
        file.reset();
    if (*answer == LoadAnswer::NeedsRewriting) {
        // A file that someone else holds for writing is not written; one that we hold must be, through
        // the open file, so that the lock is never let go.
        if (file && file->IsWritable()) {
            if (!file->WriteAll(root.Store()))
                return nullptr;
        } else {
            const bool bWarOffen = file != nullptr;
            file.reset();
            SaveImpExpFile(path, root);
            if (bWarOffen && !(file = oeffne()))
                return nullptr;
        }
    }
    if (pWert)
        *pWert = root.m_nWert;
    if (root.m_Verzeichnis.empty() && root.m_Records.empty())
        return nullptr;
    std::string name;
    SIMPEXP_FZG* r = root.GetFahrzeugRecord(index, nullptr, &name);
    if (!r)
        return nullptr;
    std::unique_ptr<CFahrzeug> f = ErzeugeFahrzeug(r->m_nArt);
    if (!f)
        return nullptr;
    f->m_strName = path.stem().string();
    SetzeFelder(*f, *r);
    for (const auto& zr : r->m_ZLInfos) {
        auto zl = std::make_unique<tagZLINFO>();
        zr->CopyTo(*zl);
        f->AddZL(std::move(zl));
    }

    // Lashing points, numbered from 1 in each of the four groups of the side and front bits.
    int nNummer[4] = {0, 0, 0, 0};
    for (const auto& pr : r->m_Zurrpunkte) {
        auto zp = std::make_unique<CZurrpunkt>(f->m_dLFLaenge, f->m_fLFBreite);
        pr->CopyTo(*zp);
        zp->m_dPosX = zp->m_dPosY = zp->m_dMittenAbstand = 0.0;
        zp->m_bPosGueltig = 0;
        const int gruppe =
            ((zp->m_nFlags & CZurrpunkt::kLinks) ? 2 : 0) | ((zp->m_nFlags & CZurrpunkt::kVorn) ? 1 : 0);
        zp->m_nNummer = ++nNummer[gruppe];
        f->m_Zurrpunkte.push_back(std::move(zp));
    }
    for (const auto& zm : r->m_Zurrmittel)
        f->m_ZurrmittelBenutzt.push_back(std::make_unique<CZurrmittel>(*zm));
    for (const auto& zs : r->m_Zurrschienen)
        f->m_Zurrschienen.push_back(std::make_unique<CZurrschiene>(*zs));

    // A semi-trailer tractor has no plan of its own; a plan record in its place is not taken.
    if (!r->m_Qors.empty() && f->GetArt() != FahrzeugArt::kSattelzugmaschine) {
        SIMPEXP_QOR& qr = *r->m_Qors.front();
        auto* q = new CQOR(f.get(), -1, FormatS("$S", 1, 179u).c_str());
        f->m_pQor = q;
        q->m_nSeitenProzent = r->m_nSeitenProzent;
        for (const auto& lr : qr.m_Ladungen) {
            auto lg = std::make_unique<tagLGINFO>();
            lr->CopyTo(*lg);
            q->m_LgInfos.push_back(std::move(lg));
        }
        if (root.m_nSchema <= 4)
            q->NumberEqualNames(false);
        // The load units go to the plan before anything is written back, so that the file keeps them.
        for (auto& le : std::exchange(qr.m_Ladeeinheiten, {}))
            q->m_Ladeeinheiten.push_back(std::move(le));
        if (root.m_nSchema <= 4 && bHalten && file && file->IsWritable()) {
            int nEintrag = 0;
            WriteFahrzeugToFile(f.get(), path.parent_path(), &nEintrag, std::string(), &file, root.m_nWert,
                                std::string());
        }
        // The load units find their member loads and the vehicle's lashing points they use again.
        f->RelinkZurrpunkte();
    }
    if (pName)
        *pName = name;
    if (pFile)
        *pFile = std::move(file);
    return f;
}
