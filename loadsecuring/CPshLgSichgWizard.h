// The modeless load-securing wizard: its pages, the page flow and the view's questions.
#pragma once

#include "loadsecuring/ILgSicherungView.h"
#include "model/plan/CWizardParams.h"
#include "ui/CPropertySheetBase.h"

#include <QString>

#include <cstdint>

class CCmdUI;
class CFahrzeug;
class CLadeeinheit;

// The view creates it once (caption 403, itself as parent, first page 0), calls SetView and
// SetStartMode, then Create and shows it; hiding keeps it. It tells the view through LgSichgViewEvent.
class CPshLgSichgWizard : public CPropertySheetBase
{
    Q_OBJECT
public:
    // Number of pages and the height of the header above them.
    static constexpr int kPageCount = 9;
    static constexpr int kHeaderHeight = 120;

    CPshLgSichgWizard(int nCaptionId, QWidget* pParent, int nFirstPage);
    ~CPshLgSichgWizard() override;

    void SetView(ILgSicherungView* pView);
    ILgSicherungView* GetView() const { return m_pView; }
    // 0 plain start; 1 a unit was just formed from a single load; 2 the plan's only unit is secured
    // (opens on page 1); 3 opens on the result page.
    void SetStartMode(int nMode);
    // The mode value: 0, 2 or 3 (mode 1 keeps 0 and sets the formed-unit flag).
    int GetStartMode() const { return m_nStartMode; }
    bool IsFormedUnitStart() const { return m_bStartMode1; }
    // Builds the header, the hint pane and the button strip and opens the start page; false when the
    // window could not be built.
    bool Create();

    // nonzero refuses the view action (pMessage says why when a page gave a reason), 0 allows.
    int QueryViewAction(int nCode, std::intptr_t nValue, QString* pMessage, int nDefaultResult, int* pOut);
    // The view tells of a change; true when handled.
    bool OnViewNotify(int nCode, std::intptr_t nValue);
    // The enabling of the frame's commands while the wizard is open; true when handled.
    bool OnUpdateFrameCmdUI(int nCommand, CCmdUI* pCmdUI);

    CWizardParams& GetParams() { return m_params; }
    const CWizardParams& GetParams() const { return m_params; }

private:
    ILgSicherungView* m_pView = nullptr;
    int m_nStartMode = 0;
    bool m_bStartMode1 = false;
    CWizardParams m_params;
};
