// Cost of listing a Maildir folder of 5,000 messages, each with a text part and one attachment.
#include "platform/mail/MaildirReader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <benchmark/benchmark.h>

static void BM_ListMaildir5000(benchmark::State& state)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("cur"));
    QDir(dir.path()).mkpath(QStringLiteral("new"));
    const QByteArray attachment = QByteArray(30000, 'x').toBase64();
    QByteArray folded;
    for (qsizetype i = 0; i < attachment.size(); i += 76)
        folded += attachment.mid(i, 76) + "\r\n";
    const QDateTime base(QDate(2026, 1, 1), QTime(0, 0), QTimeZone::utc());
    for (int i = 0; i < 5000; ++i) {
        QFile f(dir.filePath(
            QStringLiteral("%1/m%2%3").arg(i % 5 ? "cur" : "new").arg(i).arg(i % 5 ? ":2,S" : "")));
        f.open(QIODevice::WriteOnly);
        f.write(
            "Received: from mx by mail; " + base.addSecs(i * 37).toString(Qt::RFC2822Date).toLatin1() +
            "\r\nFrom: \"Sender " + QByteArray::number(i) + "\" <s@example.com>\r\nSubject: =?UTF-8?B?" +
            QByteArray("Plan für Tour ").toBase64() +
            "?=\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\n"
            "Content-Type: text/plain\r\n\r\nSee the plan.\r\n--b\r\nContent-Type: application/octet-stream; "
            "name=\"plan" +
            QByteArray::number(i) + ".qorei\"\r\nContent-Transfer-Encoding: base64\r\n\r\n" + folded +
            "--b--\r\n");
    }
    for (auto _ : state) {
        QVector<InboxMessage> list;
        MaildirReader::List(dir.path(), list);
        benchmark::DoNotOptimize(list.size());
    }
}
BENCHMARK(BM_ListMaildir5000)->Unit(benchmark::kMillisecond);
