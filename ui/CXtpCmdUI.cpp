// The command update query of a ribbon control.
#include "ui/CXtpCmdUI.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QToolButton>

void CXtpCmdUI::SetControl(QAbstractButton* control)
{
    m_pControl = control;
    m_pWidget = nullptr;
    m_pMenuAction = nullptr;
    m_bCheckSet = false;
}

void CXtpCmdUI::SetWidget(QWidget* widget)
{
    SetControl(qobject_cast<QAbstractButton*>(widget));
    if (!m_pControl)
        m_pWidget = widget;
}

void CXtpCmdUI::SetMenuAction(QAction* action)
{
    SetControl(nullptr);
    m_pMenuAction = action;
}

QAction* CXtpCmdUI::Action() const
{
    if (m_pMenuAction)
        return m_pMenuAction;
    auto* tool = qobject_cast<QToolButton*>(m_pControl.data());
    return tool ? tool->defaultAction() : nullptr;
}

void CXtpCmdUI::SetCheck(int state)
{
    m_bCheckSet = true;
    CCmdUIEx::SetCheck(state);
}

void CXtpCmdUI::SetText(const QString& text)
{
    if (m_pMenuAction) {
        m_pMenuAction->setText(text);
        return;
    }
    if (!m_pControl)
        return;
    if (QAction* action = Action())
        action->setText(text);
    else
        m_pControl->setText(text);
}

void CXtpCmdUI::DoEnable(bool on)
{
    m_bEnableChanged = true;
    if (m_pWidget)
        m_pWidget->setEnabled(on);
    if (m_pMenuAction)
        m_pMenuAction->setEnabled(on);
    if (!m_pControl)
        return;
    if (QAction* action = Action()) {
        action->setEnabled(on);
        return;
    }
    m_pControl->setEnabled(on);
    if (!on && !m_bCheckSet && m_pControl->isCheckable())
        m_pControl->setChecked(false);
}

void CXtpCmdUI::DoSetCheck(int state)
{
    if (m_pMenuAction) {
        if (state != 0)
            m_pMenuAction->setCheckable(true);
        m_pMenuAction->setChecked(state != 0);
        return;
    }
    if (!m_pControl)
        return;
    if (QAction* action = Action()) {
        if (state != 0)
            action->setCheckable(true);
        action->setChecked(state != 0);
        return;
    }
    // A check box shows state 2 as its third, indeterminate state; the user's click still only
    // toggles between the other two.
    if (auto* box = qobject_cast<QCheckBox*>(m_pControl.data())) {
        if (state == 2)
            box->setTristate(true);
        box->setCheckState(state == 2 ? Qt::PartiallyChecked : state != 0 ? Qt::Checked : Qt::Unchecked);
        if (state != 2)
            box->setTristate(false);
        return;
    }
    if (state != 0)
        m_pControl->setCheckable(true);
    m_pControl->setChecked(state != 0);
}
