// The load-securing view's texts and pictures: the report picture, the tool tips and the defect list.
#include "loadsecuring/CQORLgSicherungView.h"

#include "loadsecuring/LgSichgHtml.h"

#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "platform/BmpFile.h"
#include "ui/CDlgMsgboxHtml.h"
#include "ui/IMessageBoxService.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPointer>

#include <algorithm>

int CQORLgSicherungView::SkizzenZoomIndex(int nSketch)
{
    // The report's sketch (variant 1) at the zoom where pictures replace the plain drawing.
    if (nSketch == 1)
        return LgSichgSkizze::kBildZoomIndex;
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
    const QRect alteLadeflaeche = m_regionen.rcLadeflaeche;
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
    m_regionen.rcLadeflaeche = alteLadeflaeche;
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

std::string CQORLgSicherungView::LadungenTooltip(const tagLGINFO* pGezeigt)
{
    return LgSichgHtml::LadungenTooltip(GetPlan(), pGezeigt);
}

std::string CQORLgSicherungView::EinheitTooltip(const CLadeeinheit& le)
{
    return LgSichgHtml::EinheitTooltip(le, GetPlan(), GetFahrzeug());
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
    IMessageBoxService::HtmlBox box;
    box.text = QString::fromStdString(LgSichgHtml::MaengelText(*pEinheit));
    box.captionId = 610;
    box.iconId = 820;
    box.iconKind = CDlgMsgboxHtml::kIconPng;
    box.buttons = {{668, 668}};
    MessageBoxes().ShowHtml(this, box, nullptr);
}
