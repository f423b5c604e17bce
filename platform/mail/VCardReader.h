// Reads the contacts of vCard files (versions 3 and 4): one row per e-mail address of a card.
#pragma once

#include <QString>
#include <QVector>

struct MailContact
{
    QString name; // FN, else the address
    QString email;
};

class VCardReader
{
public:
    // The longest vCard file read (an address book of some ten thousand cards).
    static constexpr qint64 kGroessteDatei = qint64{16} << 20;

    // The contacts of `path`: a .vcf file or a folder whose .vcf files are read; sorted by name (case
    // ignored), then address. Cards without an address give no row. False with `error` when the path
    // cannot be read (a file that is not a regular file, or is longer than kGroessteDatei, cannot). An
    // address that is not a plain mail address (MailAddress::IsValid) gives no row.
    static bool Read(const QString& path, QVector<MailContact>& contacts, QString* error = nullptr);

    // The cards of one vCard text, appended unsorted.
    static void Parse(const QByteArray& text, QVector<MailContact>& contacts);
};
