// The load-securing view's report picture: one paint in snapshot mode written as a BMP file.
#include "loadsecuring/CQORLgSicherungView.h"

#include "model/plan/CLadeeinheit.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "platform/BmpFile.h"

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
