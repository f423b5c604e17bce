// Hands files on: by e-mail (through the mail server or the desktop mail client) or copied into a
// folder; in exchange mode the exchange files of vehicle or combination files are written first.
#include "reports/CDlgExport.h"

#include "model/base/FolderHelpers.h"
#include "model/text/TextProvider.h"
#include "platform/RegularFile.h"
#include "platform/mail/MailHandOver.h"
#include "platform/mail/MailSettings.h"
#include "platform/mail/MimeWriter.h"
#include "platform/mail/SmtpClient.h"
#include "platform/mail/VCardReader.h"
#include "reports/CDlgAddressees.h"
#include "reports/CDlgMailSettings.h"
#include "reports/ExchangeFileWriter.h"
#include "reports/MailRecipients.h"
#include "reports/ReportTexts.h"
#include "ui/BrowseForFolder.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"
#include "ui/ShowMessage658.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QSettings>
#include <QStandardPaths>

#include <filesystem>

namespace {

using ReportTexts::Caption;
using ReportTexts::Text;

QString RecentFolderKey()
{
    return QStringLiteral("Settings/RecentExportFolder");
}

} // namespace

CDlgExport::CDlgExport(const QStringList& sources, const QString& pictureFolder, QWidget* parent)
    : CDlgBase(kTemplateId, parent), m_sources(sources),
      m_writer(std::make_unique<ExchangeFileWriter>(pictureFolder.toStdString()))
{
}

CDlgExport::CDlgExport(const QStringList& pdfFiles, QWidget* parent)
    : CDlgBase(kTemplateId, parent), m_bPdf(true), m_attachments(pdfFiles)
{
}

CDlgExport::~CDlgExport() = default;

bool CDlgExport::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    if (!m_bPdf && m_writer) {
        std::vector<std::filesystem::path> sources;
        for (const QString& source : m_sources)
            sources.emplace_back(source.toStdString());
        m_writer->WriteExportTempFiles(sources);
        for (const std::filesystem::path& path : m_writer->ExchangePaths())
            if (!path.empty())
                m_attachments.append(QString::fromStdString(path.string()));
    }
    if (auto* combo = qobject_cast<QComboBox*>(ControlId::Find(this, kIdAttachments))) {
        for (const QString& path : m_attachments)
            combo->addItem(QFileInfo(path).fileName());
        combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    }
    if (auto* direct = qobject_cast<QCheckBox*>(ControlId::Find(this, kIdDirect))) {
        direct->setChecked(true);
        connect(direct, &QCheckBox::toggled, this, [this] { ZeigeMailWeg(); });
    }
    ZeigeMailWeg();
    QString folder = QSettings().value(RecentFolderKey()).toString();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (auto* field = qobject_cast<QLineEdit*>(ControlId::Find(this, kIdFolder)))
        field->setText(folder);
    SetSendMode(kByMail);
    return true;
}

void CDlgExport::ZeigeMailWeg()
{
    auto* client = qobject_cast<QLabel*>(ControlId::Find(this, kIdClient));
    auto* direct = qobject_cast<QCheckBox*>(ControlId::Find(this, kIdDirect));
    if (!client)
        return;
    // Sent directly: the mail server (or that none is set up); else the desktop's mail client.
    const MailSettings settings = MailSettings::Load();
    QString name = MailSettings().ClientName();
    if (direct && direct->isChecked())
        name = settings.IsSmtpComplete() ? settings.smtpServer : Text(1749);
    client->setText(QStringLiteral("(%1)").arg(name));
}

void CDlgExport::SetSendMode(int mode)
{
    m_nSendMode = mode;
    if (auto* radio =
            qobject_cast<QAbstractButton*>(ControlId::Find(this, mode == kByMail ? kIdMail : kIdFolderMode)))
        radio->setChecked(true);
    if (auto* run = qobject_cast<QAbstractButton*>(ControlId::Find(this, kIdRun)))
        run->setText(mode == kByMail ? Text(146) : Caption(714));
    KickIdle();
}

void CDlgExport::OnUpdateCommand(CommandUpdateEvent& query)
{
    const bool mail = m_nSendMode == kByMail;
    switch (query.Id()) {
    case kIdTo:
    case kIdCc:
    case kIdSubject:
    case kIdText:
    case 1359:
    case kIdDirect:
        query.Enable(mail);
        return;
    case kIdFolder:
    case kIdBrowse:
    case kIdFolderCtrl:
        query.Enable(!mail);
        return;
    case kIdBook:
    case kIdCcBook:
        query.Enable(mail && !MailSettings::Load().contacts.isEmpty());
        return;
    default:
        CDlgBase::OnUpdateCommand(query);
    }
}

bool CDlgExport::OnCommand(int id, int notifyCode, QObject* control)
{
    switch (id) {
    case kIdMail:
        SetSendMode(kByMail);
        return true;
    case kIdFolderMode:
        SetSendMode(kToFolder);
        return true;
    case kIdRun:
        Run();
        return true;
    case kIdBrowse:
        Browse();
        return true;
    case kIdBook:
        OpenAddressBook(kIdTo);
        return true;
    case kIdCcBook:
        OpenAddressBook(kIdCc);
        return true;
    default:
        return CDlgBase::OnCommand(id, notifyCode, control);
    }
}

void CDlgExport::Error(quint32 caption, const QString& text)
{
    MessageBoxes().Show(this, Text(caption), text, IMessageBoxService::Icon::Error,
                        IMessageBoxService::Buttons::Ok);
}

void CDlgExport::Run()
{
    if (!m_bPdf) {
        // The exchange files are written; handing them on is not part of this version.
        ShowMessage658(this);
        return;
    }
    if (m_nSendMode == kByMail)
        RunMail();
    else
        RunFolder();
}

bool CDlgExport::CheckRecipients(int fieldId)
{
    auto* field = qobject_cast<QLineEdit*>(ControlId::Find(this, fieldId));
    if (!field || MailRecipients::Validate(field->text()))
        return true;
    Error(7, Text(MimeWriter::HasControlCharacter(field->text()) ? 1592 : 21));
    field->setFocus();
    field->selectAll();
    return false;
}

QString CDlgExport::AskPassword(const QString& server, const QString& user)
{
    return QInputDialog::getText(this, server, user, QLineEdit::Password);
}

MailResult CDlgExport::WaitForMail(QObject* sender, const std::function<void()>& cancel)
{
    MailResult result;
    result.outcome = MailResult::Outcome::Failed;
    QEventLoop loop;
    bool finished = false;
    auto take = [&](const MailResult& answer) {
        result = answer;
        finished = true;
        loop.quit();
    };
    if (auto* smtp = qobject_cast<SmtpClient*>(sender))
        connect(smtp, &SmtpClient::finished, &loop, take);
    else if (auto* handOver = qobject_cast<MailHandOver*>(sender))
        connect(handOver, &MailHandOver::finished, &loop, take);
    QProgressDialog notice(Text(146) + QStringLiteral("…"), Caption(705), 0, 0, this);
    notice.setWindowModality(Qt::WindowModal);
    notice.setMinimumDuration(0);
    connect(&notice, &QProgressDialog::canceled, &loop, [&] { cancel(); });
    notice.show();
    if (!finished)
        loop.exec();
    notice.close();
    return result;
}

bool CDlgExport::EinrichtenAngeboten()
{
    if (MessageBoxes().Show(this, Text(613), Text(1770), IMessageBoxService::Icon::Question,
                            IMessageBoxService::Buttons::YesNo) != IMessageBoxService::kYes)
        return false;
    return OpenMailSettings();
}

bool CDlgExport::OpenMailSettings()
{
    return CDlgMailSettings(this).exec() == QDialog::Accepted;
}

void CDlgExport::RunMail()
{
    if (!CheckRecipients(kIdTo) || !CheckRecipients(kIdCc))
        return;
    auto* subject = qobject_cast<QLineEdit*>(ControlId::Find(this, kIdSubject));
    if (MimeWriter::HasControlCharacter(subject->text())) {
        Error(7, Text(1590));
        subject->setFocus();
        subject->selectAll();
        return;
    }
    MailMessage message;
    message.to = MailRecipients::Split(qobject_cast<QLineEdit*>(ControlId::Find(this, kIdTo))->text());
    message.cc = MailRecipients::Split(qobject_cast<QLineEdit*>(ControlId::Find(this, kIdCc))->text());
    message.subject = qobject_cast<QLineEdit*>(ControlId::Find(this, kIdSubject))->text();
    message.text = qobject_cast<QPlainTextEdit*>(ControlId::Find(this, kIdText))->toPlainText();
    for (const QString& path : m_attachments)
        message.attachments.append(MailAttachment{path, QString()});
    const bool direct = qobject_cast<QCheckBox*>(ControlId::Find(this, kIdDirect))->isChecked();
    MailSettings settings = MailSettings::Load();
    MailResult result;
    QString handedTo;
    if (direct) {
        if (!settings.IsSmtpComplete()) {
            if (!EinrichtenAngeboten())
                return;
            settings = MailSettings::Load();
            ZeigeMailWeg();
            if (!settings.IsSmtpComplete()) {
                Error(613, Text(61841));
                return;
            }
        }
        if (message.to.isEmpty() && message.cc.isEmpty()) {
            Error(7, Text(21));
            return;
        }
        if (MimeWriter::HasControlCharacter(settings.senderAddress) ||
            MimeWriter::HasControlCharacter(settings.senderName)) {
            Error(613, Text(1591));
            return;
        }
        QByteArray mime;
        QString error;
        if (!MimeWriter::Write(message, settings.senderAddress, settings.senderName,
                               QDateTime::currentDateTime(), mime, &error)) {
            Error(613, Text(187) + QStringLiteral("\n\n") + error);
            return;
        }
        SmtpClient client;
        const QPointer<CDlgExport> self(this);
        SmtpClient::Server server = settings.Server([self](const QString& host, const QString& user) {
            return self ? self->AskPassword(host, user) : QString();
        });
        if (m_nMailStepTimeoutMs > 0)
            server.stepTimeoutMs = m_nMailStepTimeoutMs;
        client.Send(server, settings.senderAddress, message.to + message.cc, mime);
        result = WaitForMail(&client, [&client] { client.Cancel(); });
        handedTo = settings.smtpServer;
    } else {
        if (QStandardPaths::findExecutable(m_strHandOverProgram).isEmpty() &&
            !QFileInfo(m_strHandOverProgram).isExecutable()) {
            Error(613, Text(61840));
            return;
        }
        MailHandOver handOver;
        handOver.Start(message, m_strHandOverProgram);
        result = WaitForMail(&handOver, [] {});
        handedTo = MailSettings().ClientName();
    }
    switch (result.outcome) {
    case MailResult::Outcome::Sent:
    case MailResult::Outcome::HandedOver: {
        m_bHandedOver = result.outcome == MailResult::Outcome::HandedOver;
        IMessageBoxService::HtmlBox box;
        box.text = Text(460).replace(QLatin1String("%s"), handedTo.toHtmlEscaped());
        box.captionId = 273;
        box.buttons = {{668, 668}};
        MessageBoxes().ShowHtml(this, box, nullptr);
        done(kIdRun);
        return;
    }
    case MailResult::Outcome::Cancelled:
        return;
    case MailResult::Outcome::Failed:
        Error(613, Text(187) + QStringLiteral("\n\n") + result.reason);
        return;
    }
}

namespace {

constexpr qint64 kGroessteDatei = qint64{256} << 20;

// Copies `source` to `target` through a new file beside the target put in its place at the end, so a
// failed copy never leaves half a file. A new file gets the permissions the user's umask gives every file
// they save, a replaced one keeps its own; a link at the target is replaced, not written through.
// Answers the reason of a failure as the system gave it (a full disk among them), empty on success.
QString CopyWhole(const QString& source, const QString& target)
{
    // The files are the program's own reports and exchange files: a regular file of bounded size.
    QByteArray bytes;
    QString why;
    if (!ReadRegularFile(source, kGroessteDatei, &bytes, &why) || !WriteRegularFile(target, bytes, &why))
        return why;
    return QString();
}

} // namespace

void CDlgExport::RunFolder()
{
    const QString folder =
        QDir::cleanPath(qobject_cast<QLineEdit*>(ControlId::Find(this, kIdFolder))->text().trimmed());
    if (folder.isEmpty() || folder == u".") {
        Error(71, Text(467));
        return;
    }
    // The proposed folder (the documents folder at first) may not exist yet on this machine.
    if (!QDir().mkpath(folder) || !IsFolderWritable(folder.toStdString())) {
        Error(82, Text(187) + QStringLiteral("\n\n") + folder);
        return;
    }
    int copied = 0;
    for (const QString& source : m_attachments) {
        const QString target = QDir(folder).filePath(QFileInfo(source).fileName());
        // A link there, even one that leads nowhere, is an entry the copy replaces: asked for as a file.
        const QFileInfo existing(target);
        if ((existing.exists() || existing.isSymLink()) &&
            MessageBoxes().Show(this, Text(273), Text(80).replace(QLatin1String("%s"), target),
                                IMessageBoxService::Icon::Warning,
                                IMessageBoxService::Buttons::YesNo) != IMessageBoxService::kYes)
            continue;
        const QString reason = CopyWhole(source, target);
        if (!reason.isEmpty()) {
            Error(81, Text(187) + QStringLiteral("\n\n") + target + QStringLiteral(": ") + reason);
            continue;
        }
        ++copied;
    }
    if (copied > 0) {
        // A folder typed into the field is the next export's proposal as a chosen one is.
        QSettings().setValue(RecentFolderKey(), folder);
        done(kIdRun);
    }
}

void CDlgExport::Browse()
{
    auto* field = qobject_cast<QLineEdit*>(ControlId::Find(this, kIdFolder));
    FolderStart start;
    start.path = field ? field->text() : QString();
    const QString chosen = BrowseForFolder(this, start, FolderStart::kNone, QStringLiteral("Export"), false);
    if (chosen.isEmpty())
        return;
    if (!IsFolderWritable(chosen.toStdString())) {
        Error(82, Text(187) + QStringLiteral("\n\n") + chosen);
        return;
    }
    if (field) {
        field->setText(chosen);
        field->selectAll();
    }
    QSettings().setValue(RecentFolderKey(), chosen);
}

bool CDlgExport::ChooseAddresses(QString* pResult)
{
    QVector<MailContact> contacts;
    QString error;
    if (!VCardReader::Read(MailSettings::Load().contacts, contacts, &error)) {
        Error(613, Text(187) + QStringLiteral("\n\n") + error);
        return false;
    }
    CDlgAddressees book(contacts, this);
    if (book.exec() != QDialog::Accepted)
        return false;
    *pResult = book.Result();
    return true;
}

void CDlgExport::OpenAddressBook(int fieldId)
{
    QString chosen;
    if (!ChooseAddresses(&chosen))
        return;
    // The book's choice stands in the field of the button that opened it, in place of its text.
    if (auto* field = qobject_cast<QLineEdit*>(ControlId::Find(this, fieldId)))
        field->setText(chosen);
}
