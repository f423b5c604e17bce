// The one check of a plain mail address, for the recipient fields and the address book alike.
#pragma once

#include <QString>

namespace MailAddress {

// True when `text` as a whole is a plain address: letters, digits and "_.+-" before the "@", then a domain
// of letters, digits and "-", a dot, and letters, digits, dots and "-". Nothing else passes: no blank, no
// quote or angle bracket, no second "@", no character outside ASCII, no line break of any kind.
bool IsValid(const QString& text);

} // namespace MailAddress
