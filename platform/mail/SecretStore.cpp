// The desktop's secret store for the mail password, through QtKeychain.
#include "platform/mail/SecretStore.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <QTimer>

namespace {

const QString kService = QStringLiteral("Korvelandt QOR mail");
// A store that does not answer in this time counts as missing; the window keeps running meanwhile.
constexpr int kWarteMs = 10000;

// Runs `job` to its end inside a local event loop; answers its error (OtherError on a time-out).
QKeychain::Error Run(QKeychain::Job& job)
{
    job.setAutoDelete(false);
    // Never the plain-text file QtKeychain could fall back to.
    job.setInsecureFallback(false);
    QEventLoop loop;
    bool done = false;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, [&] {
        done = true;
        loop.quit();
    });
    QTimer::singleShot(kWarteMs, &loop, &QEventLoop::quit);
    job.start();
    if (!done)
        loop.exec();
    return done ? job.error() : QKeychain::OtherError;
}

bool Answered(QKeychain::Error error)
{
    return error == QKeychain::NoError || error == QKeychain::EntryNotFound;
}

} // namespace

QString SecretStore::Read(const QString& key, bool* pAvailable)
{
    QKeychain::ReadPasswordJob job(kService);
    job.setKey(key);
    const QKeychain::Error error = Run(job);
    if (pAvailable)
        *pAvailable = Answered(error);
    return error == QKeychain::NoError ? job.textData() : QString();
}

bool SecretStore::Write(const QString& key, const QString& password)
{
    QKeychain::WritePasswordJob job(kService);
    job.setKey(key);
    job.setTextData(password);
    return Run(job) == QKeychain::NoError;
}

bool SecretStore::Remove(const QString& key)
{
    QKeychain::DeletePasswordJob job(kService);
    job.setKey(key);
    return Answered(Run(job));
}

bool SecretStore::IsAvailable()
{
    bool available = false;
    Read(QStringLiteral("availability check"), &available);
    return available;
}
