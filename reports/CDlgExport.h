// Hands files on: by e-mail (through the mail server or the desktop mail client) or copied into a
// folder; in exchange mode the exchange files of vehicle or combination files are written first.
#pragma once

#include "ui/CDlgBase.h"

#include <QStringList>

#include <memory>

class ExchangeFileWriter;
struct MailResult;

class CDlgExport : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplateId = 899;
    static constexpr int kIdRun = 654;
    static constexpr int kIdMail = 1348;
    static constexpr int kIdFolderMode = 1349;
    static constexpr int kIdTo = 1352;
    static constexpr int kIdCc = 1353;
    static constexpr int kIdSubject = 1354;
    static constexpr int kIdText = 1355;
    static constexpr int kIdBook = 1342;
    static constexpr int kIdCcBook = 1343;
    static constexpr int kIdClient = 1361;
    static constexpr int kIdDirect = 1364;
    static constexpr int kIdFolder = 1362;
    static constexpr int kIdBrowse = 1344;
    static constexpr int kIdFolderCtrl = 1360;
    static constexpr int kIdAttachments = 1394;
    enum SendMode
    {
        kByMail = 0,
        kToFolder = 1
    };

    // Exchange mode: writes the exchange files of `sources` (vehicle or combination files) with the
    // pictures of `pictureFolder` into a private folder that goes with the dialog.
    CDlgExport(const QStringList& sources, const QString& pictureFolder, QWidget* parent = nullptr);
    // PDF mode: hands on the given files.
    explicit CDlgExport(const QStringList& pdfFiles, QWidget* parent = nullptr);
    ~CDlgExport() override;

    bool IsPdfMode() const { return m_bPdf; }
    QStringList Attachments() const { return m_attachments; }
    int SendMode() const { return m_nSendMode; }
    // True once the attachments were handed to the desktop mail client, which reads them later.
    bool WasHandedOver() const { return m_bHandedOver; }
    // The program that hands a mail to the desktop mail client (tests give a stand-in).
    void SetHandOverProgram(const QString& program) { m_strHandOverProgram = program; }
    // How long the mail server may take for each step, in ms (0: the mail layer's own limit).
    void SetMailStepTimeout(int ms) { m_nMailStepTimeoutMs = ms; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;
    // The password of the mail server's user, asked once per program run.
    virtual QString AskPassword(const QString& server, const QString& user);
    // The address book on the contacts of the mail settings; false when it was cancelled or the contacts
    // could not be read (said in a message box), else the chosen addresses joined with ";".
    virtual bool ChooseAddresses(QString* pResult);
    // The mail settings page over the dialog; true when it was left with OK.
    virtual bool OpenMailSettings();

private:
    void SetSendMode(int mode);
    // The mail's way beside "Send by e-mail": the mail server when sent directly, else the desktop's
    // mail client.
    void ZeigeMailWeg();
    // Without a mail server to send directly: offers the settings page; true when one was set up there.
    bool EinrichtenAngeboten();
    void Run();
    void RunMail();
    void RunFolder();
    void Browse();
    void OpenAddressBook(int fieldId);
    bool CheckRecipients(int fieldId);
    // Waits behind a notice with Cancel until the mail layer answers.
    MailResult WaitForMail(QObject* sender, const std::function<void()>& cancel);
    void Error(quint32 caption, const QString& text);

    bool m_bPdf = false;
    QStringList m_sources;
    QStringList m_attachments;
    std::unique_ptr<ExchangeFileWriter> m_writer;
    int m_nSendMode = kByMail;
    bool m_bHandedOver = false;
    QString m_strHandOverProgram = QStringLiteral("xdg-email");
    int m_nMailStepTimeoutMs = 0;
};
