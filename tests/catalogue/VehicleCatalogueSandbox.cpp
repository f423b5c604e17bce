// Per-user catalogue folders in a temporary place, filled with copies of the sample vehicles and
// combinations written by the model's writer, and the catalogue pictures of the language module.
#include "VehicleCatalogueSandbox.h"

#include "catalogue/CFileTreeCtrl.h"
#include "catalogue/CatalogueImages.h"
#include "model/base/LockedFile.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/files/VehicleFiles.h"
#include "model/vehicle/CFahrzeug.h"

#include <QDir>
#include <QFile>

#include <memory>

VehicleCatalogueSandbox::VehicleCatalogueSandbox() : m_module(UiTestModule())
{
    m_folders = VehicleFolders::Below(m_dir.path());
    for (const QString& folder : {m_folders.vehicles + QStringLiteral("/My vehicles"),
                                  m_folders.combinations + QStringLiteral("/My combinations"),
                                  m_folders.sampleVehicleRoot, m_folders.loadUnits})
        QDir().mkpath(folder);
    // The pictures in the order start-up adds them.
    const int ids[] = {133, 136, 134, 135, 341, 510, 176, 177, 178, 179, 342, 511,
                       550, 551, 552, 553, 276, 278, 235, 325, 236, 237, 256};
    const ResourceModule* module = UiTestModule();
    const QImage mask = module->Bitmap(548);
    for (int id : ids) {
        const QImage bitmap = module->Bitmap(quint32(id));
        AddBitmapToImageList(m_images, &bitmap, &mask);
    }
    CatalogueImages::Set(&m_images, 0);
}

VehicleCatalogueSandbox::~VehicleCatalogueSandbox()
{
    CatalogueImages::Set(nullptr, 0);
}

QString VehicleCatalogueSandbox::SampleOfKind(int kind)
{
    static const char* const names[] = {"LKW", "GDA", "SDA", "SAH", "SZM", "KEP"};
    return QStringLiteral(QOR_SAMPLES_DIR "/Vehicles/%1.qor").arg(QLatin1String(names[kind]));
}

QString VehicleCatalogueSandbox::CopyVehicle(int kind, const QString& folder, const QString& name) const
{
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name;
    QFile::remove(path);
    QFile::copy(SampleOfKind(kind), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

bool VehicleCatalogueSandbox::WriteKombination(int zugKind, int anhKind, const QString& path) const
{
    std::unique_ptr<LockedFile> file;
    int wert = 0;
    auto zug = LoadFahrzeugFromFile(SampleOfKind(zugKind).toStdString(), 0, &file, &wert, false, nullptr);
    file.reset();
    auto anh = LoadFahrzeugFromFile(SampleOfKind(anhKind).toStdString(), 0, &file, &wert, false, nullptr);
    file.reset();
    if (!zug || !anh)
        return false;
    const QFileInfo target(path);
    QDir().mkpath(target.absolutePath());
    int index = -1;
    if (!WriteFahrzeugToFile(zug.get(), target.absolutePath().toStdString(), &index,
                             target.fileName().toStdString(), &file, 0, "Zug"))
        return false;
    index = -1;
    return WriteFahrzeugToFile(anh.get(), std::filesystem::path(), &index, "", &file, 2, "Anhänger");
}

void VehicleCatalogueSandbox::WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QTreeWidgetItem* VehicleCatalogueSandbox::ItemOf(CFileTreeCtrl& tree, const QString& path)
{
    QTreeWidgetItem* before = tree.currentItem();
    QTreeWidgetItem* item = tree.SelectPath(path);
    if (before && item != before)
        tree.setCurrentItem(before);
    return item;
}
