// The export dialog (mail, folder, exchange files), the import dialog with the inbox search, and the
// import file dialog that keeps the per-user data folder unchanged.
#include "platform/mail/MailSettings.h"
#include "platform/mail/MimeParser.h"
#include "reports/CDlgExport.h"
#include "reports/CDlgImport.h"
#include "reports/CDlgSearchInbox.h"
#include "reports/CImportFileDlg.h"
#include "reports/MailRecipients.h"
#include "tests/support/ProcessUntil.h"
#include "tests/support/SmtpReader.h"
#include "ui/BrowseForFolder.h"
#include "ui/ControlId.h"
#include "ui/ScriptedMessageBoxService.h"

#include "../ui/UiTestModule.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <memory>

#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

QString Text(quint32 id)
{
    return QString::fromStdString(LoadResString(id));
}

QString Artifacts()
{
    const QString folder = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/reports");
    QDir().mkpath(folder);
    return folder;
}

void Write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Enabled(CDlgBase& dialog, int id)
{
    dialog.KickIdle();
    QWidget* control = ControlId::Find(&dialog, id);
    return control && control->isEnabled();
}

void Click(CDlgBase& dialog, int id)
{
    dialog.KickIdle();
    auto* button = qobject_cast<QAbstractButton*>(ControlId::Find(&dialog, id));
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

template <class T> T* Control(CDlgBase& dialog, int id)
{
    return qobject_cast<T*>(ControlId::Find(&dialog, id));
}

// A mail server on the loopback that accepts everything and keeps the message.
class MailSink : public QObject
{
public:
    MailSink()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            ++connections;
            if (silent)
                return; // takes the connection and never answers
            socket->write("220 sink\r\n");
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                m_reader.Feed(
                    socket->readAll(),
                    [&](const QByteArray& line) {
                        commands.append(line);
                        if (line.startsWith("DATA")) {
                            socket->write("354 go on\r\n");
                        } else if (line.startsWith("QUIT")) {
                            socket->write("221 bye\r\n");
                            socket->disconnectFromHost();
                        } else if (line.startsWith("RCPT") && refuseRcpt) {
                            socket->write("550 no such user\r\n");
                        } else {
                            socket->write("250 ok\r\n");
                        }
                        return true;
                    },
                    [&](const QByteArray& text) {
                        message = text;
                        socket->write("250 kept\r\n");
                    });
            });
        });
    }
    quint16 Port() const { return m_server.serverPort(); }

    QByteArrayList commands;
    QByteArray message;
    bool refuseRcpt = false;
    bool silent = false;
    int connections = 0;

private:
    QTcpServer m_server;
    SmtpReader m_reader;
};

class ExportImport : public ::testing::Test
{
protected:
    ExportImport() : m_module(UiTestModule()) {}
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QSettings().clear();
        m_pdf1 = m_dir.filePath(QStringLiteral("out/plan.pdf"));
        m_pdf2 = m_dir.filePath(QStringLiteral("out/securing.pdf"));
        Write(m_pdf1, "%PDF-1.4 plan");
        Write(m_pdf2, "%PDF-1.4 securing");
    }
    void TearDown() override
    {
        QSettings().clear();
        SetFolderPicker(nullptr);
    }
    void SetUpSmtp(quint16 port)
    {
        MailSettings settings;
        settings.smtpServer = QStringLiteral("127.0.0.1");
        settings.smtpPort = port;
        settings.security = SmtpClient::Security::None;
        settings.senderAddress = QStringLiteral("planner@example.com");
        settings.Save();
    }

    ScopedDialogTemplateModule m_module;
    ScriptedMessageBoxService m_boxes;
    QTemporaryDir m_dir;
    QString m_pdf1;
    QString m_pdf2;
};

} // namespace

TEST(MailRecipientsTest, TheFieldsCheck)
{
    struct Case
    {
        const char* text;
        bool valid;
        int parts;
    };
    const Case cases[] = {
        {"anna@example.com;carl@example.org", true, 2},
        {"  anna@example.com\t; ", true, 1},
        {"", true, 0},
        {";;", true, 0},
        {"anna@ex.c", true, 1},
        {"anna@ab", false, 1}, // fewer than three characters after the at sign
        {"anna@example.com;bad", false, 2},
        // Between the domain's parts only a dot: no character that ends or hides an address.
        {"anna@example>com", false, 1},
        {"anna@example com", false, 1},
        {"anna@example'com", false, 1},
        {"anna@example*com", false, 1},
        {"anna@example@com", false, 1},
        {"anna@example\u2028com", false, 1},
        {"anna@example\u0085com", false, 1},
        {"anna example@example.com", false, 1},
        // Control characters would reach the To header and the mail commands.
        {"anna@example.com\n", false, 1},
        {"anna@example.com\r\nBcc: eve@example.org", false, 1},
        {"anna@ex\rample.com", false, 1},
        {"anna@example.com;\tcarl@example.org\x7f", false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(MailRecipients::Validate(QString::fromUtf8(c.text)), c.valid);
        EXPECT_EQ(MailRecipients::Split(QString::fromUtf8(c.text)).size(), c.parts);
    }
}

TEST_F(ExportImport, AMailGoesToTheServerWithCcAsCc)
{
    MailSink sink;
    SetUpSmtp(sink.Port());
    CDlgExport dialog(QStringList{m_pdf1, m_pdf2});
    dialog.InitDialog();
    EXPECT_EQ(Control<QComboBox>(dialog, CDlgExport::kIdAttachments)->count(), 2);
    EXPECT_TRUE(Control<QCheckBox>(dialog, CDlgExport::kIdDirect)->isChecked());
    EXPECT_TRUE(Enabled(dialog, CDlgExport::kIdTo));
    EXPECT_FALSE(Enabled(dialog, CDlgExport::kIdBrowse));
    Control<QLineEdit>(dialog, CDlgExport::kIdTo)->setText(QStringLiteral(" anna@example.com "));
    Control<QLineEdit>(dialog, CDlgExport::kIdCc)->setText(QStringLiteral("carl@example.org"));
    Control<QLineEdit>(dialog, CDlgExport::kIdSubject)->setText(QStringLiteral("Plans"));
    Control<QPlainTextEdit>(dialog, CDlgExport::kIdText)->setPlainText(QStringLiteral("Both reports."));
    dialog.grab().save(Artifacts() + QStringLiteral("/export.png"));
    Click(dialog, CDlgExport::kIdRun);
    EXPECT_EQ(dialog.result(), CDlgExport::kIdRun);
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_EQ(m_boxes.Records()[0].html.text,
              Text(460).replace(QLatin1String("%s"), QStringLiteral("127.0.0.1")));
    EXPECT_TRUE(sink.commands.contains("RCPT TO:<anna@example.com>"));
    EXPECT_TRUE(sink.commands.contains("RCPT TO:<carl@example.org>"));
    EXPECT_TRUE(sink.message.contains("\r\nCc: carl@example.org\r\n"));
    EXPECT_FALSE(sink.message.contains("To: anna@example.com, carl"));
    EXPECT_TRUE(sink.message.contains("plan.pdf"));
    EXPECT_TRUE(sink.message.contains("securing.pdf"));
    // What reached the server reads back as what was written: the fields and both files byte for byte.
    QByteArray received = sink.message;
    received.replace("\r\n..", "\r\n.");
    const std::optional<ParsedMail> mail = MimeParser::Parse(received);
    ASSERT_TRUE(mail.has_value());
    EXPECT_EQ(mail->to, QStringList{QStringLiteral("anna@example.com")});
    EXPECT_EQ(mail->cc, QStringList{QStringLiteral("carl@example.org")});
    EXPECT_EQ(mail->subject, QStringLiteral("Plans"));
    EXPECT_EQ(mail->text.trimmed(), QStringLiteral("Both reports."));
    ASSERT_EQ(mail->attachments.size(), 2);
    EXPECT_EQ(mail->attachments[0].name, QStringLiteral("plan.pdf"));
    EXPECT_EQ(mail->attachments[0].data, Read(m_pdf1));
    EXPECT_EQ(mail->attachments[1].name, QStringLiteral("securing.pdf"));
    EXPECT_EQ(mail->attachments[1].data, Read(m_pdf2));
}

namespace {

// The export dialog with the address book answered by the test.
class ScriptedExport : public CDlgExport
{
public:
    using CDlgExport::CDlgExport;
    QString chosen;
    int opened = 0;

protected:
    bool ChooseAddresses(QString* pResult) override
    {
        ++opened;
        *pResult = chosen;
        return true;
    }
};

} // namespace

// Each address-book button fills its own field and leaves the other one as it was.
TEST_F(ExportImport, EachAddressBookButtonFillsItsOwnField)
{
    MailSettings settings;
    settings.contacts = m_dir.filePath(QStringLiteral("contacts.vcf"));
    settings.Save();
    const struct
    {
        int button;
        int field;
        int other;
    } faelle[] = {{CDlgExport::kIdCcBook, CDlgExport::kIdCc, CDlgExport::kIdTo},
                  {CDlgExport::kIdBook, CDlgExport::kIdTo, CDlgExport::kIdCc}};
    for (const auto& c : faelle) {
        SCOPED_TRACE(c.button);
        ScriptedExport dialog(QStringList{m_pdf1});
        dialog.InitDialog();
        Control<QLineEdit>(dialog, CDlgExport::kIdTo)->setText(QStringLiteral("anna@example.com"));
        Control<QLineEdit>(dialog, CDlgExport::kIdCc)->setText(QStringLiteral("carl@example.org"));
        const QString before = Control<QLineEdit>(dialog, c.other)->text();
        dialog.chosen = QStringLiteral("dora@example.net;emil@example.net");
        ASSERT_TRUE(Enabled(dialog, c.button));
        Click(dialog, c.button);
        EXPECT_EQ(dialog.opened, 1);
        EXPECT_EQ(Control<QLineEdit>(dialog, c.field)->text(), dialog.chosen);
        EXPECT_EQ(Control<QLineEdit>(dialog, c.other)->text(), before);
    }
}

TEST_F(ExportImport, MailFailuresKeepTheDialogOpenWithTheirReason)
{
    struct Case
    {
        const char* name;
        std::function<void(MailSink&)> setup;
        QString to;
        QString text;          // the start of the message
        const char* reason;    // what else it says (null: nothing checked)
        int stepTimeoutMs = 0; // the server's time for each step (0: the mail layer's)
        QString subject = {};
    };
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    const quint16 nobody = closed.serverPort();
    closed.close();
    const QList<Case> cases{
        {"refused recipient",
         [this](MailSink& s) {
             s.refuseRcpt = true;
             SetUpSmtp(s.Port());
         },
         QStringLiteral("anna@example.com"), Text(187), "550"},
        {"refused connection", [this, nobody](MailSink&) { SetUpSmtp(nobody); },
         QStringLiteral("anna@example.com"), Text(187), nullptr},
        {"time-out",
         [this](MailSink& s) {
             s.silent = true;
             SetUpSmtp(s.Port());
         },
         QStringLiteral("anna@example.com"), Text(187), "did not answer in time", 150},
        {"bad address", [this](MailSink& s) { SetUpSmtp(s.Port()); }, QStringLiteral("anna@ab"), Text(21),
         nullptr},
        // Without a server the settings page is offered; declined, nothing is sent.
        {"no server set up",
         [this](MailSink&) {
             QSettings().remove(QStringLiteral("Mail"));
             m_boxes.AddAnswer(IMessageBoxService::kNo);
         },
         QStringLiteral("anna@example.com"), Text(1770), nullptr},
        // A line break would end the header or the mail command that the text goes into.
        {"line break in an address", [this](MailSink& s) { SetUpSmtp(s.Port()); },
         QStringLiteral("anna@example.com\r\nRCPT TO:<eve@example.org>"), Text(1592), nullptr},
        {"line break in the subject", [this](MailSink& s) { SetUpSmtp(s.Port()); },
         QStringLiteral("anna@example.com"), Text(1590), nullptr, 0,
         QStringLiteral("Plans\r\nBcc: eve@example.org")},
        {"line break in the sender",
         [this](MailSink& s) {
             SetUpSmtp(s.Port());
             QSettings().setValue(QStringLiteral("Mail/SenderAddress"),
                                  QStringLiteral("planner@example.com>\r\nRCPT TO:<eve@example.org"));
         },
         QStringLiteral("anna@example.com"), Text(1591), nullptr},
        {"control character in the sender's name",
         [this](MailSink& s) {
             SetUpSmtp(s.Port());
             QSettings().setValue(QStringLiteral("Mail/SenderName"), QStringLiteral("Planner\x0b"));
         },
         QStringLiteral("anna@example.com"), Text(1591), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_boxes.Clear();
        MailSink sink;
        c.setup(sink);
        CDlgExport dialog(QStringList{m_pdf1});
        dialog.SetMailStepTimeout(c.stepTimeoutMs);
        dialog.InitDialog();
        Control<QLineEdit>(dialog, CDlgExport::kIdTo)->setText(c.to);
        Control<QLineEdit>(dialog, CDlgExport::kIdSubject)->setText(c.subject);
        Click(dialog, CDlgExport::kIdRun);
        EXPECT_NE(dialog.result(), CDlgExport::kIdRun);
        ASSERT_EQ(m_boxes.Records().size(), 1);
        EXPECT_TRUE(m_boxes.Records()[0].text.startsWith(c.text)) << m_boxes.Records()[0].text.toStdString();
        // What the dialog refuses itself never reaches the server.
        if (c.text != Text(187)) {
            EXPECT_EQ(sink.connections, 0);
        }
        if (c.reason) {
            EXPECT_TRUE(m_boxes.Records()[0].text.contains(QLatin1String(c.reason)))
                << m_boxes.Records()[0].text.toStdString();
        }
    }
}

// Cancel on the wait notice ends the send at once: the dialog stays open and says nothing.
TEST_F(ExportImport, CancellingASendKeepsTheDialogOpenSilently)
{
    MailSink sink;
    sink.silent = true;
    SetUpSmtp(sink.Port());
    CDlgExport dialog(QStringList{m_pdf1});
    dialog.SetMailStepTimeout(30000); // longer than the test takes: only the cancel ends the wait
    dialog.InitDialog();
    Control<QLineEdit>(dialog, CDlgExport::kIdTo)->setText(QStringLiteral("anna@example.com"));
    QString noticeText;
    QTimer press;
    press.setInterval(5);
    QObject::connect(&press, &QTimer::timeout, [&] {
        auto* notice = dialog.findChild<QProgressDialog*>();
        if (!notice || !notice->isVisible() || sink.connections == 0)
            return;
        press.stop();
        noticeText = notice->labelText();
        auto* cancel = notice->findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        cancel->click();
    });
    press.start();
    QElapsedTimer took;
    took.start();
    Click(dialog, CDlgExport::kIdRun);
    EXPECT_FALSE(press.isActive()) << "the notice was shown and cancelled";
    EXPECT_LT(took.elapsed(), 30000) << "the cancel, not the time limit, ended the wait";
    EXPECT_TRUE(noticeText.startsWith(Text(146)));
    EXPECT_NE(dialog.result(), CDlgExport::kIdRun);
    EXPECT_TRUE(m_boxes.Records().isEmpty()) << "a cancelled send says nothing";
    EXPECT_EQ(dialog.findChild<QProgressDialog*>(), nullptr) << "the notice is gone";
    EXPECT_TRUE(sink.message.isEmpty());
}

TEST_F(ExportImport, TheDesktopMailClientGetsTheMailAndIsNamed)
{
    const QString script = m_dir.filePath(QStringLiteral("fake-xdg-email"));
    const QString args = m_dir.filePath(QStringLiteral("args.txt"));
    Write(script, ("#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + args + "'\n").toUtf8());
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    CDlgExport dialog(QStringList{m_pdf1});
    dialog.SetHandOverProgram(script);
    dialog.InitDialog();
    Control<QCheckBox>(dialog, CDlgExport::kIdDirect)->setChecked(false);
    Control<QLineEdit>(dialog, CDlgExport::kIdTo)->setText(QStringLiteral("anna@example.com"));
    Click(dialog, CDlgExport::kIdRun);
    EXPECT_EQ(dialog.result(), CDlgExport::kIdRun);
    const QString passed = QString::fromUtf8(Read(args));
    EXPECT_TRUE(passed.contains(m_pdf1));
    EXPECT_TRUE(passed.contains(QStringLiteral("anna@example.com")));
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_EQ(m_boxes.Records()[0].html.text,
              Text(460).replace(QLatin1String("%s"), MailSettings().ClientName()));
    EXPECT_FALSE(m_boxes.Records()[0].html.text.contains(QStringLiteral("sent")));

    m_boxes.Clear();
    CDlgExport none(QStringList{m_pdf1});
    none.SetHandOverProgram(m_dir.filePath(QStringLiteral("missing-client")));
    none.InitDialog();
    Control<QCheckBox>(none, CDlgExport::kIdDirect)->setChecked(false);
    Click(none, CDlgExport::kIdRun);
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_EQ(m_boxes.Records()[0].text, Text(61840));
}

TEST_F(ExportImport, CopyingIntoAFolderTellsWhatHappened)
{
    const QString target = m_dir.filePath(QStringLiteral("target"));
    QDir().mkpath(target);
    Write(target + QStringLiteral("/plan.pdf"), "old");
    // Where securing.pdf belongs stands a folder: that copy fails.
    QDir().mkpath(target + QStringLiteral("/securing.pdf/inside"));
    QString asked;
    SetFolderPicker([&](QWidget*, const QString&, const QString& start, bool) {
        asked = start;
        return target;
    });
    struct Case
    {
        const char* name;
        int answer; // to the replace question
        bool closes;
        QByteArray plan;
    };
    const QList<Case> cases{
        {"no keeps the old file, the other copy fails: nothing copied", IMessageBoxService::kNo, false,
         "old"},
        {"yes replaces it", IMessageBoxService::kYes, true, "%PDF-1.4 plan"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_boxes.Clear();
        m_boxes.AddAnswer(c.answer);
        CDlgExport dialog(QStringList{m_pdf1, m_pdf2});
        dialog.InitDialog();
        Click(dialog, CDlgExport::kIdFolderMode);
        EXPECT_TRUE(Enabled(dialog, CDlgExport::kIdBrowse));
        EXPECT_FALSE(Enabled(dialog, CDlgExport::kIdTo));
        Click(dialog, CDlgExport::kIdBrowse);
        EXPECT_EQ(Control<QLineEdit>(dialog, CDlgExport::kIdFolder)->text(), target);
        Click(dialog, CDlgExport::kIdRun);
        EXPECT_EQ(dialog.result() == CDlgExport::kIdRun, c.closes);
        EXPECT_EQ(Read(target + QStringLiteral("/plan.pdf")), c.plan);
        ASSERT_GE(m_boxes.Records().size(), 2);
        EXPECT_EQ(m_boxes.Records()[0].text,
                  Text(80).replace(QLatin1String("%s"), target + QStringLiteral("/plan.pdf")));
        EXPECT_TRUE(m_boxes.Records().last().text.contains(QStringLiteral("securing.pdf")));
    }
    EXPECT_EQ(QSettings().value(QStringLiteral("Settings/RecentExportFolder")).toString(), target);
    CDlgExport again(QStringList{m_pdf1});
    again.InitDialog();
    EXPECT_EQ(Control<QLineEdit>(again, CDlgExport::kIdFolder)->text(), target) << "the folder is remembered";
    QStringList files = QDir(target).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(files, QStringList{QStringLiteral("plan.pdf")}) << "no half-written files are left";

    // A named pipe in the place of a report is refused at once (read, it would block for good).
    {
        m_boxes.Clear();
        const QString pipe = m_dir.filePath(QStringLiteral("out/pipe.pdf"));
        ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
        CDlgExport dialog(QStringList{pipe});
        dialog.InitDialog();
        Click(dialog, CDlgExport::kIdFolderMode);
        Click(dialog, CDlgExport::kIdRun);
        EXPECT_NE(dialog.result(), CDlgExport::kIdRun);
        ASSERT_EQ(m_boxes.Records().size(), 1);
        EXPECT_TRUE(m_boxes.Records()[0].text.contains(target + QStringLiteral("/pipe.pdf")));
        EXPECT_EQ(QDir(target).entryList(QDir::Files | QDir::Hidden | QDir::System),
                  QStringList{QStringLiteral("plan.pdf")});
    }

    // A folder that cannot be written is refused and not remembered.
    m_boxes.Clear();
    SetFolderPicker([&](QWidget*, const QString&, const QString&, bool) {
        return m_dir.filePath(QStringLiteral("missing/folder"));
    });
    Click(again, CDlgExport::kIdFolderMode);
    Click(again, CDlgExport::kIdBrowse);
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_EQ(m_boxes.Records()[0].caption, Text(82));
    EXPECT_EQ(QSettings().value(QStringLiteral("Settings/RecentExportFolder")).toString(), target);
}

// A link with a copy's name, even one that leads nowhere, is asked for as a file is; "Yes" replaces the
// link by the copy and leaves what it leads to as it was, "No" leaves the link.
TEST_F(ExportImport, ALinkWhereACopyGoesIsAskedForAndReplacedNotWrittenThrough)
{
    const QString target = m_dir.filePath(QStringLiteral("linked"));
    const QString elsewhere = m_dir.filePath(QStringLiteral("elsewhere"));
    QDir().mkpath(target);
    Write(elsewhere + QStringLiteral("/mine.pdf"), "the user's own");
    QSettings().setValue(QStringLiteral("Settings/RecentExportFolder"), target);
    const QString copy = target + QStringLiteral("/plan.pdf");
    struct Case
    {
        const char* name;
        const char* leadsTo; // below "elsewhere"
        int answer;
    };
    const Case cases[] = {
        {"nowhere, no", "absent.pdf", IMessageBoxService::kNo},
        {"nowhere, yes", "absent.pdf", IMessageBoxService::kYes},
        {"to a file, no", "mine.pdf", IMessageBoxService::kNo},
        {"to a file, yes", "mine.pdf", IMessageBoxService::kYes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(copy);
        const QString leadsTo = elsewhere + QLatin1Char('/') + QLatin1String(c.leadsTo);
        ASSERT_TRUE(QFile::link(leadsTo, copy));
        m_boxes.Clear();
        m_boxes.AddAnswer(c.answer);
        CDlgExport dialog(QStringList{m_pdf1});
        dialog.InitDialog();
        Click(dialog, CDlgExport::kIdFolderMode);
        Click(dialog, CDlgExport::kIdRun);
        ASSERT_EQ(m_boxes.Records().size(), 1);
        EXPECT_EQ(m_boxes.Records()[0].text, Text(80).replace(QLatin1String("%s"), copy));
        const bool replaced = c.answer == IMessageBoxService::kYes;
        EXPECT_EQ(dialog.result() == CDlgExport::kIdRun, replaced);
        EXPECT_EQ(QFileInfo(copy).isSymLink(), !replaced);
        if (replaced) {
            EXPECT_EQ(Read(copy), Read(m_pdf1));
        }
        EXPECT_EQ(Read(elsewhere + QStringLiteral("/mine.pdf")), QByteArray("the user's own"));
        EXPECT_EQ(QDir(elsewhere).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("mine.pdf")});
    }
}

// A write stopped by the system (here by the largest file the process may write, as a full disk stops
// it) is reported with the system's reason; the old file stays and no part of the copy is left.
TEST_F(ExportImport, ACopyTheSystemStopsNamesTheReasonAndKeepsTheOldFile)
{
    const QString target = m_dir.filePath(QStringLiteral("full"));
    Write(target + QStringLiteral("/plan.pdf"), "old");
    Write(m_pdf1, QByteArray("%PDF-1.4 ") + QByteArray(64 * 1024, 'x'));
    QSettings().setValue(QStringLiteral("Settings/RecentExportFolder"), target);
    m_boxes.Clear();
    m_boxes.AddAnswer(IMessageBoxService::kYes);
    CDlgExport dialog(QStringList{m_pdf1});
    dialog.InitDialog();
    Click(dialog, CDlgExport::kIdFolderMode);
    struct rlimit before
    {
    };
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto formerSignal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = before;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    Click(dialog, CDlgExport::kIdRun);
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, formerSignal);
    EXPECT_NE(dialog.result(), CDlgExport::kIdRun);
    ASSERT_EQ(m_boxes.Records().size(), 2);
    const QString said = m_boxes.Records()[1].text;
    EXPECT_EQ(m_boxes.Records()[1].caption, Text(81));
    EXPECT_TRUE(said.contains(target + QStringLiteral("/plan.pdf"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QString::fromLocal8Bit(std::strerror(EFBIG)))) << said.toStdString();
    EXPECT_EQ(Read(target + QStringLiteral("/plan.pdf")), QByteArray("old"));
    EXPECT_EQ(QDir(target).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("plan.pdf")});
}

TEST_F(ExportImport, CopyingIntoAFolderThatDoesNotExistYetMakesIt)
{
    // The first proposal is the documents folder, which a fresh account may not have.
    const QString target = m_dir.filePath(QStringLiteral("Documents/Plans"));
    QSettings().setValue(QStringLiteral("Settings/RecentExportFolder"), target);
    m_boxes.Clear();
    CDlgExport dialog(QStringList{m_pdf1});
    dialog.InitDialog();
    Click(dialog, CDlgExport::kIdFolderMode);
    Click(dialog, CDlgExport::kIdRun);
    EXPECT_EQ(dialog.result(), CDlgExport::kIdRun);
    EXPECT_TRUE(m_boxes.Records().isEmpty());
    EXPECT_EQ(QDir(target).entryList(QDir::Files), QStringList{QFileInfo(m_pdf1).fileName()});

    // Where the folder cannot be made, the user is told and nothing closes.
    const QString blocked = m_dir.filePath(QStringLiteral("a-file"));
    Write(blocked, "x");
    QSettings().setValue(QStringLiteral("Settings/RecentExportFolder"), blocked + QStringLiteral("/sub"));
    CDlgExport refused(QStringList{m_pdf1});
    refused.InitDialog();
    Click(refused, CDlgExport::kIdFolderMode);
    Click(refused, CDlgExport::kIdRun);
    EXPECT_NE(refused.result(), CDlgExport::kIdRun);
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_EQ(m_boxes.Records()[0].caption, Text(82));
}

// The folder can be typed in; copies get the permissions the user's umask gives every file they save.
TEST_F(ExportImport, ATypedFolderTakesTheCopiesWithTheUsersPermissions)
{
    const QString target = m_dir.filePath(QStringLiteral("typed/here"));
    for (const mode_t mask : {mode_t(022), mode_t(027)}) {
        SCOPED_TRACE(mask);
        QDir(target).removeRecursively();
        const mode_t before = ::umask(mask);
        CDlgExport dialog(QStringList{m_pdf1});
        dialog.InitDialog();
        dialog.show();
        Click(dialog, CDlgExport::kIdFolderMode);
        QLineEdit* field = Control<QLineEdit>(dialog, CDlgExport::kIdFolder);
        ASSERT_NE(field, nullptr);
        EXPECT_FALSE(field->isReadOnly());
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, target);
        EXPECT_EQ(field->text(), target);
        Click(dialog, CDlgExport::kIdRun);
        ::umask(before);
        EXPECT_EQ(dialog.result(), CDlgExport::kIdRun);
        struct stat st = {};
        ASSERT_EQ(::stat((target + QStringLiteral("/plan.pdf")).toLocal8Bit().constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
        EXPECT_EQ(Read(target + QStringLiteral("/plan.pdf")), Read(m_pdf1));
    }
    EXPECT_EQ(QSettings().value(QStringLiteral("Settings/RecentExportFolder")).toString(), target);
}

// Beside "Send by e-mail" stands where the mail goes: the mail server when it is sent directly (or that
// none is set up), else the desktop's mail client.
TEST_F(ExportImport, TheMailsWayFollowsSendDirectly)
{
    CDlgExport dialog(QStringList{m_pdf1});
    dialog.InitDialog();
    QLabel* way = Control<QLabel>(dialog, CDlgExport::kIdClient);
    QCheckBox* direct = Control<QCheckBox>(dialog, CDlgExport::kIdDirect);
    ASSERT_TRUE(way && direct);
    EXPECT_EQ(way->text(), QStringLiteral("(%1)").arg(Text(1749)));
    direct->click();
    EXPECT_EQ(way->text(), QStringLiteral("(%1)").arg(Text(1593)));

    SetUpSmtp(2525);
    CDlgExport set(QStringList{m_pdf1});
    set.InitDialog();
    QLabel* server = Control<QLabel>(set, CDlgExport::kIdClient);
    EXPECT_EQ(server->text(), QStringLiteral("(127.0.0.1)"));
    Control<QCheckBox>(set, CDlgExport::kIdDirect)->click();
    EXPECT_EQ(server->text(), QStringLiteral("(%1)").arg(Text(1593)));
}

TEST_F(ExportImport, ExchangeModeWritesTheFilesAndShowsTheNotice)
{
    // A vehicle file of the samples.
    const QString vehicle = m_dir.filePath(QStringLiteral("truck.qor"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QOR_SAMPLES_DIR "/Vehicles/LKW.qor"), vehicle));
    QString folder;
    {
        CDlgExport dialog(QStringList{vehicle}, m_dir.filePath(QStringLiteral("pictures")));
        dialog.InitDialog();
        ASSERT_EQ(dialog.Attachments().size(), 1);
        EXPECT_EQ(Control<QComboBox>(dialog, CDlgExport::kIdAttachments)->itemText(0),
                  QStringLiteral("truck.qorei"));
        folder = QFileInfo(dialog.Attachments().first()).absolutePath();
        EXPECT_TRUE(QFileInfo::exists(dialog.Attachments().first()));
        Click(dialog, CDlgExport::kIdRun);
        ASSERT_EQ(m_boxes.Records().size(), 1);
        EXPECT_EQ(m_boxes.Records()[0].html.textId, 658);
        EXPECT_NE(dialog.result(), CDlgExport::kIdRun) << "the dialog stays open";
    }
    EXPECT_FALSE(QFileInfo::exists(folder)) << "the private folder goes with the dialog";
}

namespace {

class ScriptedImport : public CDlgImport
{
public:
    using CDlgImport::CDlgImport;
    QStringList files;

protected:
    QStringList ChooseFiles() override { return files; }
};

} // namespace

TEST_F(ExportImport, TheImportGathersSourcesOnce)
{
    const QString data = m_dir.filePath(QStringLiteral("user"));
    Write(data + QStringLiteral("/QOR v4.0/vehicles/a.qor"), "a");
    Write(data + QStringLiteral("/QOR v4.0/notes.txt"), "n");
    Write(data + QStringLiteral("/QOR v3D.1/b.lgs"), "b");
    QSettings().setValue(QStringLiteral("LEGACY DATA IMPORT/QOR v3D.1"), 1);
    const QByteArray before = Read(data + QStringLiteral("/QOR v4.0/vehicles/a.qor"));
    ScriptedImport dialog(data, QString());
    dialog.InitDialog();
    ASSERT_EQ(dialog.LegacySources().size(), 2);
    EXPECT_EQ(dialog.LegacySources()[0].files.size(), 1);
    EXPECT_TRUE(dialog.LegacySources()[1].imported);
    EXPECT_FALSE(Enabled(dialog, CDlgImport::kIdImport)) << "an empty list imports nothing";
    EXPECT_FALSE(Enabled(dialog, CDlgImport::kIdRemove));
    dialog.files = {m_pdf1, m_pdf1, m_pdf2};
    Click(dialog, CDlgImport::kIdFiles);
    Click(dialog, CDlgImport::kIdFiles);
    EXPECT_EQ(dialog.Entries().size(), 2) << "a file chosen twice stands once";
    EXPECT_TRUE(Enabled(dialog, CDlgImport::kIdImport));
    EXPECT_TRUE(Enabled(dialog, CDlgImport::kIdLegacy));
    Click(dialog, CDlgImport::kIdLegacy);
    EXPECT_EQ(dialog.Entries().size(), 3);
    EXPECT_FALSE(Enabled(dialog, CDlgImport::kIdLegacy)) << "listed already";
    // The marked source asks first; Cancel stops.
    Control<QComboBox>(dialog, CDlgImport::kIdLegacyList)->setCurrentIndex(1);
    m_boxes.AddAnswer(705);
    Click(dialog, CDlgImport::kIdLegacy);
    EXPECT_EQ(dialog.Entries().size(), 3);
    ASSERT_FALSE(m_boxes.Records().isEmpty());
    EXPECT_EQ(m_boxes.Records().last().html.text,
              Text(102).replace(QLatin1String("%s"), QStringLiteral("QOR v3D.1")));
    dialog.List()->topLevelItem(0)->setCheckState(0, Qt::Checked);
    EXPECT_TRUE(Enabled(dialog, CDlgImport::kIdRemove));
    Click(dialog, CDlgImport::kIdRemove);
    EXPECT_EQ(dialog.Entries().size(), 2);
    m_boxes.Clear();
    Click(dialog, CDlgImport::kIdImport);
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_EQ(m_boxes.Records()[0].html.textId, 658);
    EXPECT_EQ(Read(data + QStringLiteral("/QOR v4.0/vehicles/a.qor")), before);
    dialog.grab().save(Artifacts() + QStringLiteral("/import.png"));

    ScriptedImport pending(data, m_dir.filePath(QStringLiteral("parcel.qorei")));
    pending.InitDialog();
    ASSERT_EQ(pending.Entries().size(), 1);
    EXPECT_EQ(pending.List()->topLevelItem(0)->text(0), QStringLiteral("FILE: parcel.qorei"));
    for (int id :
         {CDlgImport::kIdFiles, CDlgImport::kIdInbox, CDlgImport::kIdLegacy, CDlgImport::kIdRemove}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(Enabled(pending, id));
    }
    EXPECT_TRUE(Enabled(pending, CDlgImport::kIdImport));
}

TEST_F(ExportImport, TheInboxListsMessagesWithVehicleFilesOffTheWindowThread)
{
    CDlgSearchInbox search(QStringLiteral(QOR_MAIL_DATA_DIR "/maildir"));
    search.InitDialog();
    ASSERT_TRUE(ProcessUntil([&] { return search.IsListed(); }));
    ASSERT_EQ(search.List()->topLevelItemCount(), 3) << "the message with only a PDF is left out";
    EXPECT_EQ(search.List()->topLevelItem(0)->text(2), QStringLiteral("Plan for Tuesday"));
    EXPECT_FALSE(Enabled(search, CDlgBase::kIdOk));
    search.SetOption(CDlgSearchInbox::kIdUnread);
    EXPECT_EQ(search.List()->topLevelItemCount(), 2);
    search.List()->topLevelItem(0)->setCheckState(0, Qt::Checked);
    EXPECT_TRUE(Enabled(search, CDlgBase::kIdOk));
    search.grab().save(Artifacts() + QStringLiteral("/inbox.png"));
    Click(search, CDlgBase::kIdOk);
    ASSERT_EQ(search.Chosen().size(), 1);

    ScriptedImport dialog(m_dir.path(), QString());
    dialog.InitDialog();
    dialog.AddMessages(search.Chosen());
    dialog.AddMessages(search.Chosen());
    ASSERT_EQ(dialog.Entries().size(), 1);
    EXPECT_EQ(dialog.List()->topLevelItem(0)->text(0), QStringLiteral("EMAIL: truck.qorei"));
    EXPECT_EQ(dialog.List()->topLevelItem(0)->text(1), QStringLiteral("*"));

    CDlgSearchInbox broken(m_dir.filePath(QStringLiteral("no maildir")));
    ASSERT_TRUE(ProcessUntil([&] { return broken.IsListed(); }));
    EXPECT_EQ(broken.List()->topLevelItemCount(), 0);
    EXPECT_FALSE(broken.Error().isEmpty());
    bool bShown = false;
    for (const QLabel* label : broken.findChildren<QLabel*>())
        bShown = bShown || label->text() == QStringLiteral("Error while reading inbox");
    EXPECT_TRUE(bShown) << "the failure is said in the dialog";
}

// An inbox that cannot be searched is named with the reason, in the import's box and in the search.
TEST_F(ExportImport, AnInboxThatCannotBeReadIsNamedWithTheReason)
{
    const QString missing = m_dir.filePath(QStringLiteral("Maildir"));
    const QString plain = m_dir.filePath(QStringLiteral("mailbox.txt"));
    Write(plain, "From nobody");
    const QString other = m_dir.filePath(QStringLiteral("Documents"));
    Write(other + QStringLiteral("/letter.txt"), "text");
    const struct
    {
        QString folder;
        quint32 reason;
    } faelle[] = {{QString(), 1461}, {missing, 1462}, {plain, 1463}, {other, 1463}};
    for (const auto& c : faelle) {
        SCOPED_TRACE(c.folder.toStdString());
        MailSettings settings = MailSettings::Load();
        settings.maildirFolder = c.folder;
        settings.Save();
        const QString expected = Text(1460)
                                     .replace(Text(1460).indexOf(QLatin1String("%s")), 2,
                                              c.folder.isEmpty() ? QStringLiteral("./.") : c.folder)
                                     .replace(QLatin1String("%s"), Text(c.reason));
        EXPECT_EQ(CDlgSearchInbox::FolderProblem(c.folder), expected);

        m_boxes.Clear();
        ScriptedImport dialog(m_dir.path(), QString());
        dialog.InitDialog();
        Click(dialog, CDlgImport::kIdInbox);
        ASSERT_EQ(m_boxes.Records().size(), 1);
        EXPECT_EQ(m_boxes.Records()[0].caption, Text(95));
        EXPECT_EQ(m_boxes.Records()[0].text, expected);

        CDlgSearchInbox search(c.folder);
        search.InitDialog();
        ASSERT_TRUE(ProcessUntil([&] { return search.IsListed(); }));
        QStringList shown;
        for (const QLabel* label : search.findChildren<QLabel*>())
            if (!label->isHidden())
                shown << label->text();
        EXPECT_TRUE(shown.contains(Text(1465)));
        EXPECT_TRUE(shown.contains(expected)) << shown.join(QLatin1Char('|')).toStdString();
    }
    // A readable inbox has nothing to report.
    EXPECT_TRUE(CDlgSearchInbox::FolderProblem(QStringLiteral(QOR_MAIL_DATA_DIR "/maildir")).isEmpty());
}

// The inbox's options: every message, those of the last 7 days, 30 days or year, or the unread ones.
TEST_F(ExportImport, TheInboxOptionsNarrowTheListByTimeOrUnread)
{
    const QString maildir = m_dir.filePath(QStringLiteral("maildir"));
    QDir().mkpath(maildir + QStringLiteral("/tmp"));
    const QDateTime now = QDateTime::currentDateTime();
    struct Message
    {
        const char* subject;
        int daysAgo;
        bool unread;
    };
    const Message messages[] = {{"two days", 2, true},
                                {"twenty days", 20, false},
                                {"two hundred days", 200, false},
                                {"two years", 800, true}};
    int n = 0;
    for (const Message& m : messages) {
        const QString date = now.addDays(-m.daysAgo).toString(Qt::RFC2822Date);
        const QByteArray mail =
            "From: anna@example.org\r\nSubject: " + QByteArray(m.subject) + "\r\nDate: " + date.toUtf8() +
            "\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"B\"\r\n\r\n"
            "--B\r\nContent-Type: application/octet-stream; name=\"truck.qorei\"\r\n"
            "Content-Transfer-Encoding: base64\r\n\r\nAQID\r\n--B--\r\n";
        const QString name = QStringLiteral("%1.M%2.host").arg(1700000000 + n).arg(n);
        Write(maildir + (m.unread ? QStringLiteral("/new/") + name
                                  : QStringLiteral("/cur/") + name + QStringLiteral(":2,S")),
              mail);
        ++n;
    }
    CDlgSearchInbox search(maildir);
    search.InitDialog();
    ASSERT_TRUE(ProcessUntil([&] { return search.IsListed(); }));
    struct Case
    {
        int option;
        QStringList subjects;
    };
    const Case cases[] = {
        {CDlgSearchInbox::kIdAll, {"two days", "twenty days", "two hundred days", "two years"}},
        {CDlgSearchInbox::kIdWeek, {"two days"}},
        {CDlgSearchInbox::kIdMonth, {"two days", "twenty days"}},
        {CDlgSearchInbox::kIdYear, {"two days", "twenty days", "two hundred days"}},
        {CDlgSearchInbox::kIdUnread, {"two days", "two years"}},
        {CDlgSearchInbox::kIdAll, {"two days", "twenty days", "two hundred days", "two years"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        // The user's click on the option's radio button.
        auto* radio = Control<QAbstractButton>(search, c.option);
        ASSERT_NE(radio, nullptr);
        radio->click();
        QStringList shown;
        for (int i = 0; i < search.List()->topLevelItemCount(); ++i)
            shown.append(search.List()->topLevelItem(i)->text(2));
        EXPECT_EQ(shown, c.subjects);
    }
}

TEST(ImportFileDialogTest, TouchingTheDataFolder)
{
    const QString d = QStringLiteral("/home/u/.local/share/QOR/");
    struct Case
    {
        const char* path;
        bool touches;
    };
    const Case cases[] = {
        {"/home/u/.local/share/QOR", true},  {"/home/u/.local/share/QOR/vehicles/a.qor", true},
        {"/home/u/.local/share", true},      // a folder above
        {"/home/u/.local/share/QOR2", true}, // the same-prefix sibling counts as inside
        {"/home/u/.local/share/qor", false}, // letter case counts
        {"/home/u/Documents/a.qor", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(CImportFileDlg::TouchesDataFolder(QString::fromUtf8(c.path), d), c.touches);
    }
}

namespace {

class QuietFileDlg : public CImportFileDlg
{
public:
    using CImportFileDlg::CImportFileDlg;
    int trashAsked = 0;

protected:
    bool ConfirmTrash(const QStringList&) override
    {
        ++trashAsked;
        return true;
    }
};

// The in-place name editor of the list, null while no name is edited.
QLineEdit* Editor(CImportFileDlg& dialog)
{
    for (QLineEdit* edit : dialog.List()->viewport()->findChildren<QLineEdit*>())
        if (!edit->isHidden())
            return edit;
    return nullptr;
}

void SelectNames(CImportFileDlg& dialog, const QStringList& names)
{
    QListView* list = dialog.List();
    list->clearSelection();
    for (const QString& name : names) {
        const QModelIndex index = dialog.Model()->index(dialog.Folder() + QLatin1Char('/') + name);
        ASSERT_TRUE(index.isValid()) << name.toStdString();
        list->selectionModel()->select(index, QItemSelectionModel::Select);
        list->setCurrentIndex(index);
        list->selectionModel()->select(index, QItemSelectionModel::Select);
    }
}

} // namespace

TEST_F(ExportImport, TheImportFileDialogKeepsTheDataFolderUnchanged)
{
    const QString root = m_dir.filePath(QStringLiteral("home"));
    const QString data = root + QStringLiteral("/QOR");
    Write(data + QStringLiteral("/keep.qor"), "k");
    Write(root + QStringLiteral("/QOR2/own.qor"), "o");
    Write(root + QStringLiteral("/other/a.qorei"), "a");
    Write(root + QStringLiteral("/other/b.qorei"), "b");
    QuietFileDlg dialog(data);
    dialog.InitDialog();
    dialog.SetFolder(root + QStringLiteral("/other"));
    ASSERT_TRUE(ProcessUntil([&] {
        return dialog.Model()->index(root + QStringLiteral("/other/a.qorei")).isValid() &&
               dialog.Model()->rowCount(dialog.List()->rootIndex()) == 2;
    }));
    QWidget* ok = ControlId::Find(&dialog, CDlgBase::kIdOk);
    EXPECT_FALSE(ok->isEnabled()) << "nothing chosen";
    SelectNames(dialog, {QStringLiteral("a.qorei")});
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(dialog.NameBox()->text(), QStringLiteral("a.qorei"));
    // Typing and pasting into the name box do nothing.
    QTest::keyClicks(dialog.NameBox(), QStringLiteral("xyz"));
    QTest::keyClick(dialog.NameBox(), Qt::Key_Backspace);
    QTest::keyClick(dialog.NameBox(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(dialog.NameBox()->text(), QStringLiteral("a.qorei"));
    dialog.List()->clearSelection();
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_TRUE(dialog.NameBox()->text().isEmpty()) << "the name box empties with the last file";

    // Outside the data folder: Delete moves to the trash after the question.
    SelectNames(dialog, {QStringLiteral("b.qorei")});
    QTest::keyClick(dialog.List(), Qt::Key_Delete);
    EXPECT_EQ(dialog.trashAsked, 1);
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("/other/b.qorei")));

    // In the folder above the data folder: the data folder and its sibling of the same prefix are held.
    dialog.SetFolder(root);
    ASSERT_TRUE(ProcessUntil([&] { return dialog.Model()->rowCount(dialog.List()->rootIndex()) >= 3; }))
        << dialog.Model()->rowCount(dialog.List()->rootIndex());
    for (const QString& name : {QStringLiteral("QOR"), QStringLiteral("QOR2")}) {
        SCOPED_TRACE(name.toStdString());
        SelectNames(dialog, {name});
        EXPECT_TRUE(dialog.SelectionTouchesDataFolder());
        EXPECT_FALSE(ok->isEnabled()) << "a folder is no file";
        QTest::keyClick(dialog.List(), Qt::Key_Delete);
        QTest::keyClick(dialog.List(), Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(dialog.List(), Qt::Key_F2);
        EXPECT_EQ(Editor(dialog), nullptr) << "no renaming";
        EXPECT_FALSE(dialog.List()->dragEnabled());
        EXPECT_EQ(dialog.trashAsked, 1);
    }
    EXPECT_TRUE(QFileInfo::exists(data + QStringLiteral("/keep.qor")));
    SelectNames(dialog, {QStringLiteral("other")});
    EXPECT_FALSE(dialog.SelectionTouchesDataFolder());
    EXPECT_TRUE(dialog.List()->dragEnabled());
    QTest::keyClick(dialog.List(), Qt::Key_F2);
    EXPECT_NE(Editor(dialog), nullptr) << "renaming outside works";
    dialog.grab().save(Artifacts() + QStringLiteral("/import_files.png"));
}

TEST_F(ExportImport, TheImportFileDialogChecksTheItemActedOnAndFollowsLinks)
{
    const QString root = m_dir.filePath(QStringLiteral("home"));
    const QString data = root + QStringLiteral("/QOR");
    Write(data + QStringLiteral("/keep.qor"), "k");
    Write(root + QStringLiteral("/other/a.qorei"), "a");
    ASSERT_TRUE(QFile::link(data, root + QStringLiteral("/shortcut")));
    QuietFileDlg dialog(data);
    dialog.InitDialog();
    const auto show = [&](const QString& folder, int rows) {
        dialog.SetFolder(folder);
        return ProcessUntil([&] { return dialog.Model()->rowCount(dialog.List()->rootIndex()) >= rows; });
    };

    // F2 renames the current item even when another one is selected.
    ASSERT_TRUE(show(root, 3));
    SelectNames(dialog, {QStringLiteral("other")});
    const QModelIndex held = dialog.Model()->index(data);
    dialog.List()->selectionModel()->setCurrentIndex(held, QItemSelectionModel::NoUpdate);
    ASSERT_EQ(dialog.List()->currentIndex(), held);
    ASSERT_FALSE(dialog.SelectionTouchesDataFolder());
    QTest::keyClick(dialog.List(), Qt::Key_F2);
    EXPECT_EQ(Editor(dialog), nullptr) << "the data folder, current but not selected, is not renamed";

    // A link to the data folder, and the data folder's content reached through it, are held like it.
    SelectNames(dialog, {QStringLiteral("shortcut")});
    EXPECT_TRUE(dialog.SelectionTouchesDataFolder());
    QTest::keyClick(dialog.List(), Qt::Key_F2);
    EXPECT_EQ(Editor(dialog), nullptr);
    ASSERT_TRUE(show(root + QStringLiteral("/shortcut"), 1));
    SelectNames(dialog, {QStringLiteral("keep.qor")});
    EXPECT_TRUE(dialog.SelectionTouchesDataFolder());
    QTest::keyClick(dialog.List(), Qt::Key_Delete);
    QTest::keyClick(dialog.List(), Qt::Key_F2);
    EXPECT_EQ(Editor(dialog), nullptr);
    EXPECT_EQ(dialog.trashAsked, 0);
    EXPECT_TRUE(QFileInfo::exists(data + QStringLiteral("/keep.qor")));
}
