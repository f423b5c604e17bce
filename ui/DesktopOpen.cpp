// Showing a file or folder with the desktop's program for it, a failure said in a message box.
#include "ui/DesktopOpen.h"

#include "model/text/TextProvider.h"
#include "platform/DesktopOpener.h"
#include "platform/mail/MailTexts.h"
#include "ui/IMessageBoxService.h"

#include <QDir>
#include <QPointer>
#include <QWidget>

void OpenOnDesktop(QWidget* owner, const QString& path, const QString& program)
{
    const QPointer<QWidget> guard(owner);
    DesktopOpener::Open(
        path,
        [guard, path](const QString& reason) {
            const QString text =
                MailText(1742, "%1 could not be opened.\n\n%2").arg(QDir::toNativeSeparators(path), reason);
            MessageBoxes().Show(guard.data(), MailText(273, "QOR Load Planning"), text,
                                IMessageBoxService::Icon::Warning, IMessageBoxService::Buttons::Ok);
        },
        program);
}
