// The mail settings page.
#include "reports/CDlgMailSettings.h"

#include "platform/mail/MailSettings.h"
#include "platform/mail/MimeWriter.h"
#include "platform/mail/SecretStore.h"
#include "reports/MailRecipients.h"
#include "reports/ReportTexts.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>
#include <iterator>

using ReportTexts::Text;

namespace {

// The encryption entries in the order of the combo box.
constexpr SmtpClient::Security kVerschluesselung[] = {SmtpClient::Security::StartTls,
                                                      SmtpClient::Security::Tls, SmtpClient::Security::None};

template <class W> W* Ctrl(QWidget* dialog, int id)
{
    return qobject_cast<W*>(ControlId::Find(dialog, id));
}

} // namespace

CDlgMailSettings::CDlgMailSettings(QWidget* parent, StoreCheck storeAvailable)
    : CDlgBase(kTemplateId, parent),
      m_storeAvailable(storeAvailable ? std::move(storeAvailable) : StoreCheck(&SecretStore::IsAvailable))
{
}

bool CDlgMailSettings::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    const MailSettings m = MailSettings::Load();
    Ctrl<QLineEdit>(this, kIdServer)->setText(m.smtpServer);
    Ctrl<QSpinBox>(this, kIdPort)->setValue(m.smtpPort);
    QComboBox* security = Ctrl<QComboBox>(this, kIdSecurity);
    security->clear();
    security->addItems({Text(1762), Text(1763), Text(1764)});
    for (int i = 0; i < int(std::size(kVerschluesselung)); ++i)
        if (kVerschluesselung[i] == m.security)
            security->setCurrentIndex(i);
    Ctrl<QLineEdit>(this, kIdSender)->setText(m.senderAddress);
    Ctrl<QLineEdit>(this, kIdSenderName)->setText(m.senderName);
    Ctrl<QLineEdit>(this, kIdUser)->setText(m.userName);
    Ctrl<QLineEdit>(this, kIdInbox)->setText(m.maildirFolder);
    Ctrl<QLineEdit>(this, kIdContacts)->setText(m.contacts);
    // The choice is offered where a store answers; a setting made elsewhere stays as it is.
    m_bStore = m_storeAvailable();
    QCheckBox* store = Ctrl<QCheckBox>(this, kIdSecretStore);
    store->setChecked(m.passwordInSecretStore);
    store->setEnabled(m_bStore || m.passwordInSecretStore);
    if (!m_bStore)
        store->setToolTip(Text(1765));
    return true;
}

bool CDlgMailSettings::OnCommand(int id, int notifyCode, QObject* control)
{
    if (id == kIdForget) {
        MailSettings m = MailSettings::Load();
        m.smtpServer = Ctrl<QLineEdit>(this, kIdServer)->text().trimmed();
        m.userName = Ctrl<QLineEdit>(this, kIdUser)->text();
        m.ForgetPassword();
        MessageBoxes().Show(this, windowTitle(), Text(1766), IMessageBoxService::Icon::Information,
                            IMessageBoxService::Buttons::Ok);
        return true;
    }
    return CDlgBase::OnCommand(id, notifyCode, control);
}

void CDlgMailSettings::OnOK()
{
    MailSettings m = MailSettings::Load();
    m.smtpServer = Ctrl<QLineEdit>(this, kIdServer)->text().trimmed();
    m.smtpPort = static_cast<quint16>(Ctrl<QSpinBox>(this, kIdPort)->value());
    m.security = kVerschluesselung[std::clamp(Ctrl<QComboBox>(this, kIdSecurity)->currentIndex(), 0, 2)];
    m.senderAddress = Ctrl<QLineEdit>(this, kIdSender)->text().trimmed();
    m.senderName = Ctrl<QLineEdit>(this, kIdSenderName)->text().trimmed();
    m.userName = Ctrl<QLineEdit>(this, kIdUser)->text().trimmed();
    m.maildirFolder = Ctrl<QLineEdit>(this, kIdInbox)->text().trimmed();
    m.contacts = Ctrl<QLineEdit>(this, kIdContacts)->text().trimmed();
    m.passwordInSecretStore = Ctrl<QCheckBox>(this, kIdSecretStore)->isChecked();
    auto fehler = [this](int id, quint32 text) {
        MessageBoxes().Show(this, windowTitle(), Text(text), IMessageBoxService::Icon::Error,
                            IMessageBoxService::Buttons::Ok);
        if (auto* edit = Ctrl<QLineEdit>(this, id)) {
            edit->setFocus();
            edit->selectAll();
        }
    };
    // A server without a sender could send nothing; one address, no line breaks in either.
    const bool bAdresse = !m.senderAddress.contains(u';') && MailRecipients::Validate(m.senderAddress);
    if (MimeWriter::HasControlCharacter(m.smtpServer) || m.smtpServer.contains(u' '))
        return fehler(kIdServer, 1767);
    if ((!m.smtpServer.isEmpty() && m.senderAddress.isEmpty()) || !bAdresse ||
        MimeWriter::HasControlCharacter(m.senderAddress))
        return fehler(kIdSender, 1768);
    if (MimeWriter::HasControlCharacter(m.senderName))
        return fehler(kIdSenderName, 1769);
    m.Save();
    CDlgBase::OnOK();
}
