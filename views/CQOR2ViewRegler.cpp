// The loading-plan view's sliders: position of the current load, load-area width and mass.
#include "views/CQOR2View.h"

#include "views/CQOR1View.h"
#include "views/CTabbedViewView.h"
#include "views/ILoadingRamp.h"
#include "views/IPlanDialogs.h"
#include "views/ISliderFactory.h"
#include "views/PlanMasseEvent.h"
#include "views/PositionsReglerEvent.h"
#include "views/SliderValueEvent.h"

#include <QCoreApplication>

#include "ui/CWndSlider.h"

#include "model/document/CQOR1Doc.h"
#include "model/plan/CPlanAnzeige.h"
#include "model/plan/PlanEingabe.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

namespace {

// Messages of the sliders to the view.
constexpr int kPosX = 0x807B;
constexpr int kPosY = 0x807C;
constexpr int kBreite = 0x807E;
constexpr int kMasse = 0x8080;
// Slider kinds.
constexpr int kReglerX = 12;
constexpr int kReglerY = 13;
constexpr int kReglerBreite = 14;
constexpr int kReglerMasse = 16;

} // namespace

COLORREF CQOR2View::GetStatusFarbe(int nStatus)
{
    switch (nStatus) {
    case CPlanPlatzierung::kBlockiert:
        return RGB(255, 0, 0);
    case 2:
        return RGB(249, 241, 136);
    default:
        return RGB(193, 250, 137);
    }
}

double CQOR2View::GetAuswahlY() const
{
    const tagLGINFO* p = GetAuswahl();
    const CFahrzeug* f = GetFahrzeug();
    if (!p || !f || !GetPlan())
        return 0.0;
    return PlanYVonSeite(*f, CPlanAnzeige(*GetPlan()).GetRasterSeite(), p->m_dPosY, p->GetDimY());
}

void CQOR2View::ShowPositionsSlider(const double* x, const double* y, int nFlags)
{
    const tagLGINFO* p = GetAuswahl();
    const CFahrzeug* f = GetFahrzeug();
    if (!p || !f)
        return;
    // Fields typed into: Return applies the value and closes the field.
    if ((nFlags & 1) && x && !m_pSliderX) {
        m_pSliderX = ISliderFactory::Of(&GetProgramRun())
                         .Create(kReglerX, *x, -p->GetDimX(), f->GetLFLaenge() - f->GetRandabstand(4),
                                 QPoint(30, 30), this, true);
        if (m_pSliderX)
            m_pSliderX->SetCloseOnReturn(true);
    }
    if ((nFlags & 2) && y && !m_pSlider) {
        m_pSlider = ISliderFactory::Of(&GetProgramRun())
                        .Create(kReglerY, *y, -p->GetDimY(), f->GetLFBreite() - f->GetRandabstand(5),
                                QPoint(30, 30), this, true);
        m_nReglerArt = kReglerY;
        if (m_pSlider)
            m_pSlider->SetCloseOnReturn(true);
    }
    // Each open slider sits at its button beside the load: the x slider's corner just left of and above
    // its button, the y slider's right edge on its button's right edge.
    if (m_pSliderX && !m_treffer.rcBtnX.isEmpty())
        SetzeReglerAn(*m_pSliderX, m_treffer.rcBtnX.topLeft() + QPoint(-2, -1), false);
    if (m_pSlider && !m_treffer.rcBtnY.isEmpty())
        SetzeReglerAn(*m_pSlider, QPoint(m_treffer.rcBtnY.right(), m_treffer.rcBtnY.top() - 1), true);
    for (IValueSlider* s : {m_pSliderX.get(), m_pSlider.get()})
        if (s)
            s->SetEditBkColor(GetStatusFarbe(m_nPlatzStatus));
    if ((nFlags & 3) == 3)
        setFocus();
}

void CQOR2View::SetzeReglerAn(IValueSlider& regler, QPoint pt, bool bRechts)
{
    // The buttons lie in the plan's client area; the slider is a child of the view.
    QRect rc = regler.WindowRect();
    if (rc.isEmpty())
        return;
    const QPoint ziel = viewport()->mapTo(this, pt);
    if (bRechts)
        rc.moveTopRight(ziel);
    else
        rc.moveTopLeft(ziel);
    regler.MoveWindow(rc);
}

void CQOR2View::FolgeRegler()
{
    // The position fields stay at their buttons beside the load they belong to; a field whose button
    // is no longer drawn (its load gone, no current load) closes.
    const bool bX = m_pSliderX != nullptr;
    const bool bY = m_pSlider && m_nReglerArt == kReglerY;
    if (!bX && !bY)
        return;
    if ((bX && m_treffer.rcBtnX.isEmpty()) || (bY && m_treffer.rcBtnY.isEmpty())) {
        SchliesseRegler();
        return;
    }
    if (bX)
        SetzeReglerAn(*m_pSliderX, m_treffer.rcBtnX.topLeft() + QPoint(-2, -1), false);
    if (bY)
        SetzeReglerAn(*m_pSlider, QPoint(m_treffer.rcBtnY.right(), m_treffer.rcBtnY.top() - 1), true);
}

void CQOR2View::PositionsReglerAuf(double x, double y)
{
    if (m_pSliderX)
        m_pSliderX->SetValue(x);
    if (m_pSlider)
        m_pSlider->SetValue(y);
    ShowPositionsSlider(&x, &y, 3);
}

void CQOR2View::TabZwischenReglern(const QObject* pSender, int nArt)
{
    if (nArt == kReglerBreite || !pSender)
        return;
    const bool bVonX = m_pSliderX && m_pSliderX->SenderObject() == pSender;
    const bool bVonY = !bVonX && m_pSlider && m_pSlider->SenderObject() == pSender;
    if (!bVonX && !bVonY)
        return;
    // Tab while only one position slider is open opens the other beside it (both at the load's
    // position) and goes on into it.
    const tagLGINFO* p = GetAuswahl();
    if (p && (!m_pSliderX || !m_pSlider)) {
        PositionsReglerEvent beide(p->m_dPosX, GetAuswahlY());
        QCoreApplication::sendEvent(this, &beide);
    }
    IValueSlider* pAndere = bVonX ? m_pSlider.get() : m_pSliderX.get();
    if (pAndere)
        pAndere->FocusEdit();
}

void CQOR2View::ShowBreitenSlider()
{
    const CFahrzeug* f = GetFahrzeug();
    if (!m_pSlider && f) {
        m_pSlider = ISliderFactory::Of(&GetProgramRun())
                        .Create(kReglerBreite, f->GetLFBreite(), 0.8, 4.0, QPoint(0, 0), this, true);
        m_nReglerArt = kReglerBreite;
        if (m_pSlider)
            m_pSlider->SetCloseOnReturn(true);
    }
    // Over the width label, which is its button.
    if (m_pSlider && !m_treffer.rcBtnWert.isEmpty())
        SetzeReglerAn(*m_pSlider, m_treffer.rcBtnWert.topLeft() + QPoint(-2, -1), false);
}

bool CQOR2View::SetLadeflaechenBreite(double dBreite)
{
    CFahrzeug* f = GetFahrzeug();
    CQOR* q = GetPlan();
    if (!f)
        return false;
    const int nSeite = q ? CPlanAnzeige(*q).GetRasterSeite() : 0;
    const bool bGeaendert = PlanSetLadeflaechenBreite(*f, dBreite, nSeite);
    if (bGeaendert) {
        f->SetModified();
        // The lateral curve depends on the width.
        f->GetDiagramm().BuildCurve(0.0f);
        Benachrichtige(true);
        // The template view and the 3D view show the new width too.
        InvalidateNachbarn(true, true);
        if (m_pLaderampe)
            m_pLaderampe->ResetIndices();
        if (CQOR1Doc* pDoc = GetDocument())
            pDoc->UpdateOtherViews(UpdateHinweis::kBearbeitet);
        // A semi-trailer's template view draws its load area behind the tractor.
        if (f->GetArt() == FahrzeugArt::kAuflieger)
            InvalidateVorlage();
    }
    ShowBreitenSlider();
    return bGeaendert;
}

void CQOR2View::InvalidateVorlage()
{
    if (CTabbedViewView* host = GetHost())
        if (CQOR1View* pVorlage = host->FindView<CQOR1View>())
            pVorlage->viewport()->update();
}

void CQOR2View::SchliesseRegler()
{
    if (!m_pSlider && !m_pSliderX)
        return;
    m_pSliderX.reset();
    m_pSlider.reset();
    if (CQOR* q = GetPlan(); q && m_nPlatzStatus != CPlanPlatzierung::kFrei) {
        CPlanAnzeige anz(*q);
        if (!anz.GetAnzeigeBeiKonflikt())
            anz.SetAnzeigeBeiKonflikt(true);
    }
    viewport()->update();
}

void CQOR2View::ZeigeMassenRegler(const tagLGINFO* pLg, double t)
{
    // The load is looked for among the plan's loads, never followed as it came.
    tagLGINFO* p = nullptr;
    if (const CQOR* q = GetPlan())
        for (tagLGINFO* l : q->GetLgInfos())
            if (l == pLg)
                p = l;
    if (!p)
        return;
    const double dWert = PlanMasseFuerRegler(t);
    if (m_pSlider) {
        m_pSlider->SetValue(dWert);
        return;
    }
    QPoint mitte(30, 30);
    if (const auto it = GetGuiLg().find(p); it != GetGuiLg().end())
        mitte = it->second.rc.center() + QPoint(-1, 8);
    m_pSlider =
        ISliderFactory::Of(&GetProgramRun()).Create(kReglerMasse, dWert, 0.0, 40.0, mitte, this, true);
    m_nReglerArt = kReglerMasse;
    if (m_pSlider)
        m_pSlider->SetCloseOnReturn(true);
    setFocus();
}

void CQOR2View::EditMasse()
{
    CQOR* q = GetPlan();
    if (!q)
        return;
    q->SelectAssignedLgInfo(0, false);
    q->SelectAllFsm(0);
    const int n = q->CountSelectedLgInfo(true);
    if (n == 1) {
        const tagLGINFO* p = q->GetFirstSelectedLgInfo();
        if (!m_pSlider) {
            ZeigeMassenRegler(p, p->m_dMasse);
            // Opened to type a mass: the keyboard goes to its edit (the arrow keys leave it with the view).
            if (m_pSlider)
                m_pSlider->FocusEdit();
        }
    } else if (n > 1) {
        double t = q->GetFirstSelectedLgInfo()->m_dMasse;
        if (!IPlanDialogs::Of(&GetProgramRun()).EditGewicht(this, t) || !PlanMasseGueltig(t))
            return;
        for (tagLGINFO* p : q->GetLgInfos())
            if (p->m_bSelected) {
                p->m_dMasse = t;
                p->m_dSPMasse = t;
            }
        Benachrichtige();
    }
}

void CQOR2View::SetzePosition(bool bX, double dWert)
{
    tagLGINFO* p = GetAuswahl();
    CQOR* q = GetPlan();
    CFahrzeug* f = GetFahrzeug();
    if (!p || !q || !f)
        return;
    if (bX)
        p->m_dPosX = dWert;
    else
        p->m_dPosY = PlanYVonSeite(*f, CPlanAnzeige(*q).GetRasterSeite(), dWert, p->GetDimY());
    if (CQOR1Doc* pDoc = GetDocument())
        pDoc->SetModifiedFlag(true);
    q->m_bModified = 1;
    m_platz.SetPlan(q);
    m_platz.m_pAuswahl = p;
    double x = p->m_dPosX, y = p->m_dPosY;
    const double dx = p->GetDimX(), dy = p->GetDimY();
    const int nStatus = m_platz.FindFreieEingabePosition(&x, &y, &dx, &dy);
    m_nPlatzStatus =
        nStatus == CPlanPlatzierung::kFrei ? CPlanPlatzierung::kFrei : CPlanPlatzierung::kBlockiert;
    for (IValueSlider* s : {m_pSliderX.get(), m_pSlider.get()})
        if (s)
            s->SetEditBkColor(GetStatusFarbe(m_nPlatzStatus));
    RecalcSchwerpunkt();
    viewport()->update();
}

bool CQOR2View::ReglerEreignis(QEvent* e)
{
    const int nTyp = static_cast<int>(e->type());
    if (nTyp == PlanMasseEvent::kTyp) {
        if (auto* m = dynamic_cast<PlanMasseEvent*>(e))
            ZeigeMassenRegler(m->Ladung(), m->Tonnen());
        return true;
    }
    if (nTyp == SliderValueEvent::kClosed) {
        SchliesseRegler();
        return true;
    }
    if (nTyp == 0x80F2) {
        EditMasse();
        return true;
    }
    if (nTyp == PositionsReglerEvent::kTyp) {
        if (auto* pos = dynamic_cast<PositionsReglerEvent*>(e))
            PositionsReglerAuf(pos->X(), pos->Y());
        return true;
    }
    auto* w = dynamic_cast<SliderEvent*>(e);
    if (!w)
        return false;
    switch (nTyp) {
    case SliderValueEvent::kTabKey: {
        const CWndSlider* pSlider = w->Slider();
        TabZwischenReglern(pSlider, pSlider ? pSlider->Kind() : 0);
        return true;
    }
    case kPosX:
    case kPosY:
        SetzePosition(nTyp == kPosX, w->Value());
        return true;
    case kBreite:
        SetLadeflaechenBreite(w->Value());
        return true;
    case kMasse: {
        double t = w->Value();
        if (!SetzeMasse(t) && m_pSlider)
            m_pSlider->SetValue(t);
        return true;
    }
    default:
        return false;
    }
}
