// The help text dialog: formatted text from the language module, optionally to be confirmed.
#pragma once

#include "ui/CDlgBase.h"

class QTextBrowser;

// Shows a help text of the language module, read-only, above the dialog's buttons. In confirmation
// mode a check box must be ticked before OK can be pressed, and Cancel is offered.
class CDlgHelpText : public CDlgBase
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplateId = 505;
    static constexpr int kTextId = 1;
    static constexpr int kConfirmId = 1089;

    explicit CDlgHelpText(QWidget* parent = nullptr);

    void SetTitle(const QString& title) { m_title = title; }
    QString Title() const { return m_title; }
    // The help text's item number in the language module; 0 = none.
    void SetResourceId(quint32 id) { m_resourceId = id; }
    void SetConfirmationMode(bool on) { m_confirm = on; }

    QTextBrowser* TextControl() const { return m_text; }

protected:
    bool OnInitDialog() override;
    void OnRibBtnAdded(IButtonStrip* strip, int buttonId) override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;

private:
    bool m_confirm = false;
    QString m_title;
    quint32 m_resourceId = 0;
    QTextBrowser* m_text = nullptr;
};
