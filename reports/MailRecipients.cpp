// The recipients field of a mail: parts separated by ";", each a plain mail address.
#include "reports/MailRecipients.h"

#include "platform/mail/MailAddress.h"
#include "platform/mail/MimeWriter.h"

namespace MailRecipients {

QStringList Split(const QString& text)
{
    QStringList parts;
    for (const QString& part : text.split(QLatin1Char(';'))) {
        qsizetype begin = 0;
        qsizetype end = part.size();
        auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
        while (begin < end && blank(part.at(begin)))
            ++begin;
        while (end > begin && blank(part.at(end - 1)))
            --end;
        if (end > begin)
            parts.append(part.mid(begin, end - begin));
    }
    return parts;
}

bool Validate(const QString& text)
{
    // A control character (a line break above all) would end the header or the mail command that the
    // address goes into (the blanks around a part are not part of it).
    for (const QString& part : Split(text))
        if (MimeWriter::HasControlCharacter(part) || !MailAddress::IsValid(part))
            return false;
    return true;
}

} // namespace MailRecipients
