// The folder picker on QFileDialog, with special folders mapped to the system's standard places.
#include "ui/BrowseForFolder.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace {

QString RealPicker(QWidget* owner, const QString& title, const QString& startFolder, bool)
{
    // Qt's own folder dialog, a child of the owner's window and placed over it as the program's other
    // dialogs are; a desktop's native one may open anywhere on the screen. Qt's always offers a name
    // field, so the edit flag asks for nothing more.
    QFileDialog dialog(owner, title, startFolder);
    dialog.setObjectName(QStringLiteral("FolderPicker"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks |
                      QFileDialog::DontUseNativeDialog);
    if (owner) {
        // Centred over the owner's window in so many words: a window manager may otherwise place it.
        const QSize size = dialog.size().expandedTo(dialog.sizeHint());
        const QRect window = owner->window()->frameGeometry();
        dialog.setGeometry(QRect(window.center() - QPoint(size.width() / 2, size.height() / 2), size));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

FolderPickerFunction& Picker()
{
    static FolderPickerFunction picker = RealPicker;
    return picker;
}

} // namespace

QString SpecialFolderPath(int specialId)
{
    QStandardPaths::StandardLocation location;
    switch (specialId) {
    case FolderStart::kDesktop:
    case FolderStart::kDesktopFolder:
        location = QStandardPaths::DesktopLocation;
        break;
    case FolderStart::kDocuments:
        location = QStandardPaths::DocumentsLocation;
        break;
    case FolderStart::kMusic:
        location = QStandardPaths::MusicLocation;
        break;
    case FolderStart::kVideos:
        location = QStandardPaths::MoviesLocation;
        break;
    case FolderStart::kAppData:
        location = QStandardPaths::GenericDataLocation;
        break;
    case FolderStart::kLocalAppData:
        location = QStandardPaths::GenericConfigLocation;
        break;
    case FolderStart::kPictures:
        location = QStandardPaths::PicturesLocation;
        break;
    case FolderStart::kProfile:
        location = QStandardPaths::HomeLocation;
        break;
    default:
        return QString();
    }
    return QStandardPaths::writableLocation(location);
}

QString ResolveStartFolder(const FolderStart& start, int rootId)
{
    QString folder = start.specialId != FolderStart::kNone ? SpecialFolderPath(start.specialId) : start.path;
    if (folder.isEmpty() && rootId != FolderStart::kNone)
        folder = SpecialFolderPath(rootId);
    if (folder.isEmpty())
        folder = QDir::currentPath();
    return folder;
}

QString BrowseForFolder(QWidget* owner, const FolderStart& start, int rootId, const QString& title,
                        bool withEdit)
{
    const QString chosen = Picker()(owner, title, ResolveStartFolder(start, rootId), withEdit);
    return chosen.isEmpty() ? QString() : QDir::toNativeSeparators(QDir::cleanPath(chosen));
}

FolderPickerFunction SetFolderPicker(FolderPickerFunction picker)
{
    FolderPickerFunction before = Picker();
    Picker() = picker ? std::move(picker) : FolderPickerFunction(RealPicker);
    return before;
}
