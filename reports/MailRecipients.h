// The recipients field of a mail: parts separated by ";", each a plain mail address.
#pragma once

#include <QString>
#include <QStringList>

namespace MailRecipients {

// The parts of the text split at ";", trimmed of blanks and tabs, empty parts left out.
QStringList Split(const QString& text);
// True when every part is a plain mail address (MailAddress::IsValid); a text without parts is valid.
bool Validate(const QString& text);

} // namespace MailRecipients

// The check of the export dialog's recipient fields.
inline bool ValidateMailRecipients(const QString& text)
{
    return MailRecipients::Validate(text);
}
