// The document's opening of a vehicle or combination file, with the partner entry it couples.
#include "model/document/CQOR1Doc.h"

#include "model/document/DocumentHost.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

CQOR1Doc::OeffnenErgebnis CQOR1Doc::Oeffne(std::unique_ptr<CFahrzeug> pFahrzeug,
                                           std::unique_ptr<OpenVehicleFile> pFile, const std::string& path,
                                           int nStartWert, int nEintrag, bool bEinzeln)
{
    OeffnenErgebnis ergebnis;
    SetFahrzeug(pFahrzeug.release());
    const StartWert start = LeseStartWert(nStartWert);
    ergebnis.bEinzelFahrzeug = bEinzeln || start.bEinzelFahrzeug;
    SetOpenFile(std::move(pFile), path, bEinzeln ? -1 : 0, nEintrag > 0 ? nEintrag : -1);
    OnDocumentOpened();
    UpdateFrameTitle();
    RedrawViews();
    if (m_pHost)
        m_pHost->ZeigeLetztenTab();
    SetAktivIndex(kAktivAnhaenger, true, true);
    SetEinzelFahrzeug(ergebnis.bEinzelFahrzeug);
    const CFahrzeug* pVorn = GetFirstFahrzeug();
    const int nPartner = nEintrag == -1 ? start.nEintrag : nEintrag;
    if (nEintrag != 0 && !ergebnis.bEinzelFahrzeug && pVorn && nPartner > 0 &&
        (pVorn->GetArt() == FahrzeugArt::kZugmaschine ||
         pVorn->GetArt() == FahrzeugArt::kSattelzugmaschine)) {
        if (std::unique_ptr<CFahrzeug> pAnhaenger =
                LoadFahrzeugFromFile(std::filesystem::path(path), nPartner, nullptr, nullptr, false, nullptr))
            KoppleAnhaenger(std::move(pAnhaenger), nPartner, &ergebnis.bZLEntfernt);
        else
            ergebnis.bPartnerNichtLesbar = true;
    }
    UpdateFrameTitle();
    return ergebnis;
}
