// One update query of a command: the handlers of the command answer it with enable, check and text.
#include "platform/CCmdUI.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QVariant>
#include <QWidget>

QAction* CCmdUI::MenuItem() const
{
    if (!m_pMenu)
        return nullptr;
    const QList<QAction*> items = m_pMenu->actions();
    if (m_nIndex >= static_cast<unsigned>(items.size())) {
        qWarning("Command update %u: menu position %u lies beyond the menu's %d items.", m_nID, m_nIndex,
                 static_cast<int>(items.size()));
        return nullptr;
    }
    return items.at(static_cast<qsizetype>(m_nIndex));
}

void CCmdUI::EnableNow(bool on)
{
    if (m_pMenu) {
        if (m_pSubMenu)
            return; // a sub-menu's item is not changed from here
        if (QAction* item = MenuItem())
            item->setEnabled(on);
        return;
    }
    if (!m_pOther) {
        qWarning("Command update %u is bound to neither a menu nor a window.", m_nID);
        return;
    }
    // Disabling the focus widget moves the focus on to the next control first (Qt does this itself).
    m_pOther->setEnabled(on);
}

void CCmdUI::SetCheckNow(int state)
{
    if (m_pMenu) {
        if (m_pSubMenu)
            return;
        if (QAction* item = MenuItem()) {
            item->setCheckable(true);
            item->setChecked(state != 0);
        }
        return;
    }
    auto* button = qobject_cast<QAbstractButton*>(m_pOther);
    if (!button)
        return;
    if (auto* box = qobject_cast<QCheckBox*>(button); box && box->isTristate()) {
        box->setCheckState(state == 0 ? Qt::Unchecked : state == 1 ? Qt::Checked : Qt::PartiallyChecked);
        return;
    }
    if (button->isCheckable())
        button->setChecked(state != 0);
}

void CCmdUI::Enable(bool on)
{
    EnableNow(on);
    m_bEnableChanged = true;
}

void CCmdUI::SetCheck(int state)
{
    SetCheckNow(state);
}

void CCmdUI::SetRadio(bool on)
{
    SetCheck(on ? 1 : 0);
}

void CCmdUI::SetText(const QString& text)
{
    if (m_pMenu) {
        if (m_pSubMenu)
            return;
        if (QAction* item = MenuItem())
            item->setText(text);
        return;
    }
    if (!m_pOther)
        return;
    // Buttons, labels and edit fields show a "text" property; other windows take it as their title.
    if (m_pOther->metaObject()->indexOfProperty("text") >= 0)
        m_pOther->setProperty("text", text);
    else
        m_pOther->setWindowTitle(text);
}
