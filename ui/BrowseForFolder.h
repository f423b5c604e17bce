// Lets the user pick a folder, opened at a start folder.
#pragma once

#include <QString>

#include <functional>

class QWidget;

// Where the picker opens: a path, or one of the special folders below (as the program's callers
// name them); kNone for neither.
struct FolderStart
{
    static constexpr int kNone = -1;
    static constexpr int kDesktop = 0x0000;
    static constexpr int kDocuments = 0x0005;
    static constexpr int kMusic = 0x000D;
    static constexpr int kVideos = 0x000E;
    static constexpr int kDesktopFolder = 0x0010;
    static constexpr int kAppData = 0x001A;
    static constexpr int kLocalAppData = 0x001C;
    static constexpr int kPictures = 0x0027;
    static constexpr int kProfile = 0x0028;

    QString path;
    int specialId = kNone;
};

// The dialog that asks: owner, title, start folder, whether a name field is wanted; answers the
// chosen folder or an empty text when the user cancels. Tests replace it.
using FolderPickerFunction =
    std::function<QString(QWidget* owner, const QString& title, const QString& startFolder, bool withEdit)>;

// The folder of a special-folder id on this system; empty for an unknown id.
QString SpecialFolderPath(int specialId);

// The folder the picker opens at: the start path, or the special folder, else the root folder's
// path, else the current folder.
QString ResolveStartFolder(const FolderStart& start, int rootId);

// Opens the picker (folders only) and answers the chosen folder's path; empty when cancelled.
QString BrowseForFolder(QWidget* owner, const FolderStart& start, int rootId, const QString& title,
                        bool withEdit);

// Replaces the picker dialog (null puts back the real one); answers the one used before.
FolderPickerFunction SetFolderPicker(FolderPickerFunction picker);
