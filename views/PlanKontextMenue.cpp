// The loading plan's context menu: a popup of menu 245 with the marks and captions of the plan's state.
#include "views/PlanKontextMenue.h"

#include "views/CQOR2View.h"

#include "model/plan/CPlanAnzeige.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"
#include "platform/MenuResource.h"

#include <QActionGroup>
#include <QMenu>

#include <cmath>
#include <iterator>
#include <optional>

namespace {

// Positions inside the popups of menu 245.
constexpr int kPosRasterSchritt = 3;
constexpr int kPosRaster = 8;
constexpr int kPosDrehen = 1;

QAction* Aktion(QMenu* m, int nId)
{
    for (QAction* a : m->actions()) {
        if (MenuResource::CommandOf(a) == nId)
            return a;
        if (a->menu())
            if (QAction* b = Aktion(a->menu(), nId))
                return b;
    }
    return nullptr;
}

void Haken(QMenu* m, int nId, bool b)
{
    if (QAction* a = Aktion(m, nId)) {
        a->setCheckable(true);
        a->setChecked(b);
    }
}

void Titel(QMenu* m, int nId, const std::string& text)
{
    if (QAction* a = Aktion(m, nId))
        a->setText(QString::fromStdString(text));
}

QMenu* Untermenue(QMenu* m, int nPos)
{
    const QList<QAction*> a = m->actions();
    return nPos < a.size() ? a[nPos]->menu() : nullptr;
}

// Radio marks over the items of `m`: item `nAn` marked (none for -1).
void Radio(QMenu* m, int nAn)
{
    auto* gruppe = new QActionGroup(m);
    gruppe->setExclusive(true);
    int i = 0;
    for (QAction* a : m->actions()) {
        if (a->isSeparator() || a->menu())
            continue;
        a->setCheckable(true);
        gruppe->addAction(a);
        a->setChecked(i++ == nAn);
    }
}

} // namespace

QMenu* PlanKontextMenue::Baue(int nPopup, const CQOR& q, const CFahrzeug& f, const tagLGINFO* pLg,
                              const SZustand& z, QWidget* parent)
{
    QString fehler;
    const std::optional<MenuResource> res = MenuResource::Load(245, &fehler);
    if (!res)
        return nullptr;
    QMenu* m = res->BuildPopup(nPopup, parent);
    if (!m)
        return nullptr;
    const CPlanAnzeige anz(q);
    if (nPopup == 1) {
        if (q.CountSelectedLgInfo(true) < 2) {
            Titel(m, 33283, FormatResChecked(31, {pLg->m_strName}));
            Titel(m, 33010, FormatResChecked(32, {pLg->m_dMasse * 1000.0}));
        } else {
            const auto auswahl = [](std::uint32_t nId) { return FormatS("$S: $S", 2, 33075u, nId); };
            Titel(m, 33279, auswahl(33076));
            if (QMenu* dreh = Untermenue(m, kPosDrehen))
                dreh->setTitle(QString::fromStdString(auswahl(33077)));
            Titel(m, 32863, auswahl(33078));
            Titel(m, 33281, auswahl(33079));
            Titel(m, 33010, auswahl(557));
            if (QAction* a = Aktion(m, 33283))
                a->setEnabled(false);
        }
        Haken(m, 33285, z.bBeschriftung);
    }
    if (nPopup == 1 || nPopup == 2)
        Haken(m, 32875, anz.GetRichtungZeigen());
    if (nPopup == 0) {
        Haken(m, 32862, z.bRampenModus);
        Haken(m, 32907, anz.GetLadungenZeigen());
        Haken(m, 32872, anz.GetSchwerpunktZeigen());
        if (QAction* a = Aktion(m, 32872))
            a->setEnabled(!q.GetLgInfos().empty());
        Haken(m, 33265, f.HasUeberstand());
        Haken(m, 32892, anz.GetZulBereich());
        Haken(m, 2000, anz.GetNurUmrisse());
        if (QMenu* raster = Untermenue(m, kPosRaster)) {
            const bool bRaster = anz.GetRasterZeigen();
            raster->setTitle(
                QString::fromStdString(bRaster ? FormatS("$S", 1, 28u) : FormatS("$S ($S)", 2, 28u, 29u)));
            Haken(raster, 32894, bRaster);
            Haken(raster, 32908, anz.GetRasterBeschriftung());
            if (QMenu* seite = Untermenue(raster, 1))
                Radio(seite, anz.GetRasterSeite() == 2 ? 1 : 0);
            if (QMenu* zellen = Untermenue(raster, 2)) {
                const double x = anz.GetRasterX(), y = anz.GetRasterY();
                zellen->setTitle(QString::fromStdString(FormatResChecked(30, {x * 1000.0, y * 1000.0})));
                static const double kZellen[][2] = {{0.4, 0.4}, {0.2, 0.2}, {1.0, 1.0},
                                                    {0.5, 0.5}, {0.8, 1.2}, {1.2, 0.8}};
                int nAn = -1;
                for (int i = 0; i < 6; ++i)
                    if (std::abs(kZellen[i][0] - x) <= 0.001 && std::abs(kZellen[i][1] - y) <= 0.001)
                        nAn = i;
                Radio(zellen, nAn);
            }
        }
        // The grid step: its value in the title and a radio mark on its item (any other value marks
        // the first).
        if (QMenu* schritt = Untermenue(m, kPosRasterSchritt)) {
            int nAn = 0;
            for (int i = 0; i < int(std::size(CQOR2View::kRasterSchritte)); ++i)
                if (CQOR2View::kRasterSchritte[i] == q.m_nRasterSchritt)
                    nAn = i;
            schritt->setTitle(QString::fromStdString(FormatResChecked(27, {q.m_nRasterSchritt})));
            Radio(schritt, nAn);
        }
    }
    return m;
}
