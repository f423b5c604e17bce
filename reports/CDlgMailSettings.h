// The mail settings page (Options): the server for sending directly, its port and encryption, the
// sender, the login and whether the password is kept in the desktop's secret store; the inbox and the
// address book of the import and export.
#pragma once

#include "ui/CDlgBase.h"

#include <functional>

class CDlgMailSettings : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplateId = 1751;
    static constexpr int kIdServer = 1752;
    static constexpr int kIdPort = 1753;
    static constexpr int kIdSecurity = 1754;
    static constexpr int kIdSender = 1755;
    static constexpr int kIdSenderName = 1756;
    static constexpr int kIdUser = 1757;
    static constexpr int kIdSecretStore = 1758;
    static constexpr int kIdForget = 1759;
    static constexpr int kIdInbox = 1760;
    static constexpr int kIdContacts = 1761;

    // Whether the desktop's secret store answers (tests give their own answer).
    using StoreCheck = std::function<bool()>;
    explicit CDlgMailSettings(QWidget* parent = nullptr, StoreCheck storeAvailable = {});

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    // Checks the entries and saves them; a wrong entry is named and keeps the dialog open.
    void OnOK() override;

private:
    bool m_bStore = false;
    StoreCheck m_storeAvailable;
};
