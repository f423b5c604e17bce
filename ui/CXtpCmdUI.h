// The command update query of a ribbon control: a tool button (usually showing an action), another
// control window (a combo box), or a menu item.
#pragma once

#include "ui/CCmdUIEx.h"

#include <QAbstractButton>
#include <QAction>
#include <QPointer>

class CXtpCmdUI : public CCmdUIEx
{
public:
    explicit CXtpCmdUI(QAbstractButton* control = nullptr) : m_pControl(control) {}

    // Binds another control (or none) for the next pass; the pass starts with no check set.
    void SetControl(QAbstractButton* control);
    QAbstractButton* Control() const { return m_pControl; }
    // Binds a control that is no button (it is only enabled or disabled), or a menu item.
    void SetWidget(QWidget* widget);
    void SetMenuAction(QAction* action);

    // Notes that a check was set in this pass, then as the base.
    void SetCheck(int state = 1) override;
    // The caption of the bound control (of its action when it shows one).
    void SetText(const QString& text) override;

protected:
    // The action's enabled state when the control shows an action; otherwise the control's, and a
    // disabled control loses its check mark unless a check was set in this pass.
    void DoEnable(bool on) override;
    // The checked state of the control (of its action when it shows one); a check box shows state 2
    // as indeterminate.
    void DoSetCheck(int state) override;

private:
    QAction* Action() const;

    QPointer<QAbstractButton> m_pControl;
    QPointer<QWidget> m_pWidget;
    QPointer<QAction> m_pMenuAction;
    bool m_bCheckSet = false;
};
