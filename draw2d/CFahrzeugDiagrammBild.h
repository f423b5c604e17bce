// The drawing half of a vehicle's chart: the 290 x 352 picture of the lateral limit curve with the plan's
// load marked, painted into an image whose pixels the views and the 3D panel show.
#pragma once

#include "draw2d/CMemBm.h"

#include <QImage>
#include <QPoint>
#include <QRect>

#include <cstddef>
#include <cstdint>
#include <vector>

class CFahrzeug;
class QPainter;

class CFahrzeugDiagrammBild
{
public:
    static constexpr int kBreite = 290;
    static constexpr int kHoehe = 352;
    // Layout of the plot area: left margin, bottom margin, right margin, top margin, height, width.
    static constexpr int kLinks = 45;
    static constexpr int kRechts = 245;
    static constexpr int kOben = 52;
    static constexpr int kBasis = 277;
    static constexpr int kMitte = 145;
    static constexpr int kPlotHoehe = 225;
    static constexpr int kPlotBreite = 200;

    enum Marke
    {
        kKeineMarke,
        kMarkeGut,
        kMarkeSchlecht
    };

    CFahrzeugDiagrammBild();

    // Paints the chart of `fahrzeug` when its redraw flag is set and clears the flag. Answers 0 for a
    // semi-trailer tractor (which has no load area and gets no picture), else 1.
    int Draw(CFahrzeug& fahrzeug);

    // Width and height of the picture; true when a picture exists.
    bool GetBitmapSize(int* pcx, int* pcy) const;
    // The picture's pixels, top-down rows of 290 pixels of 4 bytes; false while there is none.
    bool GetBitmapFile(const std::uint8_t** ppData, std::size_t* pnSize) const;
    const QImage& GetImage() const { return m_image; }

    // The mass scale (tonnes of the top grid line) and the marker of the last painting.
    int GetMassstab() const { return m_nM; }
    // Every how many tonnes the mass scale carries a label (1, 2, 5, 10, 20, 50, ...), so that the
    // labels of a large scale do not run into each other.
    int GetBeschriftungsSchritt() const { return m_nSchritt; }
    static int BeschriftungsSchritt(int nM, int nPlotHoehe, int nTextHoehe);
    Marke GetMarke() const { return m_eMarke; }
    QPoint GetMarkenPunkt() const { return m_ptMarke; }

private:
    void DrawRaster(QPainter& p, float W);
    void DrawKurve(QPainter& p, const CFahrzeug& f, float W);
    void DrawLadung(QPainter& p, CFahrzeug& f, float W);

    QImage m_image;
    CMemBm m_bmGut;
    CMemBm m_bmSchlecht;
    int m_nM = 1;
    int m_nSchritt = 1;
    // The offset figures under the plot, where the load's offset may take their place.
    std::vector<QRect> m_rcAchsTexte;
    Marke m_eMarke = kKeineMarke;
    QPoint m_ptMarke;
};
