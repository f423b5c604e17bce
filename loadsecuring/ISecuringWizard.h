// The load-securing wizard as the load-securing view holds it, and the factory that makes it.
#pragma once

#include "loadsecuring/LgSichgAktion.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class CCmdUI;
class CQORLgSicherungView;
class QWidget;

// The view owns one of these while a wizard exists. Destroying it destroys the wizard's window unless
// Release() was called first (the wizard then closes itself).
class ISecuringWizard
{
public:
    virtual ~ISecuringWizard() = default;

    // The wizard's window, or null once it is gone.
    virtual QWidget* Window() const = 0;
    // Nonzero refuses the view action (`pMessage` says why when the wizard gave a reason), 0 allows;
    // `nDefault` is the answer when the wizard has no opinion, `pOut` an extra answer.
    virtual int QueryViewAction(LgSichgAktion eAktion, const LgSichgWert& wert, QString* pMessage,
                                int nDefault, int* pOut) = 0;
    // The view tells the wizard of a change; nonzero when handled.
    virtual int OnViewNotify(LgSichgMeldung eMeldung, const LgSichgWert& wert) = 0;
    // The enabling of the frame's commands while the wizard is open; true when handled.
    virtual bool OnUpdateFrameCmdUI(int nCommand, CCmdUI* pCmdUI) = 0;
    // The start-mode value: 0, 2 or 3.
    virtual int GetStartMode() const = 0;
    // The wizard closed itself: forget its window without destroying it.
    virtual void Release() = 0;

    // Makes the wizard for a view in a start mode (0 to 3) with its window created, not yet shown;
    // null when the window could not be made.
    using Factory = std::function<std::unique_ptr<ISecuringWizard>(CQORLgSicherungView& view, int nMode)>;
    // The factory in use: the program's wizard sheet unless another was set. Setting an empty function
    // puts the program's back.
    static const Factory& CurrentFactory();
    static void SetFactory(Factory factory);
};
