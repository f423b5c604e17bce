// The catalogue's forms as the frame's new-vehicle and usable-load-area services.
#include "app/CatalogueServices.h"

#include "app/CQOR2App.h"
#include "catalogue/CDlgDataOnNewFzg.h"
#include "catalogue/CDlgDsr.h"
#include "catalogue/CDlgNutzbareLF.h"
#include "catalogue/CPlanEditDialogs.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "platform/ResourceModule.h"
#include "views/CGetAnsView.h"
#include "views/ILastDlg.h"

#include <QSettings>

namespace {

QString AktuelleSprache()
{
    if (const CQOR2App* app = CQOR2App::Instance())
        return app->LanguageCode();
    return QSettings().value(QStringLiteral("Settings/lang")).toString().toUpper();
}

} // namespace

void CatalogueServices::Install(DocumentServices& services, CPlanEditDialogs& dialogs, Sprache sprache)
{
    if (!sprache)
        sprache = AktuelleSprache;
    services.newFahrzeug = [&dialogs, sprache](QWidget* parent, DocumentServices::NeuChoice& choice) {
        return NeuesFahrzeug(dialogs, sprache(), parent, choice);
    };
    services.nutzbareLF = [&dialogs](QWidget* parent, CQOR1Doc* doc) { NutzbareLF(dialogs, parent, doc); };
}

bool CatalogueServices::NeuesFahrzeug(CPlanEditDialogs& dialogs, const QString& sprache, QWidget* parent,
                                      DocumentServices::NeuChoice& choice)
{
    CDlgDataOnNewFzg daten(parent);
    if (dialogs.Ausfuehre(daten) != QDialog::Accepted)
        return false;
    const int art = daten.m_nArt;
    choice.dAufliegerMass = 0.0;
    if (ResourceModule::IsGermanCode(sprache) && art == FahrzeugArt::kAuflieger) {
        CDlgDsr dsr(parent);
        if (dialogs.Ausfuehre(dsr) != QDialog::Accepted)
            return false;
        choice.dAufliegerMass = dsr.m_nErgebnis / 1000.0;
    }
    double rand[4] = {0.25, 0.15, 0.05, 0.05};
    if (art == FahrzeugArt::kSattelzugmaschine) {
        for (double& d : rand)
            d = 0.0;
    } else {
        const bool transporter = art == FahrzeugArt::kZugmaschineUntertyp;
        if (transporter) {
            rand[0] = 0.0;
            rand[1] = 0.1;
            rand[2] = 0.0;
            rand[3] = 0.0;
        }
        CDlgNutzbareLF lf(parent);
        for (std::size_t i = 0; i < 4; ++i)
            lf.m_Werte.dLaengen[i] = rand[i];
        lf.m_bErsteGesperrt = transporter;
        lf.m_bOhneInfo = transporter;
        if (dialogs.Ausfuehre(lf) != QDialog::Accepted)
            return false;
        for (std::size_t i = 0; i < 4; ++i)
            rand[i] = lf.m_Werte.dLaengen[i];
    }
    choice.nArt = art;
    choice.nVariante = daten.m_nVariante;
    choice.name = daten.m_strName;
    for (std::size_t i = 0; i < 4; ++i)
        choice.dRand[i] = rand[i];
    return true;
}

void CatalogueServices::NutzbareLF(CPlanEditDialogs& dialogs, QWidget* parent, CQOR1Doc* doc)
{
    CFahrzeug* f = doc ? doc->GetAktivFahrzeug(true) : nullptr;
    if (!f || f->GetArt() == FahrzeugArt::kSattelzugmaschine)
        return;
    const SNutzbareLF alt = f->m_NutzLF[0];
    CDlgNutzbareLF lf(parent);
    for (std::size_t i = 0; i < 4; ++i) {
        lf.m_Werte.dLaengen[i] = alt.m_dRand[i];
        lf.m_Werte.nRaster[i] = alt.m_nRaster[i];
        lf.m_Werte.fWerte[i] = alt.m_fWert[i];
    }
    lf.m_pAktivFahrzeug = doc->GetAktivFahrzeug(false);
    if (dialogs.Ausfuehre(lf) != QDialog::Accepted)
        return;
    SNutzbareLF neu = alt;
    for (std::size_t i = 0; i < 4; ++i) {
        neu.m_dRand[i] = lf.m_Werte.dLaengen[i];
        neu.m_nRaster[i] = lf.m_Werte.nRaster[i];
        neu.m_fWert[i] = lf.m_Werte.fWerte[i];
    }
    f->m_NutzLF[0] = neu;
    f->m_NutzLF[1] = neu;
    f->m_bModified = 1;
    doc->SetModifiedFlag(true);
    // Loads keep their place on the vehicle when the front margin moves.
    const double verschiebung = alt.m_dRand[0] - neu.m_dRand[0];
    if (verschiebung != 0.0)
        if (CQOR* plan = f->GetQor())
            for (tagLGINFO* lg : plan->GetLgInfos())
                lg->m_dPosX += verschiebung;
    f->CalcNutzbarerBereich();
    doc->UpdateOtherViews(UpdateHinweis::kBearbeitet);
    doc->OnFahrzeugChanged(true);
    if (ILastDlg* last = dialogs.GetLastDlg())
        last->UpdateFromPosition(true);
    doc->NotifyViews(DokumentMeldung::kLadeflaecheGeaendert, 0);
    doc->RedrawViews();
    doc->UpdateFrameTitle();
}
