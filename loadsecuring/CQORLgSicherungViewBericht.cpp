// The load-securing view's texts and pictures: the report picture, the tool tips and the defect list.
#include "loadsecuring/CQORLgSicherungView.h"

#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/CLgsMangel.h"
#include "model/text/HtmlText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextSplit.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "platform/BmpFile.h"
#include "platform/ResourceModule.h"
#include "ui/CDlgMsgboxHtml.h"
#include "ui/IMessageBoxService.h"
#include "views/CPlanToolTip.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPointer>

#include <algorithm>

int CQORLgSicherungView::SkizzenZoomIndex(int nSketch)
{
    // The report's sketch (variant 1) at the zoom where pictures replace the plain drawing.
    if (nSketch == 1)
        return kBildZoomIndex;
    return std::clamp(nSketch, 0, static_cast<int>(kZoomStufen.size()) - 1);
}

bool CQORLgSicherungView::RenderSnapshot(int nZoomIndex, const QString& path, CFahrzeug* pFahrzeug)
{
    // An old picture must not stand in for one that could not be made.
    if (QFile::exists(path) && !QFile::remove(path))
        return false;
    const int nAlterIndex = m_nZoomIndex;
    const double dAlterZoom = m_dZoom;
    const QPoint alterUrsprung = m_ptUrsprung;
    const QRect alteLadeflaeche = m_rcLadeflaeche;
    m_bSnapshot = true;
    m_pSnapshotFahrzeug = pFahrzeug;
    m_pAuswahlPunkt = nullptr;
    m_nZoomIndex = std::clamp(nZoomIndex, 0, static_cast<int>(kZoomStufen.size()) - 1);
    m_dZoom = kZoomStufen[static_cast<std::size_t>(m_nZoomIndex)] * kBasisZoom / 100.0;
    bool bOk = false;
    CFahrzeug* f = GetFahrzeug();
    if (f && f->GetFahrzeugTyp() != FahrzeugArt::kSattelzugmaschine) {
        // Sized from the load area, not from the window: a long area at a large zoom stays whole.
        const int L = MetresToPixels(f->GetLFLaenge());
        const int W = MetresToPixels(f->GetLFBreite());
        const QSize groesse(L + 2 * kSnapshotRandX, W + 2 * kSnapshotRandY);
        if (groesse.width() > 0 && groesse.height() > 0 && groesse.width() <= 32767 &&
            groesse.height() <= 32767) {
            QImage bild(groesse, QImage::Format_RGB888);
            bild.fill(Qt::white);
            {
                QPainter p(&bild);
                OnDraw(p);
            }
            bOk = WriteDIBSectionToBmp(path, bild);
            if (bOk)
                m_szSnapshot = groesse;
            else
                QFile::remove(path);
        }
    }
    m_bSnapshot = false;
    m_pSnapshotFahrzeug = nullptr;
    m_nZoomIndex = nAlterIndex;
    m_dZoom = dAlterZoom;
    m_ptUrsprung = alterUrsprung;
    m_rcLadeflaeche = alteLadeflaeche;
    // The hit regions of the picture are not the window's: the next paint rebuilds them.
    ClearHitMaps();
    viewport()->update();
    return bOk;
}

std::function<bool(const std::string&, int, CFahrzeug&, CLadeeinheit&)> CQORLgSicherungView::SkizzenRenderer()
{
    QPointer<CQORLgSicherungView> self(this);
    return [self](const std::string& path, int nSketch, CFahrzeug& fahrzeug, CLadeeinheit&) {
        return self &&
               self->RenderSnapshot(SkizzenZoomIndex(nSketch), QString::fromStdString(path), &fahrzeug);
    };
}

namespace {

std::string Vorlage(quint32 nId)
{
    const ResourceModule* m = ResourceModule::Current();
    return m ? m->Html(nId).toStdString() : std::string();
}

// The box a load's picture is fitted into in the tool tips.
constexpr int kBildKasten = 64;

// The picture of a load fitted into its box, never enlarged, as a file URL (Qt's rich text takes the
// tag's size only as plain numbers).
std::string BildZelle(const tagLGINFO& lg)
{
    std::string pfad;
    int w = 0, h = 0;
    if (!lg.GetBildDatei(pfad, &w, &h))
        return std::string();
    return CPlanToolTip::BildTag(pfad, w, h, kBildKasten, kBildKasten);
}

std::string Kg(double dTonnen)
{
    return FormatChecked("%.0f kg", {dTonnen * 1000.0});
}

// Replaces the whole marker from `oeffnend` to the next ">" (searching from *pPos) by `wert`; the next
// search starts after the value.
void ErsetzeMarke(std::string& html, std::size_t* pPos, const char* oeffnend, const std::string& wert)
{
    const std::size_t a = html.find(oeffnend, *pPos);
    if (a == std::string::npos)
        return;
    const std::size_t e = html.find('>', a);
    if (e == std::string::npos)
        return;
    html.replace(a, e + 1 - a, wert);
    *pPos = a + wert.size();
}

} // namespace

std::string CQORLgSicherungView::LadungenTooltip(const tagLGINFO* pGezeigt)
{
    CQOR* q = GetPlan();
    std::string zeilen;
    if (q)
        for (tagLGINFO* lg : q->GetLgInfos())
            if (lg && (lg->m_nState & tagLGINFO::kStateMarked) != 0)
                AppendHtmlTableRow(zeilen,
                                   {EscapeHtml(lg->GetDisplayName()), BildZelle(*lg), Kg(lg->m_dMasse),
                                    EscapeHtml(lg->m_strText)},
                                   lg == pGezeigt, "#F7F7F7");
    std::string html = Vorlage(681);
    html = ReplaceAllText(html, "<!--$tbodyrows-->", zeilen);
    html = ReplaceAllText(html, "<!--$endColor-->", "#C8D8ED");
    return html;
}

std::string CQORLgSicherungView::EinheitTooltip(const CLadeeinheit& le)
{
    CQOR* q = GetPlan();
    const bool bAktiv = q && le.GetId() == q->m_nAktiveLadeeinheit;
    std::string zeilen;
    double dMasse = 0.0;
    for (std::size_t pos = 0; pos < le.m_Lgs.size();) {
        const tagLGINFO* lg = le.GetNextLadung(pos);
        if (!lg)
            continue;
        std::string name;
        lg->GetName(name, 1);
        AppendHtmlTableRow(zeilen,
                           {EscapeHtml(name), BildZelle(*lg), Kg(lg->m_dMasse), EscapeHtml(lg->m_strText)},
                           false, bAktiv ? "#9CB4F1" : "#CDDBE9");
        dMasse += lg->m_dMasse;
    }
    std::string html = Vorlage(677);
    html = ReplaceAllText(html, "<!--$endColor-->", "#C8D8ED");
    html = ReplaceAllText(html, "<!--$caption-->", FormatResChecked(bAktiv ? 410u : 411u, {le.GetId()}));
    html = ReplaceAllText(html, "<!--LEGG-->", Kg(dMasse));
    html = ReplaceAllText(html, "<!--tbodyrows-->", zeilen);
    // The four free distances, each written whole in place of its marker.
    if (CFahrzeug* f = GetFahrzeug()) {
        double x = 0.0, y = 0.0, l = 0.0, b = 0.0;
        le.GetRechteck(&x, &y, &l, &b);
        const auto mm = [](double d) { return FormatChecked("%.0f", {d * 1000.0}); };
        std::size_t pos = 0;
        ErsetzeMarke(html, &pos, "<$SAbst_v", mm(f->GetAbstandLaengs(3, x, l)));
        ErsetzeMarke(html, &pos, "<$SAbst_r", mm(f->GetAbstandQuer(0, y, b)));
        ErsetzeMarke(html, &pos, "<$SAbst_l", mm(f->GetAbstandQuer(2, y, b)));
        ErsetzeMarke(html, &pos, "<$SAbst_h", mm(f->GetAbstandLaengs(4, x, l)));
    }
    return html;
}

QString CQORLgSicherungView::ToolTipText(QPoint ptClient)
{
    HitTest(ptClient);
    if (m_hover.pEinheit && IstImPlan(m_hover.pEinheit))
        return QString::fromStdString(EinheitTooltip(*m_hover.pEinheit));
    if (m_hover.pLadung && IstImPlan(m_hover.pLadung))
        return QString::fromStdString(LadungenTooltip(m_hover.pLadung));
    return QString();
}

void CQORLgSicherungView::ShowMaengel(CLadeeinheit* pEinheit)
{
    if (!pEinheit)
        pEinheit = GetAktiveEinheit();
    if (!pEinheit || !IstImPlan(pEinheit))
        return;
    std::string punkte;
    for (const auto& m : pEinheit->m_Maengel)
        if (m)
            punkte += FormatChecked("<li style=\"margin-bottom:0.5em\"><b>%s</b>: %s</li>",
                                    {EscapeHtml(m->GetText()), m->GetHtml()});
    IMessageBoxService::HtmlBox box;
    box.text = QString::fromStdString(FormatResChecked(609, {pEinheit->GetId(), punkte}));
    box.captionId = 610;
    box.iconId = 820;
    box.iconKind = CDlgMsgboxHtml::kIconPng;
    box.buttons = {{668, 668}};
    MessageBoxes().ShowHtml(this, box, nullptr);
}
