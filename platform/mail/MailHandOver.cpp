// Hands a mail to the desktop mail client through xdg-email.
#include "platform/mail/MailHandOver.h"
#include "platform/mail/MailTexts.h"

MailHandOver::MailHandOver(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<MailResult>();
}

MailHandOver::~MailHandOver()
{
    if (m_process) {
        m_process->disconnect(this);
        // xdg-email ends once the client has the mail; the client itself is not ours to stop.
        m_process->waitForFinished(0);
    }
}

QStringList MailHandOver::Arguments(const MailMessage& message)
{
    QStringList args;
    args << QStringLiteral("--utf8");
    if (!message.subject.isEmpty())
        args << QStringLiteral("--subject") << message.subject;
    if (!message.text.isEmpty())
        args << QStringLiteral("--body") << message.text;
    for (const QString& cc : message.cc)
        args << QStringLiteral("--cc") << cc.trimmed();
    for (const MailAttachment& a : message.attachments)
        args << QStringLiteral("--attach") << a.path;
    for (const QString& to : message.to)
        args << to.trimmed();
    return args;
}

void MailHandOver::Start(const MailMessage& message, const QString& program)
{
    if (m_process) {
        m_process->disconnect(this);
        m_process->deleteLater();
    }
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcess* process = m_process;
    connect(process, &QProcess::finished, this,
            [this, process, program](int code, QProcess::ExitStatus status) {
                process->deleteLater();
                m_process = nullptr;
                if (status == QProcess::NormalExit && code == 0)
                    emit finished({MailResult::Outcome::HandedOver, {}});
                else
                    emit finished(
                        {MailResult::Outcome::Failed,
                         MailText(1700,
                                  "The desktop mail client could not take the mail (%1 ended with code %2).")
                             .arg(program)
                             .arg(code)});
            });
    connect(process, &QProcess::errorOccurred, this, [this, process, program](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        process->deleteLater();
        m_process = nullptr;
        emit finished({MailResult::Outcome::Failed,
                       MailText(1701, "%1 could not be started: %2").arg(program, process->errorString())});
    });
    process->start(program, Arguments(message));
}
