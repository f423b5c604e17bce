// The program's wizard sheet behind the interface the load-securing view holds.
#pragma once

#include "loadsecuring/ISecuringWizard.h"

#include <QPointer>

class CPshLgSichgWizard;

class CLgSichgWizardLink : public ISecuringWizard
{
public:
    // Takes over a sheet whose window has been created.
    explicit CLgSichgWizardLink(CPshLgSichgWizard* pSheet);
    ~CLgSichgWizardLink() override;
    CLgSichgWizardLink(const CLgSichgWizardLink&) = delete;
    CLgSichgWizardLink& operator=(const CLgSichgWizardLink&) = delete;

    QWidget* Window() const override;
    int QueryViewAction(LgSichgAktion eAktion, const LgSichgWert& wert, QString* pMessage, int nDefault,
                        int* pOut) override;
    int OnViewNotify(LgSichgMeldung eMeldung, const LgSichgWert& wert) override;
    bool OnUpdateFrameCmdUI(int nCommand, CCmdUI* pCmdUI) override;
    int GetStartMode() const override;
    void Release() override;

    // Makes the sheet (caption 403, the view as parent, first page 0) in a start mode and creates its
    // window; null when the window could not be made.
    static std::unique_ptr<ISecuringWizard> Make(CQORLgSicherungView& view, int nMode);

private:
    QPointer<CPshLgSichgWizard> m_pSheet;
};
