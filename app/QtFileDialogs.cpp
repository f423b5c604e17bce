// The stand-in open and save-name dialogs on Qt's file dialog.
#include "app/QtFileDialogs.h"

#include "model/text/TextProvider.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

QString Text(quint32 id)
{
    return QString::fromStdString(LoadResString(id));
}

} // namespace

void QtFileDialogs::Install(DocumentServices& services, const QString& userRoot)
{
    const QString root = QDir(userRoot).absolutePath() + QLatin1Char('/');
    services.open = [root](QWidget* parent, DocumentServices::OpenChoice& choice) {
        const QString path =
            QFileDialog::getOpenFileName(parent, Text(61010), root + QStringLiteral("vehicles"), Text(61008));
        if (path.isEmpty())
            return false;
        choice.path = path;
        choice.bSingle = false;
        choice.bPartner = false;
        return true;
    };
    services.askSaveName = [root](QWidget* parent, bool bKombination, const QString& preset, QString& folder,
                                  QString& name) {
        const QString ext = bKombination ? QStringLiteral(".kmb") : QStringLiteral(".qor");
        const QString dir = bKombination ? root + QStringLiteral("combinations/") + Text(640)
                                         : root + QStringLiteral("vehicles/") + Text(229);
        QDir().mkpath(dir);
        QFileDialog dialog(parent, Text(61011), dir + QLatin1Char('/') + preset + ext,
                           (bKombination ? Text(61012) : Text(61013)));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(ext.mid(1));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        const QFileInfo info(dialog.selectedFiles().first());
        folder = info.absolutePath() + QLatin1Char('/');
        name = info.completeBaseName();
        return !name.isEmpty();
    };
}
