// The template view's kept picture: handing it out again, drawing over it and drawing it anew.
#include "views/CVorlageBildSpeicher.h"

#include <QPainter>

QImage CVorlageBildSpeicher::Bild(const SSchluessel& k, const SZeichner& z)
{
    m_bAusSpeicher = false;
    if (m_bGueltig && k == m_Schluessel) {
        m_bAusSpeicher = true;
        // Only an animation's frame or the chart may have changed: both cover their places whole, so
        // they are drawn again over the kept picture.
        if (Geaendert(z.stand(true))) {
            QPainter painter(&m_Bild);
            painter.translate(-k.scroll);
            z.dazu(painter);
            Merke(z.stand(false));
        }
        return m_Bild;
    }
    // The last picture's memory serves again unless a caller still holds it.
    if (m_Bild.size() != k.size || !m_Bild.isDetached())
        m_Bild = QImage(k.size, QImage::Format_RGB32);
    m_Bild.fill(Qt::white);
    {
        QPainter painter(&m_Bild);
        painter.translate(-k.scroll);
        z.grundbild(painter);
        z.dazu(painter);
    }
    Merke(z.stand(false));
    // The state before the drawing: when the drawing moved the scroll position (a new scroll area), the
    // next picture draws again.
    m_Schluessel = k;
    m_bGueltig = true;
    return m_Bild;
}

bool CVorlageBildSpeicher::Geaendert(const SDazu& d) const
{
    bool bGeaendert = d.bAnim && d.nAnimSchritt != m_nAnimSchritt;
    // A chart drawn again with the same pixels changes nothing.
    if (d.bDiagrammNeu && d.diagramm.cacheKey() != m_Diagramm.cacheKey() && !(d.diagramm == m_Diagramm))
        bGeaendert = true;
    return bGeaendert;
}

void CVorlageBildSpeicher::Merke(const SDazu& d)
{
    m_nAnimSchritt = d.nAnimSchritt;
    m_Diagramm = d.diagramm;
}
