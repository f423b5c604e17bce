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
    // The contacts of `path`: a .vcf file or a folder whose .vcf files are read; sorted by name (case
    // ignored), then address. Cards without an address give no row. False with `error` when the path
    // cannot be read.
    static bool Read(const QString& path, QVector<MailContact>& contacts, QString* error = nullptr);

    // The cards of one vCard text, appended unsorted.
    static void Parse(const QByteArray& text, QVector<MailContact>& contacts);
};
