// The template view's context menu: the popup that a right click over what the hit test found shows,
// with its items enabled by the view and the values in their texts.
#pragma once

#include <functional>

class CFahrzeug;
class QMenu;
class QWidget;
struct tagZLINFO;

class CVorlageKontextMenue
{
public:
    // What the menu depends on besides the states of the commands.
    struct SLage
    {
        CFahrzeug* pFahrzeug = nullptr;    // the vehicle edited
        int nTreffer = 0;                  // what the hit test found (VorlageTreffer::Art)
        const tagZLINFO* pSelZL = nullptr; // the selected item, when the click lies on it
        bool bLastDialog = false;          // the load dialog is open
        bool bDiagramm = false;            // the payload chart is shown
    };

    // The popup for `lage`, made a child of `parent`, each item enabled as `aktiv` answers for its
    // command; null where no popup belongs or the menu does not load.
    static QMenu* Baue(const SLage& lage, const std::function<bool(int)>& aktiv, QWidget* parent);
};
