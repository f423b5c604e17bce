// The catalogue side's dialogs for the loading-plan views.
#include "catalogue/CRampenDialogs.h"

#include "catalogue/CDlgTooltipLgAusrichten.h"
#include "catalogue/CLaderampe3.h"
#include "catalogue/ProgramCatalogue.h"
#include "views/IAusrichtenOwner.h"

#include <QWidget>

std::unique_ptr<ILoadingRamp> CRampenDialogs::CreateLoadingRamp()
{
    return std::make_unique<CLaderampe3>(m_catalogue ? m_catalogue : ProgramCatalogue::Get());
}

CDlgTooltipLgAusrichten* CRampenDialogs::AlignPopup(QWidget* pView)
{
    return pView ? pView->findChild<CDlgTooltipLgAusrichten*>(QString(), Qt::FindDirectChildrenOnly)
                 : nullptr;
}

void CRampenDialogs::ShowAlignPopup(QWidget* pView, QPoint at, double dDistance)
{
    auto* owner = dynamic_cast<IAusrichtenOwner*>(pView);
    if (!owner)
        return;
    CDlgTooltipLgAusrichten* popup = AlignPopup(pView);
    if (!popup)
        popup = new CDlgTooltipLgAusrichten(pView, owner);
    popup->SetWerte(0, dDistance);
    popup->SetCursorSource([at] { return at; });
    popup->ShowAtCursor(0, 0, CDlgTooltip::kRightBelow);
    popup->setFocus(Qt::OtherFocusReason);
}
