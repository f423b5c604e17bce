// The template view's context menu: the popup that a right click over what the hit test found shows,
// with its items enabled by the view and the values in their texts.
#include "views/CVorlageKontextMenue.h"

#include "views/VorlageBefehle.h"
#include "views/VorlageTreffer.h"

#include "model/plan/CPlanAnzeige.h"
#include "model/plan/CQOR.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/tagZLINFO.h"
#include "platform/MenuResource.h"

#include <QAction>
#include <QMenu>

#include <optional>

using namespace VorlageBefehle;
using namespace VorlageTreffer;

namespace {

// The view's menu in the language module and its popups, by their place in it.
constexpr int kMenueVorlage = 141;
enum Popup
{
    kPopupKeins = -1,
    kPopupAchse = 0,     // an axle, or the first axle's offset where it may be edited
    kPopupFahrzeug = 1,  // the body or the load dialog's pick area
    kPopupZL = 2,        // the selected item
    kPopupBemerkung = 3, // the remarks link
    kPopupSattel = 4,    // a tractor's coupling
};

Popup Wahl(const CVorlageKontextMenue::SLage& lage)
{
    const int art = lage.pFahrzeug->GetArt();
    const int n = lage.nTreffer;
    if (lage.pSelZL)
        return kPopupZL;
    if (n == kHitAchse1)
        return (art == FahrzeugArt::kStarrdeichsel || art == FahrzeugArt::kAuflieger) ? kPopupKeins
                                                                                      : kPopupAchse;
    if (n >= kHitAchse1 + 1 && n <= kHitAchse1 + 9)
        return kPopupAchse;
    if (n == kHitKoerper || n == kHitPick)
        return kPopupFahrzeug;
    if (n == kHitBemerkung)
        return kPopupBemerkung;
    if (n == kHitSattel)
        return kPopupSattel;
    return kPopupKeins;
}

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

void Haken(QMenu* m, int nId, bool bAn)
{
    if (QAction* a = Aktion(m, nId)) {
        a->setCheckable(true);
        a->setChecked(bAn);
    }
}

} // namespace

QMenu* CVorlageKontextMenue::Baue(const SLage& lage, const std::function<bool(int)>& aktiv, QWidget* parent)
{
    CFahrzeug* f = lage.pFahrzeug;
    if (!f)
        return nullptr;
    const Popup popup = Wahl(lage);
    if (popup == kPopupKeins)
        return nullptr;
    QString fehler;
    const std::optional<MenuResource> res = MenuResource::Load(kMenueVorlage, &fehler);
    if (!res)
        return nullptr;
    QMenu* m = res->BuildPopup(popup, parent);
    if (!m)
        return nullptr;
    for (QAction* a : m->actions())
        if (const int id = MenuResource::CommandOf(a))
            a->setEnabled(aktiv(id));
    if (popup == kPopupFahrzeug) {
        Haken(m, kCmdLastDlg, lage.bLastDialog);
        Haken(m, kCmdPlanFlag, f->GetQor() && CPlanAnzeige(*f->GetQor()).GetSchwerpunktZeigen());
        Haken(m, kCmdDiagramm, lage.bDiagramm);
    } else if (popup == kPopupZL) {
        const int typ = lage.pSelZL->m_nTyp;
        if (typ == 1 || typ == 5)
            for (int id : {kCmdEditZL, kCmdMoveZL})
                if (QAction* a = Aktion(m, id))
                    a->setEnabled(false);
        if (QAction* a = Aktion(m, kCmdZLMasse))
            a->setText(QString::fromStdString(FormatResChecked(236, {lage.pSelZL->m_dMasse * 1000.0})));
    } else if (popup == kPopupSattel) {
        if (QAction* a = Aktion(m, kCmdWert19))
            a->setText(QString::fromStdString(FormatResChecked(237, {f->m_dKupplungslast1 * 1000.0})));
    }
    return m;
}
