// The drawing of the loading plan: the layout of a paint, the layers under the loads and the kept picture
// of them, the placed loads, the overlays and the export picture.
#include "views/CPlanPainter.h"

#include "draw2d/AusgerichteterText.h"
#include "draw2d/FontTable.h"
#include "draw2d/RasterOp.h"
#include "draw2d/SicherungsMarke.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CPlanAnzeige.h"
#include "model/plan/CQOR.h"
#include "model/plan/SchwerpunktVersatz.h"
#include "model/plan/SicherungsStand.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/ResourceText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "ui/ResourcePictures.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// The mark in the corners of a load unit with defects.
constexpr std::uint32_t kBildMangel = 1410;

int Trunc(double v)
{
    return static_cast<int>(v);
}

QString Text(std::uint32_t id)
{
    return QString::fromStdString(LoadResString(id));
}

// Extents of a load along and across the vehicle by its rotation; -1.0 for an unknown rotation.
double AusdehnungX(const tagLGINFO& lg)
{
    switch (lg.m_nDrehung) {
    case 0:
    case 180:
        return lg.m_dLaenge;
    case 90:
    case 270:
        return lg.m_dBreite;
    default:
        return -1.0;
    }
}

double AusdehnungY(const tagLGINFO& lg)
{
    switch (lg.m_nDrehung) {
    case 0:
    case 180:
        return lg.m_dBreite;
    case 90:
    case 270:
        return lg.m_dLaenge;
    default:
        return -1.0;
    }
}

// A rectangle given by its corners, the right and bottom edges exclusive as in the drawing formulas.
QRect Ecken(int l, int t, int r, int b)
{
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

// A rectangle outline along the edges (l, t) .. (r - 1, b - 1).
void Rahmen(QPainter& p, const QRect& rc)
{
    p.drawRect(rc.adjusted(0, 0, -1, -1));
}

QString Zahl(double v)
{
    return QString::number(std::round(v), 'f', 0);
}

// Whether a load's label `text` fits its box: inside it (touching its edge line at most) and clear of the
// marks drawn in it. A label that does not fit is left out.
bool BeschriftungPasst(const QRect& box, const QRect& text, const std::vector<QRect>& marken)
{
    if (text.isEmpty() || !box.adjusted(-1, -1, 1, 1).contains(text))
        return false;
    return std::none_of(marken.begin(), marken.end(), [&text](const QRect& m) { return m.intersects(text); });
}

// The triangle that points to the front of a load turned by nDrehung, in its box `rc`.
QPolygon RichtungsDreieck(const QRect& rc, int nDrehung)
{
    const int left = rc.left(), top = rc.top(), right = rc.left() + rc.width(),
              bottom = rc.top() + rc.height();
    const int mx = (left + right) / 2, my = (top + bottom) / 2;
    if (nDrehung == 0)
        return QPolygon({{left + 4, my}, {left + 8, my - 4}, {left + 8, my + 4}});
    if (nDrehung == 180)
        return QPolygon({{right - 4, my}, {right - 8, my + 4}, {right - 8, my - 4}});
    if (nDrehung == 90)
        return QPolygon({{mx, top + 4}, {mx + 4, top + 8}, {mx - 4, top + 8}});
    return QPolygon({{mx, bottom - 4}, {mx - 4, bottom - 8}, {mx + 4, bottom - 8}});
}

// Height of the button strips above the plan when they could not be made.
constexpr int kStreifenHoehe = 26;
// Plan origin x when no template view gives one.
constexpr int kUrsprungX = 100;

} // namespace

// The layout of one paint of the plan: the vehicle, the load area's size and borders, and where the
// drawing puts them.
struct CPlanPainter::PlanLage
{
    const CFahrzeug* pV = nullptr;
    const CQOR* pPlan = nullptr;
    bool bExport = false;
    double L = 0.0, W = 0.0;
    double e[4] = {};
    // The insets of the view's edge and the painter's scroll offset (none when exporting).
    QPoint rand, scr;
    // The load area's top-left corner, the scale (pixels per metre) and the usable area's corner.
    int x0 = 0, y0 = 0;
    double s = 0.0;
    int ux = 0, uy = 0;
    // Load area and usable area in pixels.
    int lp = 0, wp = 0, uw = 0, uh = 0;
    // The plan's mass, whether it has something to show, and whether the loading ramp shows.
    double m = 0.0;
    bool bHatLadung = false;
    bool bRampe = false;
    // An export's margin left of the load area, room for the width figures of the grid.
    int nExportRand = 19;
    // And above it, room for the length figures over the load area.
    int nExportOben = 10;
    // What an export changes and gives back.
    QPoint ursprungAlt;
    int nScaleAlt = 0;
};

// The picture an export paints into, sized for the vehicle.
struct CPlanPainter::PlanExport
{
    PlanExport() = default;
    // The painter holds the picture's address: neither may move.
    PlanExport(const PlanExport&) = delete;
    PlanExport& operator=(const PlanExport&) = delete;
    QImage bild;
    std::unique_ptr<QPainter> painter;
    int nScale = 0;
    int nRandLinks = 19;
    int nRandOben = 10;
};

CPlanPainter::CPlanPainter()
{
    m_fontKlein = FontTable::MakeFont("Arial", 10, 400);
    m_fontTitel = FontTable::MakeFont("Segoe UI", 18, 600);
    m_fontNormal = FontTable::MakeFont("Segoe UI", 14, 400);
    m_fontMittel = FontTable::MakeFont("Segoe UI", 15, 400);
    m_fontLabel = FontTable::MakeFont("Arial", 14, 400);
    m_fontSenkrecht = FontTable::MakeFont("Arial", 12, 400);
    m_fontSchmal = FontTable::MakeFont("Arial Narrow", 14, 400);
    LadeBilder();
}

void CPlanPainter::LadeBilder()
{
    const std::uint32_t marker[3] = {260, 268, 267};
    for (int i = 0; i < 3; ++i)
        m_bmSchwerpunkt[i].LoadBitmap(marker[i]);
    m_bmLgSchwerpunkt.LoadBitmap(266);
    m_bmFahrerhaus.LoadBitmap(459);
    m_bmFahrerhausLang.LoadBitmap(461);
    m_bmDeichselStarr.LoadBitmap(466);
    m_bmDeichsel.LoadBitmap(468);
    m_musterLadeflaeche = LoadCxImageFromResource(kMusterLadeflaeche, PICTURE_FORMAT_BITMAP);
    m_musterEinheit = LoadCxImageFromResource(kMusterEinheit, PICTURE_FORMAT_BITMAP);
}

void CPlanPainter::SetTool(int nId, const QRect& rc, const QString& text)
{
    m_pErg->tools[nId] = SToolArea{rc, text};
}

void CPlanPainter::VerwirfLadungen()
{
    m_pErg->ladungen.clear();
    m_pErg->bLadungenVerworfen = true;
    m_pAuswahl = nullptr;
    auto& tools = m_pErg->tools;
    for (auto it = tools.begin(); it != tools.end();)
        it = it->first >= kToolErsteLadung && it->first < kToolErsteLadung + 10000 ? tools.erase(it)
                                                                                   : std::next(it);
}

void CPlanPainter::Zeichne(QPainter& painter, const SEingabe& ein, SErgebnis& erg)
{
    ZeichneMit(&painter, ein, erg);
}

void CPlanPainter::ZeichneExport(const SEingabe& ein, SErgebnis& erg)
{
    ZeichneMit(nullptr, ein, erg);
}

void CPlanPainter::ZeichneMit(QPainter* painter, const SEingabe& ein, SErgebnis& erg)
{
    m_pEin = &ein;
    m_pErg = &erg;
    m_pAuswahl = ein.pAuswahl;
    m_massstab = ein.massstab;
    erg.ladungen.clear();
    erg.bLadungenVerworfen = false;
    erg.bRandGeaendert = false;
    erg.bPlan = false;
    erg.exportBild = QImage();
    if (ein.pFahrzeug)
        ZeichnePlan(painter);
    erg.massstab = m_massstab;
    m_pEin = nullptr;
    m_pErg = nullptr;
    m_pAuswahl = nullptr;
}

void CPlanPainter::ZeichnePlan(QPainter* screen)
{
    const CFahrzeug* pV = m_pEin->pFahrzeug;
    PlanLage g;
    g.pV = pV;
    g.pPlan = pV->GetQor();
    g.bExport = m_pEin->bExport;
    g.L = pV->GetLFLaenge();
    g.W = static_cast<double>(pV->GetLFBreite());
    for (int i = 0; i < 4; ++i)
        g.e[i] = pV->GetRandabstand(i);

    // The display choices first: an export makes room for the grid's figures when they show.
    if (g.pPlan && pV->GetArt() != FahrzeugArt::kSattelzugmaschine)
        AktualisiereAnzeige(*g.pPlan, g.bExport);
    // Made in place: the painter holds the address of the picture it paints on.
    PlanExport exp;
    if (g.bExport) {
        BeginneExport(g, exp);
        g.nExportRand = exp.nRandLinks;
        g.nExportOben = exp.nRandOben;
    }
    QPainter& p = g.bExport ? *exp.painter : *screen;
    p.save();
    g.scr = g.bExport ? QPoint() : m_pEin->scroll;
    SetTool(kToolSchwerpunkt, QRect(), m_pErg->tools[kToolSchwerpunkt].text);
    m_pErg->tools.erase(kToolBereichMass);
    SetzeUrsprung(g);
    if (pV->GetArt() == FahrzeugArt::kSattelzugmaschine) {
        ZeichneOhneLadeflaeche(p, g);
        p.restore();
        return;
    }
    if (!g.bExport) {
        // The plan fits a changed room in the paint that first sees it, so that what the user sees and
        // presses is at the scale the next paint keeps. While a press is held the gesture keeps the scale
        // it started with; the paint after its release fits the room.
        if (!m_pEin->bTasteUnten)
            m_massstab.dFensterFaktor = FensterFaktor(g);
        if (g.pPlan)
            m_massstab.dZoom = CPlanAnzeige(*g.pPlan).GetZoom() * m_massstab.dFensterFaktor;
        m_pErg->nRampenMindestHoehe = RampenMindestHoehe(g);
    }
    SetzeMassstab(g, exp.nScale);

    PlanTreffer treffer;
    m_bAusGrundbild = ZeichneMitGrundbild(p, g);
    if (!m_bAusGrundbild) {
        ZeichneUnterlage(p, g);
        if (!g.bExport)
            SetzeRandTools(g);
        ZeichneLadungen(p, g);
    }
    g.bHatLadung = g.pPlan && (!g.pPlan->GetLgInfos().empty() || m_pAuswahl);
    g.m = g.pPlan ? g.pPlan->GetMasse() : 0.0;
    if (m_pErg->anzeige.bBereichFarbig)
        ZeichneLadeflaechenBereich(p);
    else if (m_pErg->anzeige.bZulBereich && g.bHatLadung && pV->GetNutzlastKurve().GetBereichStatus() != 1 &&
             g.m > 0.0)
        ZeichneBereichBox(p, *pV, g.W, g.e, g.x0, g.y0);
    ZeichneRahmen(p, g);
    treffer.rcBtnWert = ZeichneBreitenMass(p, g);
    if (!g.bExport) {
        treffer.rcLadeflaeche = Ecken(g.x0, g.y0, g.x0 + g.lp, g.y0 + g.wp).translated(-g.scr);
        ZeichneKnoepfeUndGriffe(p, QRect(g.x0, g.y0, g.lp, g.wp), g.scr, treffer);
    }
    g.bRampe = m_pEin->bRampe;
    ZeichneBereichMass(p, g);
    treffer.rcSchwerpunkt = ZeichneSchwerpunkt(p, g);
    if (g.bExport || m_pErg->anzeige.bLadungenZeigen)
        ZeichneSicherungsMarken(p);
    if (!g.bExport) {
        ZeichneGummiband(p, g);
        m_pErg->bPlan = true;
        m_pErg->treffer = treffer;
        m_pErg->bRampe = g.bRampe;
        m_pErg->ladeflaeche = QPoint(g.x0, g.y0);
        m_pErg->dMassstab = g.s;
        m_pErg->nRampeOben = m_massstab.Pixel(g.W) + g.y0 + 2;
        m_pErg->planGroesse = QSize(m_massstab.Pixel(g.L) + g.x0 + 60, m_massstab.Pixel(g.W) + g.y0 + 35);
    }
    p.restore();

    if (g.bExport) {
        // The export gives back what it changed.
        exp.painter->end();
        m_pErg->exportBild = exp.bild;
        m_pErg->exportMasse = {exp.nScale, exp.nRandLinks, exp.nRandOben};
        m_massstab.nPixelProMeter = g.nScaleAlt;
        m_massstab.ursprungKorr = g.ursprungAlt;
    }
}

void CPlanPainter::ZeichneUnterlage(QPainter& p, const PlanLage& g)
{
    if (!g.bExport)
        ZeichneFahrerhaus(p, g);
    ZeichneLadeflaeche(p, g);
    if (m_pErg->anzeige.bRasterZeigen)
        ZeichneRaster(p, g.L, g.W, g.e, g.x0, g.y0, KnopfY(g));
    ZeichneFokusRahmen(p, g);
}

void CPlanPainter::SetGrundbildSpeicher(bool bAn)
{
    m_bGrundbildSpeicher = bAn;
    m_grundbild.Verwirf();
}

// The kept picture is copied pixel for pixel: only onto a picture of the same kind, moved by whole pixels,
// with nothing that would blend or clip the copy.
bool CPlanPainter::GrundbildMoeglich(const QPainter& p) const
{
    if (!m_bGrundbildSpeicher || !p.device() || p.device()->devType() != QInternal::Image)
        return false;
    const auto* bild = static_cast<const QImage*>(p.device());
    const QTransform& t = p.transform();
    return bild->format() == QImage::Format_RGB32 && bild->devicePixelRatio() == 1.0 &&
           t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) &&
           t.dy() == std::floor(t.dy()) && !p.hasClipping() && p.opacity() == 1.0 &&
           p.compositionMode() == QPainter::CompositionMode_SourceOver;
}

PlanGrundbild::SLage CPlanPainter::GrundbildLage(const QPainter& p, const PlanLage& g) const
{
    PlanGrundbild::SLage k;
    k.geraet = static_cast<const QImage*>(p.device())->size();
    k.versatz = QPoint(static_cast<int>(p.transform().dx()), static_cast<int>(p.transform().dy()));
    k.stift = p.pen();
    k.pinsel = p.brush();
    k.schrift = p.font();
    k.nHinweise = static_cast<int>(p.renderHints());
    k.pFahrzeug = g.pV;
    k.pPlan = g.pPlan;
    const CFahrzeug* pFront = m_pEin->pVorn;
    k.pVorn = pFront;
    k.nVornArt = pFront ? pFront->GetArt() : -1;
    k.bVornArt5 = pFront && pFront->IsArt5();
    k.dAchse1 = pFront ? pFront->GetAchse1Abstand() : 0.0;
    k.bAnhaenger = m_pEin->bAnhaenger;
    k.L = g.L;
    k.W = g.W;
    for (int i = 0; i < 4; ++i)
        k.e[i] = g.e[i];
    k.s = g.s;
    k.massstab = m_massstab;
    k.rand = g.rand;
    k.x0 = g.x0;
    k.y0 = g.y0;
    k.bRasterBeschriftung = m_pErg->anzeige.bRasterBeschriftung;
    k.bLadungenZeigen = m_pErg->anzeige.bLadungenZeigen;
    k.bRasterZeigen = m_pErg->anzeige.bRasterZeigen;
    k.bRichtungZeigen = m_pErg->anzeige.bRichtungZeigen;
    k.bBeschriftung = m_pEin->bBeschriftung;
    k.dRasterX = m_pErg->anzeige.dRasterX;
    k.dRasterY = m_pErg->anzeige.dRasterY;
    k.nRasterSeite = m_pErg->anzeige.nRasterSeite;
    k.fontKlein = m_fontKlein;
    k.fontNormal = m_fontNormal;
    k.fontLabel = m_fontLabel;
    k.fontSenkrecht = m_fontSenkrecht;
    k.fontSchmal = m_fontSchmal;
    k.nMuster = m_musterLadeflaeche.cacheKey();
    k.titel = m_pErg->anzeige.bLadungenZeigen ? QString() : Text(18);
    k.knopfY = KnopfY(g);
    return k;
}

bool CPlanPainter::ZeichneMitGrundbild(QPainter& p, const PlanLage& g)
{
    if (g.bExport || !GrundbildMoeglich(p))
        return false;
    // The loads that stay, in their order; the moving ones are drawn after them, which gives the same
    // picture as long as none of them lies under a later one that stays. A load's drawing may reach
    // beyond its box (labels, the centre-of-gravity mark): the boxes are compared widened.
    std::vector<PlanGrundbild::SLadung> feste;
    if (g.pPlan && m_pErg->anzeige.bLadungenZeigen) {
        const tagLGINFO* pHover = m_pEin->pHover;
        const bool bGedrueckt = IstGedrueckt(pHover);
        const int nSchrift = std::max(
            {m_labels.Height(m_fontLabel), m_labels.Height(m_fontSchmal), m_labels.Height(m_fontSenkrecht)});
        const int nRand =
            3 * nSchrift + std::max(m_bmLgSchwerpunkt.GetWidth(), m_bmLgSchwerpunkt.GetHeight()) + 4;
        auto Reichweite = [&](const tagLGINFO& lg) {
            const QRect rc = LadungRect(lg);
            const int d = std::max(rc.width(), rc.height()) + nRand;
            return rc.adjusted(-d, -d, d, d);
        };
        std::vector<QRect> bewegte;
        for (tagLGINFO* lg : g.pPlan->GetLgInfos()) {
            if (!WirdGezeichnet(lg, pHover))
                continue;
            if (IstBewegt(lg, pHover, bGedrueckt)) {
                bewegte.push_back(Reichweite(*lg));
                continue;
            }
            if (!bewegte.empty()) {
                const QRect r = Reichweite(*lg);
                for (const QRect& b : bewegte)
                    if (b.intersects(r))
                        return false;
            }
            feste.push_back(PlanGrundbild::Stand(*lg));
        }
    }
    const PlanGrundbild::SLage lage = GrundbildLage(p, g);
    if (!m_grundbild.Passt(lage, feste)) {
        QImage bild(lage.geraet, QImage::Format_RGB32);
        bild.fill(Qt::white);
        {
            QPainter q(&bild);
            q.setTransform(p.transform());
            q.setPen(p.pen());
            q.setBrush(p.brush());
            q.setFont(p.font());
            q.setRenderHints(p.renderHints());
            ZeichneUnterlage(q, g);
            ZeichneLadungen(q, g, Ladungsteil::kFeste);
        }
        m_grundbild.Setze(lage, std::move(feste), std::move(bild));
        ++m_nGrundbildNeu;
    }
    m_grundbild.Zeichne(p);
    // The painter as the layers leave it.
    if (!m_pErg->anzeige.bLadungenZeigen)
        p.setFont(m_fontNormal);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.setBrushOrigin(0, 0);
    SetzeRandTools(g);
    ZeichneLadungen(p, g, Ladungsteil::kBewegte);
    return true;
}

void CPlanPainter::BeginneExport(const PlanLage& g, PlanExport& exp) const
{
    const double dLaenge = g.L, dBreite = g.W;
    // The grid's figures stand left of the load area (the widths, right-aligned) and over its length
    // (centred, the last one at its end): the picture keeps them whole.
    int nRechts = 1;
    if (m_pErg->anzeige.bRasterBeschriftung) {
        const QFontMetrics fm(m_fontKlein);
        exp.nRandLinks = std::max(exp.nRandLinks, fm.horizontalAdvance(Zahl(g.W * 1000.0)) + 5 + 3);
        nRechts = std::max(nRechts, fm.horizontalAdvance(Zahl(g.L * 1000.0)) / 2 + 3);
        exp.nRandOben = std::max(exp.nRandOben, fm.height() / 2 + 8 + 2);
    }
    if (BereichMassGezeigt(g)) {
        // The figures of the permissible range's dimension stand outside its bars (17 pixels where the
        // arrows point in from outside): the picture keeps room for them beside the load area, so that
        // neither bars nor arrows run into them.
        const QFontMetrics fm(m_fontMittel);
        const auto [tVon, tBis] = BereichMassTexte(g);
        exp.nRandLinks = std::max(exp.nRandLinks, fm.horizontalAdvance(tVon) + 17 + 2);
        nRechts = std::max(nRechts, fm.horizontalAdvance(tBis) + 17 + 2);
    }
    const int nRaender = exp.nRandLinks + nRechts;
    const int sx =
        dLaenge > 0.0 ? Trunc((m_pEin->nExportBreite - nRaender) / dLaenge) : m_pEin->nMaxPixelProMeter;
    const int sy = dBreite > 0.0 ? Trunc((m_pEin->nExportHoehe - 40 - exp.nRandOben) / dBreite)
                                 : m_pEin->nMaxPixelProMeter;
    exp.nScale = std::max(1, std::min({sx, sy, m_pEin->nMaxPixelProMeter}));
    PlanMassstab m;
    m.dZoom = 1.0;
    m.nPixelProMeter = exp.nScale;
    const int h = m.Pixel(dBreite) + 50 + exp.nRandOben - 10;
    const int w = m.Abgeschnitten(g.L) + nRaender;
    exp.bild = QImage(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
    exp.bild.fill(Qt::white);
    exp.painter = std::make_unique<QPainter>(&exp.bild);
}

// The drawing origin below the button strips; the host hears of changed insets.
void CPlanPainter::SetzeUrsprung(PlanLage& g)
{
    g.rand = g.bExport ? QPoint() : m_pEin->rand;
    int ox = m_pEin->nPlanUrsprungX;
    if (ox <= 0)
        ox = kUrsprungX;
    g.x0 = ox - g.rand.x();
    const int nStreifen = m_pEin->nStreifenHoehe >= 0 ? m_pEin->nStreifenHoehe : kStreifenHoehe;
    // Below the strips (10 pixels down) the x buttons of the current load (37 pixels above the load
    // area) keep clear of them.
    g.y0 = 10 + nStreifen + 2 - g.rand.y() + 37;
    if (!g.bExport) {
        m_massstab.ursprungKorr = QPoint(g.x0, g.y0);
        if (m_massstab.ursprungKorr != m_massstab.letzterUrsprung) {
            m_massstab.letzterUrsprung = m_massstab.ursprungKorr;
            m_pErg->bRandGeaendert = true;
            m_pErg->rand = g.rand;
        }
    }
}

// A vehicle without load area gets a line of text in place of the plan.
void CPlanPainter::ZeichneOhneLadeflaeche(QPainter& p, const PlanLage& g) const
{
    p.setFont(QFont());
    p.setPen(Qt::black);
    ZeichneText(p, g.x0, g.y0, Text(17), Ausrichtung::Links);
}

void CPlanPainter::AktualisiereAnzeige(const CQOR& plan, bool bExport)
{
    const CPlanAnzeige a(plan);
    m_pErg->anzeige.bAnzeigeBeiKonflikt = a.GetAnzeigeBeiKonflikt();
    m_pErg->anzeige.bSchwerpunktZeigen = a.GetSchwerpunktZeigen();
    m_pErg->anzeige.bRichtungZeigen = a.GetRichtungZeigen();
    m_pErg->anzeige.bZulBereich = a.GetZulBereich();
    m_pErg->anzeige.bBereichFarbig = a.GetBereichFarbig();
    m_pErg->anzeige.bRasterZeigen = a.GetRasterZeigen();
    m_pErg->anzeige.nRasterSeite = a.GetRasterSeite();
    m_pErg->anzeige.dRasterX = a.GetRasterX();
    m_pErg->anzeige.dRasterY = a.GetRasterY();
    m_pErg->anzeige.bLadungenZeigen = a.GetLadungenZeigen();
    m_pErg->anzeige.bRasterBeschriftung = a.GetRasterBeschriftung();
    if (!bExport)
        m_massstab.dZoom = a.GetZoom() * m_massstab.dFensterFaktor;
}

int CPlanPainter::PixelProMeter() const
{
    const CFahrzeug* pVorn = m_pEin->pErstes;
    return pVorn && pVorn->IsArt5() ? 200 : 97;
}

// The room the drawing takes in height besides the load area: the strips and the x buttons above, the
// dimensions below or, in ramp mode, the ramp below the load area and the band of tiles along the bottom.
// Of the ramp, the part where the block stands (at most 2 m of it) is to be in sight; the rest scrolls
// into view.
CPlanPainter::Hoehenbedarf CPlanPainter::HoeheNeben(const PlanLage& g) const
{
    const bool bRampe = m_pEin->bRampenModus;
    return {g.W + (bRampe ? std::min(m_pEin->dRampenHoehe, 2.0) : 0.0),
            g.y0 + (bRampe ? m_pEin->nRampenLeiste + 8 : 40)};
}

double CPlanPainter::FensterFaktor(const PlanLage& g) const
{
    const QSize fenster = m_pEin->fenster;
    if (!m_pEin->bFensterAnpassung || fenster.isEmpty() || g.L <= 0.0 || g.W <= 0.0)
        return 1.0;
    const double nPixel = PixelProMeter();
    // Besides the load area the cab and the margin at the left and the margin at the right take room in
    // width.
    const Hoehenbedarf h = HoeheNeben(g);
    const double sBreite = (fenster.width() - g.x0 - 70) / g.L;
    const double sHoehe = (fenster.height() - h.nPixel) / h.dMeter;
    const double dPassend = std::clamp(std::min(sBreite, sHoehe) / nPixel, kKleinsterFaktor, 4.0);
    return dPassend / CPlanAnzeige::kStandardZoom;
}

int CPlanPainter::RampenMindestHoehe(const PlanLage& g) const
{
    if (!m_pEin->bFensterAnpassung || !m_pEin->bRampenModus || g.L <= 0.0 || g.W <= 0.0)
        return 0;
    // The scale at which a pallet stays readable.
    PlanMassstab lesbar;
    lesbar.dZoom = kLesbarerFaktor;
    lesbar.nPixelProMeter = PixelProMeter();
    const Hoehenbedarf h = HoeheNeben(g);
    return h.nPixel + static_cast<int>(std::ceil(lesbar.PixelGenau(h.dMeter)));
}

// The scale (pixels per metre: the export's own, else by the front vehicle) and the usable area's place.
void CPlanPainter::SetzeMassstab(PlanLage& g, int nExportScale)
{
    int nScale = PixelProMeter();
    g.ursprungAlt = m_massstab.ursprungKorr;
    g.nScaleAlt = m_massstab.nPixelProMeter;
    if (g.bExport) {
        nScale = nExportScale;
        g.x0 = g.nExportRand;
        g.y0 = g.nExportOben;
        m_massstab.ursprungKorr = QPoint(g.x0, g.y0);
    }
    PlanMassstab& m = m_massstab;
    m.nPixelProMeter = nScale;
    g.s = m.Faktor();
    g.ux = g.x0 + m.Abgeschnitten(g.e[0]);
    g.uy = g.y0 + m.Abgeschnitten(g.e[1]);
    m.ursprung = QPoint(g.ux, g.uy);
    g.lp = m.Abgeschnitten(g.L);
    g.wp = m.Abgeschnitten(g.W);
    g.uw = m.Abgeschnitten(g.L - g.e[0] - g.e[2] + 1e-11);
    g.uh = m.Abgeschnitten(g.W - g.e[1] - g.e[3] + 1e-11);
}

// The title when loads are hidden, and the picture in front of the load area: the cab, or the drawbar.
void CPlanPainter::ZeichneFahrerhaus(QPainter& p, const PlanLage& g)
{
    const QPoint rand = g.rand;
    const int x0 = g.x0, y0 = g.y0;
    const double L = g.L;
    const PlanMassstab& m = m_massstab;
    if (!m_pErg->anzeige.bLadungenZeigen) {
        p.setFont(m_fontNormal);
        p.setPen(Qt::black);
        ZeichneText(p, m.letzterUrsprung.x(), 10, Text(18), Ausrichtung::Links);
    }
    const CFahrzeug* pFront = m_pEin->pVorn;
    int nArt = pFront ? pFront->GetArt() : -1;
    if (nArt == FahrzeugArt::kAuflieger && m_pEin->bAnhaenger)
        nArt = FahrzeugArt::kSattelzugmaschine;
    const int h = m.Abgeschnitten(0.5 * g.W);
    const double a1 = pFront ? pFront->GetAchse1Abstand() : 0.0;
    if (nArt == FahrzeugArt::kZugmaschine && pFront->IsArt5())
        m_bmFahrerhausLang.StretchDraw(p, 38 - rand.x(), y0 + h - 100, m_bmFahrerhausLang.GetWidth(),
                                       m_bmFahrerhausLang.GetHeight(), SRCAND, COLORONCOLOR);
    else if (nArt == FahrzeugArt::kZugmaschine || nArt == FahrzeugArt::kSattelzugmaschine)
        m_bmFahrerhaus.StretchDraw(p, 18 - rand.x(), y0 + h - 70, m_bmFahrerhaus.GetWidth(),
                                   m_bmFahrerhaus.GetHeight(), SRCAND, COLORONCOLOR);
    else if (nArt == FahrzeugArt::kAnhaenger)
        m_bmDeichsel.StretchDraw(p, x0 + 45 + m.Abgeschnitten(a1 - 3.45),
                                 y0 + h - m_bmDeichsel.GetHeight() / 2, m_bmDeichsel.GetWidth(),
                                 m_bmDeichsel.GetHeight(), SRCAND, COLORONCOLOR);
    else if (nArt == FahrzeugArt::kStarrdeichsel) {
        const int x = (m_pEin->bAnhaenger ? Trunc(x0 - m.PixelGenau(a1)) : 51) + rand.x();
        int w = m_bmDeichselStarr.GetWidth();
        if (a1 > 4.0)
            w = m.Abgeschnitten(a1);
        else if (L + a1 < 4.0)
            w = m.Abgeschnitten(L + a1);
        m_bmDeichselStarr.StretchDraw(p, x, y0 + h - 8, w, m_bmDeichselStarr.GetHeight(), SRCAND,
                                      COLORONCOLOR);
    }
}

// The load area hatched, the usable area white.
void CPlanPainter::ZeichneLadeflaeche(QPainter& p, const PlanLage& g) const
{
    p.setPen(Qt::NoPen);
    if (!m_musterLadeflaeche.isNull())
        p.setBrush(QBrush(m_musterLadeflaeche));
    else
        p.setBrush(QBrush(QColor(150, 150, 150), Qt::BDiagPattern));
    p.setBrushOrigin(0, 0);
    p.drawRect(Ecken(g.x0, g.y0, g.x0 + g.lp, g.y0 + g.wp));
    p.setBrush(Qt::white);
    if (g.uw > 0 && g.uh > 0)
        p.drawRect(QRect(g.ux, g.uy, g.uw, g.uh));
}

// Tool areas of the four border strips, at least 3 pixels deep.
void CPlanPainter::SetzeRandTools(const PlanLage& g)
{
    const double* e = g.e;
    const int x0 = g.x0, y0 = g.y0, lp = g.lp, wp = g.wp;
    const QString t19 = QString::fromStdString(
        FormatResChecked(19, {g.pV->m_strName, e[0] * 1000.0, e[2] * 1000.0, e[1] * 1000.0, e[3] * 1000.0}));
    const int ur = g.ux + std::max(g.uw, 0), ub = g.uy + std::max(g.uh, 0);
    SetTool(kToolRandVorn, Ecken(x0, y0, std::max(g.ux, x0 + 3), y0 + wp).translated(-g.scr), t19);
    SetTool(kToolRandHinten, Ecken(std::min(ur, x0 + lp - 3), y0, x0 + lp, y0 + wp).translated(-g.scr), t19);
    SetTool(kToolRandUnten, Ecken(x0, std::min(ub, y0 + wp - 3), x0 + lp, y0 + wp).translated(-g.scr), t19);
    SetTool(kToolRandOben, Ecken(x0, y0, x0 + lp, std::max(g.uy, y0 + 3)).translated(-g.scr), t19);
}

// The focus frame around the vehicle's area.
void CPlanPainter::ZeichneFokusRahmen(QPainter& p, const PlanLage& g) const
{
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(Qt::white, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(Ecken(g.x0 - 1, g.y0, g.x0 + m_massstab.Pixel(g.L), g.y0 + m_massstab.Pixel(g.W))
                   .adjusted(0, 0, -1, -1));
    p.restore();
}

// The loads (numbered in an export) with their tool areas, and the load units.
bool CPlanPainter::WirdGezeichnet(const tagLGINFO* lg, const tagLGINFO* pHover) const
{
    return !((m_pEin->bLgAuswahlZiehen && lg->m_bSelected) ||
             (m_pEin->bLgZiehen && lg == pHover && lg->m_nTyp != 5));
}

bool CPlanPainter::IstGedrueckt(const tagLGINFO* pHover) const
{
    return pHover && m_pEin->bTasteUnten && !m_pEin->bZiehen && pHover->GetLeId() == 0 &&
           !m_pEin->bGruppenModus;
}

bool CPlanPainter::IstBewegt(const tagLGINFO* lg, const tagLGINFO* pHover, bool bGedrueckt) const
{
    return lg->m_bSelected != 0 || (bGedrueckt && lg == pHover);
}

void CPlanPainter::ZeichneLadungen(QPainter& p, const PlanLage& g, Ladungsteil teil)
{
    if (!g.bExport && !m_pErg->anzeige.bLadungenZeigen) {
        if (teil != Ladungsteil::kFeste)
            VerwirfLadungen();
        return;
    }
    if (!g.pPlan)
        return;
    const tagLGINFO* pHover = m_pEin->pHover;
    const bool bGedrueckt = IstGedrueckt(pHover);
    int n = 0, k = 0;
    for (const tagLGINFO* lg : g.pPlan->GetLgInfos()) {
        QRect rc;
        if (g.bExport) {
            ZeichneLadung(p, lg, &rc, ++n, false, false);
            continue;
        }
        if (!WirdGezeichnet(lg, pHover))
            continue;
        const bool bBewegt = IstBewegt(lg, pHover, bGedrueckt);
        if (teil == Ladungsteil::kFeste) {
            if (!bBewegt)
                ZeichneLadung(p, lg, &rc, -1, false, false);
            continue;
        }
        if (teil == Ladungsteil::kBewegte && !bBewegt)
            m_pErg->ladungen[lg].rc = LadungRect(*lg).translated(-m_pEin->scroll);
        else
            ZeichneLadung(p, lg, &rc, -1, bGedrueckt && lg == pHover,
                          m_pEin->bZiehen ? false : lg->m_bSelected != 0);
        auto it = m_pErg->ladungen.find(lg);
        if (it != m_pErg->ladungen.end()) {
            it->second.nToolId = kToolErsteLadung + k;
            SetTool(kToolErsteLadung + k, it->second.rc, QString());
        }
        ++k;
    }
    if (teil == Ladungsteil::kFeste)
        return;
    if (bGedrueckt && !g.bExport)
        ZeichneDruckRahmen(p);
    ZeichneLadeeinheiten(p);
}

// The load-area frame.
void CPlanPainter::ZeichneRahmen(QPainter& p, const PlanLage& g) const
{
    const int x0 = g.x0, y0 = g.y0, lp = g.lp, wp = g.wp;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolyline(
        QPolygon({{x0 - 2, y0}, {x0 + lp, y0}, {x0 + lp, y0 + wp}, {x0 - 1, y0 + wp}, {x0 - 1, y0 - 1}}));
}

// The width dimension at the rear end.
QRect CPlanPainter::ZeichneBreitenMass(QPainter& p, const PlanLage& g) const
{
    const int x0 = g.x0, y0 = g.y0, lp = g.lp, wp = g.wp;
    p.setPen(QPen(QColor(255, 0, 0), 1));
    p.drawLine(x0 + lp, y0 - 1, x0 + lp + 50, y0 - 1);
    p.drawLine(x0 + lp, y0 + wp, x0 + lp + 50, y0 + wp);
    const int xd = x0 + lp + 44;
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::black);
    p.drawLine(xd, y0, xd, y0 + wp);
    p.drawPolygon(QPolygon({{xd, y0}, {xd - 2, y0 + 6}, {xd + 2, y0 + 6}}));
    p.drawPolygon(QPolygon({{xd, y0 + wp}, {xd - 2, y0 + wp - 6}, {xd + 2, y0 + wp - 6}}));
    p.setFont(m_fontMittel);
    const QFontMetrics fm(m_fontMittel);
    const QString t = Zahl(g.W * 1000.0);
    const QRect rc(xd - fm.horizontalAdvance(t) / 2, y0 + (wp - fm.height()) / 2, fm.horizontalAdvance(t),
                   fm.height());
    p.fillRect(rc, Qt::white);
    ZeichneText(p, rc.left(), rc.top(), t, Ausrichtung::Links);
    return rc.translated(-g.scr);
}

bool CPlanPainter::BereichMassGezeigt(const PlanLage& g) const
{
    return (m_pErg->anzeige.bZulBereich || m_pErg->anzeige.bBereichFarbig) && !g.bRampe &&
           (m_pEin->nNutzbarerBereich & 2);
}

std::pair<QString, QString> CPlanPainter::BereichMassTexte(const PlanLage& g) const
{
    const CNutzlastKurve& kurve = g.pV->GetNutzlastKurve();
    return {Zahl((kurve.GetNutzbarVon() - g.e[0]) * 1000.0) + " mm",
            Zahl((kurve.GetNutzbarBis() - g.e[0]) * 1000.0) + " mm"};
}

// The dimension of the permissible range below the plan.
void CPlanPainter::ZeichneBereichMass(QPainter& p, const PlanLage& g)
{
    if (!BereichMassGezeigt(g))
        return;
    const QRect br = BereichRect(g.pV, m_massstab);
    const int xa = br.left(), xb = br.left() + br.width();
    const int yb = g.y0 + 18 + m_massstab.Abgeschnitten(g.W);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(xa, yb, xa, yb + 16);
    p.drawLine(xb, yb, xb, yb + 16);
    const int gap = ZeichneMassPfeil(p, QPoint(xa, yb + 8), QPoint(xb - 1, yb + 8), false) ? 5 : 17;
    p.setFont(m_fontMittel);
    p.setPen(Qt::black);
    const auto [tVon, tBis] = BereichMassTexte(g);
    int xVon = xa - gap, xBis = xb + gap;
    if (g.bExport && p.device()) {
        // An export picture ends close to the load area: the figures stay inside it.
        const QFontMetrics fm(m_fontMittel);
        xVon = std::max(xVon, fm.horizontalAdvance(tVon) + 2);
        xBis = std::min(xBis, p.device()->width() - 2 - fm.horizontalAdvance(tBis));
    }
    const QRect links = ZeichneText(p, xVon, yb, tVon, Ausrichtung::Rechts);
    const QRect rechts = ZeichneText(p, xBis, yb, tBis, Ausrichtung::Links);
    if (!g.bExport)
        SetTool(kToolBereichMass,
                QRect(QPoint(links.left(), rechts.top()), QPoint(rechts.right(), rechts.bottom()))
                    .translated(-g.scr),
                QString::fromStdString(FormatResChecked(20, {g.m * 1000.0})));
}

// The centre-of-gravity marker with its tool area.
QRect CPlanPainter::ZeichneSchwerpunkt(QPainter& p, const PlanLage& g)
{
    if (!(m_pErg->anzeige.bSchwerpunktZeigen && g.bHatLadung && g.m > 0.0 && !m_pEin->bLgZiehen &&
          !m_pEin->bZiehen))
        return QRect();
    const int id = SchwerpunktBild(m_pEin->eSchwerpunkt);
    const CMemBm& bm = m_bmSchwerpunkt[id == 260 ? 0 : id == 268 ? 1 : 2];
    const int cw = m_bmSchwerpunkt[0].GetWidth(), ch = m_bmSchwerpunkt[0].GetHeight();
    const double cx = g.pPlan->GetSchwerpunktX(), cy = g.pPlan->GetSchwerpunktY();
    const int x = m_massstab.Versatz(cx) - cw / 2 + g.ux;
    const int y = m_massstab.Versatz(cy) + g.uy - ch / 2;
    bm.DrawTransparent(p, x, y, cw, ch, RGB(255, 255, 255));
    if (g.bExport)
        return QRect();
    const QRect rc = QRect(x, y, cw, ch).translated(-g.scr);
    const bool bSeiteB = m_pErg->anzeige.nRasterSeite != 0;
    const double* e = g.e;
    const double yq = bSeiteB ? g.W - e[1] - e[3] - cy : cy;
    SetTool(kToolSchwerpunkt, rc,
            QString::fromStdString(FormatResChecked(24, {g.pV->m_strName, g.m * 1000.0, cx * 1000.0,
                                                         yq * 1000.0, LoadResString(bSeiteB ? 23 : 22)})));
    return rc;
}

// The rubber band of a selection being drawn.
void CPlanPainter::ZeichneGummiband(QPainter& p, const PlanLage& g) const
{
    if (!m_pEin->bGummiband || !m_pEin->bGummibandRahmen)
        return;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(Qt::white, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(m_pEin->rcGummiband.normalized().translated(g.scr).adjusted(0, 0, -1, -1));
    p.restore();
}

void CPlanPainter::ZeichneRaster(QPainter& p, double L, double W, const double e[4], int x0, int y0,
                                 const QRect& rcKnopfY)
{
    const PlanMassstab& m = m_massstab;
    const int ux = m.ursprung.x(), uy = m.ursprung.y();
    p.save();
    const bool bDicht = m_pErg->anzeige.dRasterX * m.dZoom < 0.3;
    p.setPen(QPen(QColor(221, 221, 221), 1, bDicht ? Qt::SolidLine : Qt::DotLine));
    p.setFont(m_fontKlein);
    const QFontMetrics fm(m_fontKlein);
    const double Lu = L - (e[0] + e[2]), Wu = W - e[1] - e[3];
    // The labels step by as many lines as keep neighbours apart: the widest figure along the length (the
    // last one's), a line's height across; positions round down to whole pixels.
    const int cw = fm.horizontalAdvance(Zahl(std::max(Lu, 0.0) * 1000.0)), ch = fm.height();
    auto Schritt = [](int nNoetig, double dPixel) {
        return dPixel > 0.0 ? std::max(1, static_cast<int>(std::ceil((nNoetig + 1) / dPixel))) : 1;
    };
    const int kx = Schritt(cw + kRasterTextAbstand, m.PixelGenau(m_pErg->anzeige.dRasterX));
    const int ky = Schritt(ch + 2, m.PixelGenau(m_pErg->anzeige.dRasterY));
    struct Beschriftung
    {
        int x, y;
        QString text;
        Ausrichtung a;
    };
    std::vector<Beschriftung> texte;
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    for (int i = 0;; ++i) {
        const double x = i * m_pErg->anzeige.dRasterX;
        if (!(x < Lu))
            break;
        const int px = m.Abgeschnitten(x);
        if (i != 0 && m.Abgeschnitten(Wu) > 0)
            p.drawLine(ux + px, uy, ux + px, uy + m.Abgeschnitten(Wu) - 1);
        if (m_pErg->anzeige.bRasterBeschriftung && i % kx == 0) {
            const QString t = Zahl(x * 1000.0);
            texte.push_back({ux + px, y0 + 4 + m.Abgeschnitten(W), t, Ausrichtung::Mitte});
            texte.push_back({m.Pixel(x) + ux, y0 - ch / 2 - 8, t, Ausrichtung::Mitte});
        }
    }
    for (int i = 0;; ++i) {
        const double y = i * m_pErg->anzeige.dRasterY;
        if (!(y <= Wu + 1e-9))
            break;
        const int py = m_pErg->anzeige.nRasterSeite != 0 ? m.Abgeschnitten(Wu - y) - 1 : m.Abgeschnitten(y);
        // A usable area without length has no line across it (a line of no length would be a dot).
        if (i != 0 && m.Abgeschnitten(Lu) > 0)
            p.drawLine(ux, uy + py, ux + m.Abgeschnitten(Lu) - 1, uy + py);
        if (m_pErg->anzeige.bRasterBeschriftung && i % ky == 0)
            texte.push_back({x0 - 5, uy + py - ch / 2, Zahl(y * 1000.0), Ausrichtung::Rechts});
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(Qt::black);
    for (const Beschriftung& b : texte) {
        // A figure under the current load's value button would run into the button's: it is left out.
        const int w = fm.horizontalAdvance(b.text);
        const int l = b.a == Ausrichtung::Mitte ? b.x - w / 2 : b.a == Ausrichtung::Rechts ? b.x - w : b.x;
        if (QRect(l, b.y, w, ch).intersects(rcKnopfY))
            continue;
        ZeichneText(p, b.x, b.y, b.text, b.a);
    }
    p.restore();
}

QRect CPlanPainter::KnopfY(const PlanLage& g) const
{
    if (g.bExport || !m_pAuswahl || m_pEin->bGestenAktiv || !m_pErg->anzeige.bLadungenZeigen)
        return QRect();
    return QRect(QPoint(g.x0 - 3 - kKnopfGroesse.width(), LadungRect(*m_pAuswahl).top()), kKnopfGroesse);
}

void CPlanPainter::ZeichneKnoepfeUndGriffe(QPainter& p, const QRect& la, QPoint scr, PlanTreffer& treffer)
{
    treffer.rcBtnX = treffer.rcBtnY = QRect();
    const int h = kGriff / 2;
    m_pErg->rcZoomGriff = QRect(la.right() + 1 - h, la.top() + la.height() / 2 - h, kGriff, kGriff);
    m_pErg->rcBreitenGriff = QRect(la.left() + la.width() / 2 - h, la.bottom() + 1 - h, kGriff, kGriff);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    for (QRect* griff : {&m_pErg->rcZoomGriff, &m_pErg->rcBreitenGriff}) {
        p.drawRect(griff->adjusted(0, 0, -1, -1));
        *griff = griff->translated(-scr);
    }

    // The value buttons belong to the current load while it is not being dragged.
    const tagLGINFO* pLg = m_pAuswahl;
    const auto it = pLg ? m_pErg->ladungen.find(pLg) : m_pErg->ladungen.end();
    if (it == m_pErg->ladungen.end() || m_pEin->bGestenAktiv)
        return;
    const QRect rc = it->second.rc.translated(scr);
    const QRect knopfX(QPoint(rc.left(), la.top() - 21 - kKnopfGroesse.height()), kKnopfGroesse);
    const QRect knopfY(QPoint(la.left() - 3 - kKnopfGroesse.width(), rc.top()), kKnopfGroesse);
    p.setFont(m_fontKlein);
    for (const auto& [knopf, dWert] :
         {std::pair{knopfX, pLg->m_dPosX}, std::pair{knopfY, m_pEin->dAuswahlY}}) {
        p.setPen(QPen(QColor(128, 128, 128), 1));
        p.setBrush(QColor(240, 240, 240));
        p.drawRect(knopf.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        p.drawText(knopf.adjusted(2, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter, Zahl(dWert * 1000.0));
    }
    treffer.rcBtnX = knopfX.translated(-scr);
    treffer.rcBtnY = knopfY.translated(-scr);
}

QRect CPlanPainter::EinheitRect(const CLadeeinheit& le) const
{
    if (le.GetId() == m_pEin->nEinheitBits)
        return QRect();
    double x = 0, y = 0, l = 0, b = 0;
    le.GetRechteck(&x, &y, &l, &b);
    const QRect rc = m_massstab.Rechteck(x, y, l, b);
    return rc.width() > 0 && rc.height() > 0 ? rc : QRect();
}

void CPlanPainter::ZeichneLadeeinheiten(QPainter& p)
{
    const CQOR* P = m_pEin->pPlan;
    if (!P)
        return;
    // The pictures of the unit boxes are read when the first plan with units is drawn.
    if (!m_bEinheitBilder && !P->GetLadeeinheiten().empty()) {
        m_bEinheitBilder = true;
        m_bildEinheit = LoadCxImageFromResource(808, PICTURE_FORMAT_PNG);
        m_bildMangel = LoadCxImageFromResource(kBildMangel, PICTURE_FORMAT_PNG);
    }
    for (CLadeeinheit* le : P->GetLadeeinheiten()) {
        const QRect rc = EinheitRect(*le);
        if (rc.isEmpty())
            continue;
        if (le->IsLgMarkiert()) {
            p.save();
            p.setPen(QPen(QColor(0, 0, 255), 4));
            p.setBrush(Qt::NoBrush);
            Rahmen(p, rc);
            p.restore();
        }
        QImage box(rc.size(), QImage::Format_RGB32);
        box.fill(Qt::white);
        {
            QPainter bp(&box);
            bp.setPen(Qt::black);
            bp.setBrush(m_musterEinheit.isNull() ? QBrush(QColor(200, 220, 245)) : QBrush(m_musterEinheit));
            bp.drawRect(box.rect().adjusted(0, 0, -1, -1));
        }
        p.save();
        p.setOpacity(160 / 255.0);
        p.drawImage(rc.topLeft(), box);
        p.restore();
    }
}

void CPlanPainter::ZeichneSicherungsMarken(QPainter& p)
{
    const CQOR* P = m_pEin->pPlan;
    if (!P)
        return;
    for (CLadeeinheit* le : P->GetLadeeinheiten()) {
        const QRect rc = EinheitRect(*le);
        if (rc.isEmpty())
            continue;
        // A unit that stands in the plan's securing carries the mark of its verdict in the middle (the
        // tick picture only when it is secured without defects), one with defects a mark in each corner.
        // The marks are drawn whole over everything else of the plan (the see-through box, the centre of
        // gravity's target), so that their colours read as elsewhere.
        const SicherungsStand stand = GetSicherungsStand(*le);
        const QSize voll = m_bildEinheit.isNull() ? QSize(40, 40) : m_bildEinheit.size();
        SicherungsMarke::Zeichne(p, SicherungsMarke::Ziel(rc, voll), stand, m_bildEinheit);
        if (stand == SicherungsStand::kMaengel && !m_bildMangel.isNull()) {
            const int r = rc.right() + 1 - 3 - m_bildMangel.width(),
                      u = rc.bottom() + 1 - 3 - m_bildMangel.height();
            for (const QPoint& ecke : {QPoint(rc.left() + 3, rc.top() + 3), QPoint(r, rc.top() + 3),
                                       QPoint(rc.left() + 3, u), QPoint(r, u)})
                p.drawImage(ecke, m_bildMangel);
        }
    }
}

void CPlanPainter::ZeichneBereichBox(QPainter& p, const CFahrzeug& V, double W, const double e[4], int x0,
                                     int y0)
{
    const float fe = m_pEin->fQuerAbstand;
    if (!std::isfinite(fe))
        return;
    const double eU = std::min(static_cast<double>(fe), W / 2 - e[1]);
    const double eL = std::min(static_cast<double>(fe), W / 2 - e[3]);
    const PlanMassstab& m = m_massstab;
    const int top = m.Abgeschnitten(W / 2 - eU) + y0, bottom = m.Abgeschnitten(eL + W / 2) + y0;
    const int left = m.Abgeschnitten(V.GetNutzlastKurve().GetNutzbarVon()) + x0,
              right = m.Abgeschnitten(V.GetNutzlastKurve().GetNutzbarBis()) + x0;
    p.save();
    p.setPen(QPen(QColor(0, 0, 255), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 255, 193));
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawRect(Ecken(left, top, right, bottom));
    p.restore();
}

// --- placed loads ----------------------------------------------------------------------------------

QRect CPlanPainter::LadungRect(const tagLGINFO& lg) const
{
    const QPoint lo = m_massstab.Punkt(lg.m_dPosX, lg.m_dPosY);
    const int left = lo.x(), top = lo.y();
    const int right = left + m_massstab.Pixel(AusdehnungX(lg));
    const int bottom = top + m_massstab.Pixel(AusdehnungY(lg));
    // An unknown rotation gives negative extents; the box then lies over the corners as they stand.
    return Ecken(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom));
}

void CPlanPainter::ZeichneLadung(QPainter& p, const tagLGINFO* pLg, QRect* pOut, int nNummer, bool bHighlight,
                                 bool bSelected)
{
    const QRect rc = LadungRect(*pLg);
    if (pLg->m_nTyp < tagLGINFO::kFsmTyp)
        ZeichneLgBox(p, rc, pLg, nNummer, bSelected);
    else
        ZeichneSonderItem(p, rc, nNummer, bHighlight, bSelected, pLg);
    const QRect client = m_pEin->bExport ? rc : rc.translated(-m_pEin->scroll);
    if (!m_pEin->bExport)
        m_pErg->ladungen[pLg].rc = client;
    if (pOut)
        *pOut = client;
}

void CPlanPainter::ZeichneLgBox(QPainter& p, const QRect& rc, const tagLGINFO* pLg, int nNummer,
                                bool bSelected)
{
    p.save();
    const int g = pLg->GetLeId();
    const QColor fill = QColor::fromRgb(g == 0 && bSelected ? kFarbeAuswahl : kFarbeLadung);
    const int left = rc.left(), top = rc.top(), right = rc.left() + rc.width(),
              bottom = rc.top() + rc.height();
    p.fillRect(rc, fill);
    p.setBrush(Qt::NoBrush);
    p.setPen(g == 0 ? QPen(Qt::black, 1) : QPen(Qt::NoPen));
    Rahmen(p, rc);
    const int r = pLg->m_nDrehung;
    if (r != 0 && r != 90 && r != 180 && r != 270) {
        p.restore();
        return;
    }
    if (m_pErg->anzeige.bRichtungZeigen) {
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(RichtungsDreieck(rc, r));
    }
    // The mark of the load's centre of gravity on the screen; the labels keep clear of it.
    QRect rcMarke;
    if (!m_pEin->bExport && m_pErg->anzeige.bRichtungZeigen && m_bmLgSchwerpunkt.IsLoaded()) {
        double vl = 0, vo = 0;
        GetSchwerpunktVersatz(*pLg, r, &vl, &vo);
        const int cw = m_bmLgSchwerpunkt.GetWidth(), ch = m_bmLgSchwerpunkt.GetHeight();
        rcMarke =
            QRect(m_massstab.Versatz(vl) - cw / 2 + left, m_massstab.Versatz(vo) - ch / 2 + top, cw, ch);
    }
    if (m_pEin->bBeschriftung)
        ZeichneLgBeschriftung(p, rc, *pLg, rcMarke);
    if (!m_pEin->bExport) {
        if (!rcMarke.isNull())
            m_bmLgSchwerpunkt.DrawTransparent(p, rcMarke.left(), rcMarke.top(), rcMarke.width(),
                                              rcMarke.height(), RGB(255, 255, 255));
    } else if (nNummer != -1) {
        p.setFont(m_fontTitel);
        p.setPen(Qt::black);
        const QFontMetrics fm(m_fontTitel);
        ZeichneText(p, Trunc((left + right) * 0.5), (top + bottom) / 2 - fm.height() / 2,
                    QString::number(nNummer), Ausrichtung::Mitte);
    }
    p.restore();
}

// The name along the box (upwards on a box turned a quarter), shortened to the box's length, and the mass
// in the corner opposite: each only where it lies inside the box, clear of the other and of the marks. A
// box too small for a label is left without it.
void CPlanPainter::ZeichneLgBeschriftung(QPainter& p, const QRect& rc, const tagLGINFO& lg,
                                         const QRect& rcMarke)
{
    const int r = lg.m_nDrehung;
    std::vector<QRect> marken;
    if (m_pErg->anzeige.bRichtungZeigen)
        marken.push_back(RichtungsDreieck(rc, r).boundingRect());
    if (!rcMarke.isNull())
        marken.push_back(rcMarke);
    const bool bSenkrecht = r == 90 || r == 270;
    const int left = rc.left(), top = rc.top(), right = rc.left() + rc.width(),
              bottom = rc.top() + rc.height();
    const QFont& f = bSenkrecht ? m_fontSenkrecht : m_fontLabel;
    // Names, numbers and masses repeat from load to load and from paint to paint: each text is fitted
    // and measured once per font.
    const QString& name =
        m_labels.Fitted(f, lg.m_strName, lg.m_nNummer, (bSenkrecht ? rc.height() : rc.width()) - 3);
    QRect rcName;
    if (!name.isEmpty()) {
        const int w = m_labels.Advance(f, name), h = m_labels.Height(f);
        rcName = bSenkrecht ? QRect(left, bottom - 2 - w, h, w) : QRect(left + 1, top, w, h);
        if (!BeschriftungPasst(rc, rcName, marken))
            rcName = QRect();
    }
    p.setPen(Qt::black);
    if (!rcName.isNull()) {
        p.setFont(f);
        if (bSenkrecht) {
            p.save();
            p.translate(left, bottom - 2);
            p.rotate(-90);
            p.drawText(0, m_labels.Ascent(f), name);
            p.restore();
        } else
            p.drawStaticText(left + 1, top, m_labels.Layout(f, name));
    }
    const QString kg = Zahl(lg.m_dMasse * 1000.0) + " kg";
    const int cx = m_labels.Advance(m_fontSchmal, kg), cy = m_labels.Height(m_fontSchmal);
    const QRect rcKg(right - 2 - cx, r == 270 ? top - 1 : bottom - cy, cx, cy);
    if (BeschriftungPasst(rc, rcKg, marken) && !rcKg.intersects(rcName)) {
        p.setFont(m_fontSchmal);
        p.drawStaticText(rcKg.topLeft(), m_labels.Layout(m_fontSchmal, kg));
    }
}

void CPlanPainter::ZeichneSonderItem(QPainter& p, const QRect& rc, int nNummer, bool bHighlight,
                                     bool bSelected, const tagLGINFO* pLg)
{
    p.save();
    QRgb c = kFarbeFsm;
    if (m_pEin->bExport)
        c = kFarbeFsmExport;
    else if (bSelected)
        c = kFarbeFsmAuswahl;
    else if (bHighlight)
        c = kFarbeFsmHell;
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor::fromRgb(c));
    const QRect r = rc.adjusted(0, 0, -1, -1);
    if (pLg->m_nTyp == tagLGINFO::kFsmTyp)
        p.drawRoundedRect(r, 8, 8);
    else
        p.drawRect(r);
    if (m_pEin->bExport && nNummer > 0) {
        p.setFont(m_fontTitel);
        const QFontMetrics fm(m_fontTitel);
        ZeichneText(p, Trunc((rc.left() + rc.left() + rc.width()) * 0.5),
                    (rc.top() + rc.top() + rc.height()) / 2 - fm.height() / 2, QString::number(nNummer),
                    Ausrichtung::Mitte);
    }
    p.restore();
}

void CPlanPainter::ZeichneDruckRahmen(QPainter& p)
{
    const tagLGINFO* pLg = m_pEin->pHover;
    if (!m_pEin->pPlan || !pLg || pLg->m_nTyp > 4)
        return;
    const QRect rc = m_massstab.Rechteck(pLg->m_dPosX, pLg->m_dPosY, pLg->GetDimX(), pLg->GetDimY());
    p.save();
    p.setPen(QPen(QColor(0, 0, 255), 4));
    p.setBrush(Qt::NoBrush);
    Rahmen(p, rc.adjusted(2, 2, -2, -2));
    p.restore();
}

QString CPlanPainter::FitLabelToWidth(const QFontMetrics& fm, const std::string& name, int nNummer, int nMax)
{
    QString n = QString::fromStdString(name);
    auto Form = [nNummer](const QString& t, bool bGekuerzt) {
        if (nNummer > 0)
            return t + (bGekuerzt ? QStringLiteral("..") : QString()) +
                   QStringLiteral("%1").arg(nNummer, 2, 10, QChar('0'));
        return t + (bGekuerzt ? QStringLiteral(".") : QString());
    };
    QString t = Form(n, false);
    if (fm.horizontalAdvance(t) <= nMax)
        return t;
    while (!n.isEmpty()) {
        n.chop(1);
        t = Form(n, true);
        if (fm.horizontalAdvance(t) <= nMax)
            return t;
    }
    return QString();
}

// --- overlays of the plan --------------------------------------------------------------------------

QRect CPlanPainter::BereichRect(const CFahrzeug* f, const PlanMassstab& m)
{
    if (!f)
        return QRect();
    const CNutzlastKurve& k = f->GetNutzlastKurve();
    const int l = m.Abgeschnitten(k.GetNutzbarVon() + 1e-11) + m.ursprungKorr.x();
    const int t = m.Abgeschnitten(k.GetNutzbarQuerVon() + 1e-11) + m.ursprungKorr.y();
    const int r = m.Abgeschnitten(k.GetNutzbarBis() + 1e-11) + m.ursprungKorr.x();
    const int b = m.Abgeschnitten(k.GetNutzbarQuerBis() + 1e-11) + m.ursprungKorr.y();
    return Ecken(l, t, r, b);
}

int CPlanPainter::SchwerpunktBild(SchwerpunktLage eLage)
{
    switch (eLage) {
    case SchwerpunktLage::kInnerhalb:
        return 260;
    case SchwerpunktLage::kQuerAusserhalb:
        return 268;
    case SchwerpunktLage::kAusserhalb:
        break;
    }
    return 267;
}

void CPlanPainter::ZeichneLadeflaechenBereich(QPainter& p)
{
    const CFahrzeug* f = m_pEin->pFahrzeug;
    if (!f)
        return;
    const PlanMassstab& m = m_massstab;
    const double L = f->GetLFLaenge(), W = f->GetLFBreite();
    const int w = m.Abgeschnitten(L - (f->GetRandabstand(2) + f->GetRandabstand(0)) + 1e-10);
    const int h = m.Versatz(W - (f->GetRandabstand(3) + f->GetRandabstand(1)) + 1e-9);
    if (w <= 0 || h <= 0)
        return;
    QImage bild(w, h, QImage::Format_RGB32);
    bild.fill(QColor(130, 0, 0));
    if (!f->GetNutzlastKurve().GetPunkte().IsEmpty() && (m_pEin->nNutzbarerBereich & 2) &&
        (m_pEin->nNutzbarerBereich & 4)) {
        const QRect br = BereichRect(f, m).translated(-m.ursprung);
        QPainter bp(&bild);
        bp.fillRect(QRect(br.left(), 0, br.width(), h), QColor(252, 198, 12));
        bp.fillRect(br, QColor(31, 198, 13));
    }
    DrawShadedBitmap(p, m.ursprung.x(), m.ursprung.y(), w, h, bild);
}

bool CPlanPainter::ZeichneMassPfeil(QPainter& p, QPoint a, QPoint b, bool bSenkrecht)
{
    // Along the arrow: u; across it: v. Points are built as (u, v) and turned for a vertical arrow.
    const int u0 = bSenkrecht ? a.y() : a.x(), u1 = bSenkrecht ? b.y() : b.x();
    const int v = bSenkrecht ? a.x() : a.y();
    const int lo = std::min(u0, u1), hi = std::max(u0, u1);
    auto Pt = [&](int u, int dv) { return bSenkrecht ? QPoint(v + dv, u) : QPoint(u, v + dv); };
    p.save();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::black);
    bool bInnen = true;
    if (hi - lo >= 15) {
        p.drawPolygon(QPolygon({Pt(lo, 0), Pt(lo + 5, -5), Pt(lo + 5, -1), Pt(hi - 5, -1), Pt(hi - 5, -5),
                                Pt(hi, 0), Pt(hi - 5, 5), Pt(hi - 5, 1), Pt(lo + 5, 1), Pt(lo + 5, 5)}));
    } else {
        bInnen = false;
        p.drawPolygon(QPolygon({Pt(lo, 0), Pt(lo - 10, -5), Pt(lo - 10, 5)}));
        p.drawPolygon(QPolygon({Pt(hi, 0), Pt(hi + 10, -5), Pt(hi + 10, 5)}));
    }
    p.restore();
    return bInnen;
}

void CPlanPainter::ZeichnePositionsLinien(QPainter& p, const PlanMassstab& m, double x, double y)
{
    const int ox = m.ursprung.x(), oy = m.ursprung.y();
    const int px = m.Versatz(x) + ox;
    const int py = m.Versatz(y) + oy;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    p.setPen(QPen(QColor(0, 0, 255), 1));
    p.drawLine(px, oy - 2 - 37 - 1, px, oy - 2);
    p.drawLine(ox - 2 - 20, py, ox - 2, py);
    p.restore();
}
