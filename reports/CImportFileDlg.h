// The file-open dialog of the import: files chosen only by selecting them, OK only while a file is
// selected, and nothing in the per-user data folder (or a folder above it) changed from inside it.
#pragma once

#include "ui/CDlgBase.h"

#include <QStringList>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QListView;
class QModelIndex;

class CImportFileDlg : public CDlgBase
{
    Q_OBJECT

public:
    // `dataFolder` is the per-user data folder; a trailing "/" is added when missing.
    CImportFileDlg(const QString& dataFolder, QWidget* parent = nullptr);
    ~CImportFileDlg() override;

    // Whether `path` is the data folder `dataFolder` (ending in "/"), lies inside it, or is a folder
    // above it: plain text comparisons, letter case counting.
    static bool TouchesDataFolder(const QString& path, const QString& dataFolder);

    // Shows `folder` in the list.
    void SetFolder(const QString& folder);
    QString Folder() const { return m_strFolder; }
    // The full paths of the chosen files, after OK.
    QStringList Files() const { return m_files; }

    QListView* List() const { return m_list; }
    QLineEdit* NameBox() const { return m_name; }
    QFileSystemModel* Model() const { return m_model; }
    // Whether a selected item touches the data folder.
    bool SelectionTouchesDataFolder() const;
    // Whether the item at `path` touches the data folder, as the list shows it or reached through links.
    bool ItemTouchesDataFolder(const QString& path) const;
    int FileCount() const { return m_nFileCount; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void OnOK() override;
    // Asks before moving a file to the trash; true for yes.
    virtual bool ConfirmTrash(const QStringList& paths);

private:
    void UpdateOkButton();
    QStringList SelectedPaths() const;
    void ApplyFilter(int index);
    void TrashSelection();
    void RenameCurrent();

    QString m_strDataFolder;
    QString m_strFolder;
    QFileSystemModel* m_model = nullptr;
    QListView* m_list = nullptr;
    QLineEdit* m_path = nullptr;
    QLineEdit* m_name = nullptr;
    QComboBox* m_filter = nullptr;
    QWidget* m_ok = nullptr;
    QStringList m_filterPatterns;
    QStringList m_files;
    int m_nFileCount = 0;
};
