// The document commands on the vehicle worked on and the template view shown, without the frame: the
// axles, the side-difference percentage, the vehicle of a combination worked on, the vehicle checks'
// enabling and a new vehicle from the sample of its kind.
#include "app/DokumentBefehle.h"

#include "model/document/CQOR1Doc.h"
#include "model/plan/CQOR.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CAuflieger.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "views/CQOR1View.h"

#include <iterator>

namespace {

constexpr int kPercents[] = {1, 2, 3, 4, 5, 10, 15, 20, 25, 30, 40, 50};

void ZeigeAchsHinweis(CQOR1View* view)
{
    if (view)
        view->ZeigeAchsHinweis();
}

} // namespace

bool DokumentBefehle::IstFahrzeugBefehlFrei(const CQOR1Doc* doc, unsigned id)
{
    const CFahrzeug* pVorn = doc ? doc->GetFirstFahrzeug() : nullptr;
    if (!pVorn)
        return false;
    const CFahrzeug* pAnhaenger = doc->GetAnhaenger();
    switch (id) {
    case 33070: // the coupling check: a combination whose vehicles carry the status flag
        return !doc->m_bEinzelFahrzeug &&
               (pVorn->GetStatusFlag() || (pAnhaenger && pAnhaenger->GetStatusFlag()));
    case 33080: // a motor vehicle in front, not of the sub-type
        return (pVorn->GetArt() == FahrzeugArt::kZugmaschine ||
                pVorn->GetArt() == FahrzeugArt::kSattelzugmaschine) &&
               pVorn->GetFahrzeugTyp() != FahrzeugArt::kZugmaschineUntertyp;
    case 33081:
    case 33099: // the trailer is the vehicle worked on
        return pAnhaenger && doc->GetAktivFahrzeug(false) == pAnhaenger;
    case 33110: // a trailer with changes or a flagged plan
        return pAnhaenger && (CQOR1Doc::IsFahrzeugModified(pAnhaenger) ||
                              (pAnhaenger->GetQor() && pAnhaenger->GetQor()->m_bStatusFlag != 0));
    default: // a document is open
        return true;
    }
}

void DokumentBefehle::AktivIndexZustand(const CQOR1Doc* doc, bool bZugfahrzeug, bool* pEnable, int* pCheck)
{
    *pEnable = false;
    *pCheck = 0;
    if (!doc || !doc->GetFahrzeug() || !doc->GetAktivPlan())
        return;
    if (doc->GetAnhaenger()) {
        *pEnable = true;
        const CFahrzeug* v = doc->GetAktivFahrzeug(false);
        const bool bMotor = v && v->IsMotorfahrzeug();
        *pCheck = bMotor == bZugfahrzeug ? 1 : 0;
        return;
    }
    // A single vehicle: its own button checked and enabled, the other one off.
    const bool bMotor = doc->GetFahrzeug()->IsMotorfahrzeug();
    *pEnable = bMotor == bZugfahrzeug;
    *pCheck = *pEnable ? 1 : 0;
}

bool DokumentBefehle::WechsleAktivIndex(CQOR1Doc* doc, int nIndex)
{
    if (!doc || !doc->GetAnhaenger())
        return false;
    // Only a switch to the other vehicle of the combination.
    const int nFrom =
        nIndex == CQOR1Doc::kAktivZugfahrzeug ? CQOR1Doc::kAktivAnhaenger : CQOR1Doc::kAktivZugfahrzeug;
    if (doc->GetAktivIndex() != nFrom)
        return false;
    return doc->SetAktivIndex(nIndex, false, true);
}

int DokumentBefehle::ProzentEintrag(int nProzent)
{
    for (int i = 0; i < int(std::size(kPercents)); ++i)
        if (kPercents[i] == nProzent)
            return i + 1;
    return -1;
}

void DokumentBefehle::SetzeSeitenProzent(CQOR1Doc* doc, int nEntry)
{
    CFahrzeug* v = doc ? doc->GetAktivFahrzeug(false) : nullptr;
    if (!v || v->GetFahrzeugTyp() == FahrzeugArt::kSattelzugmaschine || nEntry < 1 ||
        nEntry > int(std::size(kPercents)))
        return;
    const int nProzent = kPercents[nEntry - 1];
    v->m_nSeitenProzent = nProzent;
    if (CQOR* plan = v->GetQor())
        plan->m_nSeitenProzent = nProzent;
    v->CalcNutzbarerBereich();
    v->m_bModified = 1;
    v->m_Diagramm.BuildCurve(0.0f);
    doc->SetModifiedFlag(true);
    doc->OnFahrzeugChanged(true);
    doc->RedrawViews();
    doc->UpdateFrameTitle();
}

void DokumentBefehle::FuegeAchseHinzu(CQOR1Doc* doc, bool bVorlageGezeigt, CQOR1View* view)
{
    CFahrzeug* v = doc ? doc->GetAktivFahrzeug(false) : nullptr;
    if (!v || !bVorlageGezeigt || !v->CanAddAchse() || !v->AddAchse())
        return;
    if (view)
        view->ClearSelection(false);
    doc->OnFahrzeugChanged(true);
    ZeigeAchsHinweis(view);
    doc->SetModifiedFlag(true);
    doc->UpdateFrameTitle();
}

bool DokumentBefehle::KannAchseEntfernen(CQOR1View* view)
{
    const CFahrzeug* v = view ? view->GetAchsFahrzeug() : nullptr;
    return v && view->IsAchseSelected() && v->CanRemoveAchse(view->GetHitAchse());
}

void DokumentBefehle::EntferneAchse(CQOR1Doc* doc, CQOR1View* view)
{
    CFahrzeug* v = view->GetAchsFahrzeug();
    if (!v->RemoveAchse(view->GetHitAchse()))
        return;
    view->ClearSelection(false);
    doc->OnFahrzeugChanged(false);
    doc->SetModifiedFlag(true);
    doc->UpdateFrameTitle();
    doc->UpdateOtherViews(UpdateHinweis::kBearbeitet);
    view->viewport()->update();
    ZeigeAchsHinweis(view);
}

void DokumentBefehle::SchalteAchsGruppe(CQOR1Doc* doc, CQOR1View* view)
{
    CFahrzeug* v = view ? view->GetAchsFahrzeug() : nullptr;
    const int nAchse = view && view->IsAchseSelected() ? view->GetHitAchse() : -1;
    if (!v || !doc || !v->SchalteAchsGruppe(nAchse))
        return;
    doc->OnFahrzeugChanged(true);
    doc->SetModifiedFlag(true);
    doc->UpdateFrameTitle();
    view->viewport()->update();
}

QString DokumentBefehle::BeispielDatei(const DocumentServices::NeuChoice& choice)
{
    static const char* const kSamples[] = {"LKW.qor", "GDA.qor", "SDA.qor", "SAH.qor", "SZM.qor", "KEP.qor"};
    if (choice.nArt < FahrzeugArt::kZugmaschine || choice.nArt > FahrzeugArt::kZugmaschineUntertyp)
        return QString();
    QString file = QString::fromLatin1(kSamples[choice.nArt]);
    if (choice.nArt == FahrzeugArt::kAnhaenger && choice.nVariante != 1)
        file = QStringLiteral("GDA_2.qor");
    if (choice.nArt == FahrzeugArt::kAuflieger && choice.nVariante != 1)
        file = QStringLiteral("SAH_2.qor");
    return file;
}

QString DokumentBefehle::NeuerName(const DocumentServices::NeuChoice& choice)
{
    static const quint32 kNamen[] = {174, 178, 177, 176, 175, 172};
    QString name = choice.name.trimmed();
    if (name.isEmpty())
        name = QString::fromStdString(LoadResString(kNamen[choice.nArt]));
    return name;
}

bool DokumentBefehle::IstMotorfahrzeugArt(int nArt)
{
    return nArt == FahrzeugArt::kZugmaschine || nArt == FahrzeugArt::kSattelzugmaschine ||
           nArt == FahrzeugArt::kZugmaschineUntertyp;
}

void DokumentBefehle::RichteNeuesFahrzeugEin(CFahrzeug& f, const DocumentServices::NeuChoice& choice,
                                             const QString& name)
{
    f.m_strName = name.toStdString();
    if (auto* pAuflieger = dynamic_cast<CAuflieger*>(&f))
        pAuflieger->m_dAufliegerMass = choice.dAufliegerMass;
    for (int i = 0; i < 4; ++i) {
        const double d = choice.nArt == FahrzeugArt::kSattelzugmaschine ? 0.0 : choice.dRand[i];
        f.m_NutzLF[0].m_dRand[i] = d;
        f.m_NutzLF[1].m_dRand[i] = d;
    }
}

void DokumentBefehle::UebernimmNeuesFahrzeug(CQOR1Doc& doc, std::unique_ptr<CFahrzeug> pFahrzeug)
{
    doc.SetFahrzeug(pFahrzeug.release());
    doc.GetFahrzeug()->CalcNutzbarerBereich();
    doc.GetFahrzeug()->m_bModified = 1;
    doc.OnDocumentOpened();
    doc.GetFahrzeug()->m_bModified = 1;
    doc.UpdateModifiedState();
    doc.SetAktivIndex(CQOR1Doc::kAktivAnhaenger, true, true);
    doc.UpdateFrameTitle();
}
