// The catalogue side's dialogs for the loading-plan views: the loading ramp on the shared catalogue and
// the align popup.
#pragma once

#include "model/files/CHlbCatalogue.h"
#include "views/IPlanDialogs.h"

#include <memory>

class CDlgTooltipLgAusrichten;

class CRampenDialogs : public IPlanDialogs
{
public:
    // Ramps on the program's shared catalogue.
    CRampenDialogs() = default;
    // Ramps on the given catalogue.
    explicit CRampenDialogs(std::shared_ptr<CHlbCatalogue> catalogue) : m_catalogue(std::move(catalogue)) {}

    std::unique_ptr<ILoadingRamp> CreateLoadingRamp() override;
    // Shows the view's align popup at `at` with the selection's distance to the front (metres, negative
    // for none); the popup is made on first use and lives as long as the view.
    void ShowAlignPopup(QWidget* pView, QPoint at, double dDistance) override;

    // The align popup of a view; null before its first use.
    static CDlgTooltipLgAusrichten* AlignPopup(QWidget* pView);

private:
    std::shared_ptr<CHlbCatalogue> m_catalogue;
};
