// Per-user catalogue folders in a temporary place, filled with copies of the sample vehicles and
// combinations written by the model's writer, and the catalogue pictures of the language module.
#pragma once

#include "catalogue/VehicleFolders.h"
#include "ui/ImageList.h"

#include "../ui/UiTestModule.h"

#include <QString>
#include <QTemporaryDir>

class CFileTreeCtrl;
class QTreeWidgetItem;

class VehicleCatalogueSandbox
{
public:
    VehicleCatalogueSandbox();
    ~VehicleCatalogueSandbox();

    // The sample file of a vehicle kind 0..5 ("LKW", "GDA", "SDA", "SAH", "SZM", "KEP").
    static QString SampleOfKind(int kind);
    // Copies the sample of `kind` to `folder`/`name`; answers the path.
    QString CopyVehicle(int kind, const QString& folder, const QString& name) const;
    // Writes a combination of the samples of two kinds to `path` with the model's writer.
    bool WriteKombination(int zugKind, int anhKind, const QString& path) const;
    // A file of `bytes` at `path` (a damaged vehicle file).
    static void WriteBytes(const QString& path, const QByteArray& bytes);

    // The item of a path, filling folders on the way; null when the tree has none. The selection
    // stays where it was.
    static QTreeWidgetItem* ItemOf(CFileTreeCtrl& tree, const QString& path);

    const VehicleFolders& Folders() const { return m_folders; }
    QString Root() const { return m_dir.path(); }
    // The first catalogue index of the pictures installed for the trees.
    int First() const { return 0; }
    const ImageList& Images() const { return m_images; }

private:
    ScopedDialogTemplateModule m_module;
    QTemporaryDir m_dir;
    VehicleFolders m_folders;
    ImageList m_images{QSize(16, 16)};
};
