// Reads the contacts of vCard files.
#include "platform/mail/VCardReader.h"

#include "platform/RegularFile.h"
#include "platform/mail/MailAddress.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString Unescape(const QString& v)
{
    QString out;
    for (qsizetype i = 0; i < v.size(); ++i) {
        if (v[i] == u'\\' && i + 1 < v.size()) {
            const QChar n = v[++i];
            out += (n == u'n' || n == u'N') ? QChar(u'\n') : n;
        } else {
            out += v[i];
        }
    }
    return out;
}

} // namespace

void VCardReader::Parse(const QByteArray& text, QVector<MailContact>& contacts)
{
    // Unfold: a line break followed by one space or tab continues the line.
    QByteArray unfolded = text;
    unfolded.replace("\r\n", "\n");
    unfolded.replace("\n ", "");
    unfolded.replace("\n\t", "");
    bool inCard = false;
    QString name;
    QStringList emails;
    for (const QByteArray& raw : unfolded.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        const qsizetype colon = line.indexOf(u':');
        if (colon <= 0)
            continue;
        QString key = line.left(colon).section(u';', 0, 0).toUpper();
        key = key.section(u'.', -1); // a group prefix such as "item1."
        const QString value = line.mid(colon + 1);
        if (key == u"BEGIN" && value.compare(u"VCARD", Qt::CaseInsensitive) == 0) {
            inCard = true;
            name.clear();
            emails.clear();
        } else if (!inCard) {
            continue;
        } else if (key == u"FN") {
            name = Unescape(value).trimmed();
        } else if (key == u"EMAIL") {
            // Only an address the recipient fields take: anything else would be refused there anyway.
            const QString email = Unescape(value).trimmed().remove(QLatin1String("mailto:"));
            if (MailAddress::IsValid(email))
                emails.append(email);
        } else if (key == u"END") {
            for (const QString& e : emails)
                contacts.append({name.isEmpty() ? e : name, e});
            inCard = false;
        }
    }
}

bool VCardReader::Read(const QString& path, QVector<MailContact>& contacts, QString* error)
{
    contacts.clear();
    QStringList files;
    const QFileInfo info(path);
    if (info.isDir()) {
        for (const QFileInfo& f : QDir(path).entryInfoList(
                 {QStringLiteral("*.vcf"), QStringLiteral("*.vcard")}, QDir::Files, QDir::Name))
            files.append(f.filePath());
    } else {
        files.append(path);
    }
    for (const QString& f : files) {
        QByteArray bytes;
        QString why;
        if (!ReadRegularFile(f, kGroessteDatei, &bytes, &why)) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(f, why);
            return false;
        }
        Parse(bytes, contacts);
    }
    std::stable_sort(contacts.begin(), contacts.end(), [](const MailContact& a, const MailContact& b) {
        const int c = a.name.compare(b.name, Qt::CaseInsensitive);
        if (c != 0)
            return c < 0;
        return a.email.compare(b.email, Qt::CaseInsensitive) < 0;
    });
    return true;
}
