// The one check of a plain mail address.
#include "platform/mail/MailAddress.h"

#include <QRegularExpression>

namespace MailAddress {

bool IsValid(const QString& text)
{
    // \A and \z: the whole text, where "$" would also match before a closing line break.
    static const QRegularExpression address(
        QStringLiteral(R"(\A[a-zA-Z0-9_.+-]+@[a-zA-Z0-9-]+\.[a-zA-Z0-9.-]+\z)"));
    return address.match(text).hasMatch();
}

} // namespace MailAddress
