// The application object's start-up: settings, language, main frame, folders, lock, samples, pictures
// and the OpenGL probe, in that order.
#include "app/CQOR2App.h"

#include "app/CatalogueServices.h"
#include "app/ProgramFileDialogs.h"
#include "catalogue/CPlanEditDialogs.h"
#include "catalogue/CatalogueImages.h"

#include "app/CMainFrame.h"
#include "app/FrameLoop.h"
#include "catalogue/CLaderampe3.h"
#include "catalogue/CRampenDialogs.h"
#include "catalogue/ProgramCatalogue.h"
#include "loadsecuring/CDlgEditLgsFsmExt.h"
#include "loadsecuring/LgsFsmEditors.h"
#include "model/base/FileHelpers.h"
#include "model/base/FolderHelpers.h"
#include "model/base/LockedFileLeftovers.h"
#include "model/base/ProgramFolders.h"
#include "model/files/CatalogueUpkeep.h"
#include "model/files/SIMPEXP_FZG.h"
#include "model/files/VehicleFiles.h"
#include "model/files/tagItemData.h"
#include "model/text/TextFormat.h"
#include "platform/RegularFile.h"
#include "platform/ResourceModule.h"
#include "platform/SystemInfo.h"
#include "platform/ToolkitTranslation.h"
#include "platform/UserFileCheck.h"
#include "ui/IMessageBoxService.h"
#include "ui/Render3DServices.h"
#include "view3d/Settings3DRecord.h"
#include "views/CTTFrameAnimation.h"
#include "views/IPlanDialogs.h"
#include "views/IViewShell.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSettings>
#include <QTextStream>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// The samples of the program folder, the string id of each copy's name and of a load unit's remark.
struct SampleCopy
{
    const char* source; // below the program folder's "Samples/"
    quint32 nameId;
    bool vehicle;
    quint32 remarkId = 0;
};

constexpr SampleCopy kSamples[] = {
    {"Vehicles/LKW.qor", 260, true},          {"Vehicles/SZM.qor", 268, true},
    {"Vehicles/KEP.qor", 278, true},          {"Vehicles/SAH.qor", 281, true},
    {"Vehicles/GDA.qor", 283, true},          {"Vehicles/SDA.qor", 285, true},
    {"Load units/EP.lgs", 287, false, 61032}, {"Load units/IP.lgs", 288, false, 61033},
    {"Load units/GB.lgs", 289, false, 61034},
};

// A sample load unit's copy carries the remark in the language of the run (the program folder's file
// has the English one).
void SetzeBemerkung(const fs::path& file, quint32 remarkId)
{
    const std::string remark = remarkId != 0 ? LoadResString(remarkId) : std::string();
    tagItemData item;
    if (remark.empty() || !LoadItemDataFile(file, item) || item.m_strText == remark)
        return;
    item.m_strText = remark;
    if (!SaveItemDataFile(file, item))
        QTextStream(stderr) << "The sample " << QString::fromStdString(file.string())
                            << " keeps its remark: it cannot be written." << Qt::endl;
}

// The catalogue pictures in the order of their indices (vehicle kinds, the same in use, combinations,
// folders, load-unit kinds).
constexpr int kCatalogueBitmaps[] = {133, 136, 134, 135, 341, 510, 176, 177, 178, 179, 342, 511,
                                     550, 551, 552, 553, 276, 278, 235, 325, 236, 237, 256};
constexpr int kCatalogueMask = 548;

QString Text(quint32 id)
{
    return QString::fromStdString(LoadResString(id));
}

// A text usable as one folder name.
bool IsFolderName(const QString& name)
{
    return !name.trimmed().isEmpty() && !name.contains(QLatin1Char('/')) && name != QLatin1String(".") &&
           name != QLatin1String("..");
}

// Tells the user of files that were not usable: one set aside goes on with a note (once the language
// module is loaded: `module`), one that could not be moved ends the start with a message, in the
// built-in English text before the module is there.
bool ReportSetAsideFiles(const QList<SetAsideFile>& files, bool module, QWidget* parent, QString* startError)
{
    for (const SetAsideFile& file : files) {
        if (file.movedTo.isEmpty()) {
            const QString caption = module ? Text(187) : QCoreApplication::applicationName();
            *startError = QString::fromStdString(FormatResChecked(61972, {file.path.toStdString()}));
            QTextStream(stderr) << *startError << Qt::endl;
            MessageBoxes().Show(parent, caption, *startError, IMessageBoxService::Icon::Error,
                                IMessageBoxService::Buttons::Ok);
            return false;
        }
        if (module)
            MessageBoxes().Show(parent, Text(273),
                                QString::fromStdString(FormatResChecked(
                                    61971, {file.path.toStdString(), file.movedTo.toStdString()})),
                                IMessageBoxService::Icon::Warning, IMessageBoxService::Buttons::Ok);
    }
    return true;
}

// Removes the hidden new files that saves of processes killed before their end left in the user's
// folders (links are not followed) and beside the files used last.
void RemoveStaleSaveCopies(const QString& userRoot, const QStringList& recentFiles)
{
    const fs::path root(userRoot.toStdString());
    std::vector<fs::path> folders{root};
    WalkDirectory(
        root,
        [&folders](const fs::path& path) {
            std::error_code ec;
            if (fs::is_directory(fs::symlink_status(path, ec)))
                folders.push_back(path);
            return true;
        },
        true, true);
    for (const QString& file : recentFiles)
        folders.push_back(fs::path(file.toStdString()).parent_path());
    for (const fs::path& folder : folders)
        RemoveStaleNewFiles(folder);
}

} // namespace

bool CQOR2App::FailWithMessage(int captionId, const QString& text)
{
    m_startError = text;
    MessageBoxes().Show(m_frame.get(), Text(static_cast<quint32>(captionId)), text,
                        IMessageBoxService::Icon::Error, IMessageBoxService::Buttons::Ok);
    return false;
}

bool CQOR2App::InitInstance()
{
    m_programFolder =
        m_options.programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_options.programFolder;
    if (!m_programFolder.endsWith(QLatin1Char('/')))
        m_programFolder += QLatin1Char('/');

    // Qt reads the settings files as soon as the first settings object is made, before any check of
    // ours: what could block the start there, fill the memory or be written through goes aside first.
    const QList<SetAsideFile> setAside = SetAsideUnusableSettingsFiles();
    if (!ReportSetAsideFiles(setAside, false, nullptr, &m_startError) || !ChooseLanguage() ||
        !LoadLanguageModule())
        return false;
    ReportSetAsideFiles(setAside, true, nullptr, &m_startError);

    if (!CreateMainFrame())
        return false;
    ParseCommandLine();
    if (!PrepareUserRoot() || !PrepareDataFolders())
        return false;
    if (HoldsLock())
        RebuildSamples();
    ProgramFileDialogs::Install(m_frame->Services(), m_userRoot);
    // The FSM item editor for the catalogue and the plan, and the catalogue browser of command 33072.
    LgsFsmEditors::Install(m_run);
    // A tile dragged out of the browser's strip goes onto the plan on show, as from the ramp's strip.
    m_frame->Services().editLgsFsmExt = [frame = m_frame.get()](QWidget* parent, CQOR1Doc*) {
        LgsFsmEditors::OpenBrowser(parent, ProgramCatalogue::Get(), frame->GetPlanZiehZiel());
    };
    CatalogueServices::Install(m_frame->Services(), m_frame->PlanDialogs());
    // The plan views' loading ramp and align popup work on the program's catalogue; the ramp's editor
    // button opens the browser above the ramp with the ramp's category and search text.
    m_frame->PlanDialogs().SetRampen(std::make_unique<CRampenDialogs>(ProgramCatalogue::Get()));
    CLaderampe3::SetEditorOeffner(
        [](QWidget* rampe, QPoint ptUntenLinks, int nKategorie, const QString& suche) {
            CDlgEditLgsFsmExt dialog(ProgramCatalogue::Get(), rampe);
            dialog.m_bStartWerte = true;
            dialog.m_nStartKategorie = nKategorie;
            dialog.m_strStartSuche = suche;
            dialog.m_ptStart = ptUntenLinks;
            dialog.exec();
        });
    // The template view's hint animations play in the view.
    IFrameAnimation::SetViewCreator(
        [](QAbstractScrollArea* pView) { return std::make_unique<CTTFrameAnimation>(pView); });
    // A new user, with nothing to open and nothing opened before, sees the sample truck.
    if (m_pendingPath.isEmpty() && RecentFiles().isEmpty()) {
        const QString truck = m_userRoot + QStringLiteral("Samples/vehicles/") + Text(259) +
                              QLatin1Char('/') + Text(260) + QStringLiteral(".qor");
        if (QFileInfo::exists(truck))
            m_pendingPath = truck;
    }
    LoadImageList();
    // Load units kept in sub-folders move into the load-unit folder; a second instance leaves the
    // folders to the first.
    if (HoldsLock()) {
        MigrateLoadUnitSubfolders(fs::path((m_userRoot + QStringLiteral("load units")).toStdString()));
        RemoveStaleSaveCopies(m_userRoot, RecentFiles());
    }
    return Start3D();
}

bool CQOR2App::ChooseLanguage()
{
    auto settings = UserSettings();
    settings->beginGroup(QStringLiteral("Settings"));
    if (settings->value(QStringLiteral("ver")).toString().isEmpty()) {
        QString ver = QStringLiteral("EU");
        QString lang = QStringLiteral("EN");
        auto machine = MachineSettings();
        machine->beginGroup(QStringLiteral("SETTINGS"));
        if (!machine->childKeys().isEmpty()) {
            ver = machine->value(QStringLiteral("ver")).toString().left(6);
            lang = machine->value(QStringLiteral("lang")).toString();
        }
        settings->setValue(QStringLiteral("ver"), ver);
        settings->setValue(QStringLiteral("lang"), lang);
    }
    QString wanted = settings->value(QStringLiteral("lang")).toString().toUpper();
    if (wanted.isEmpty()) {
        wanted = GetUserLanguageCode();
        settings->setValue(QStringLiteral("lang"), wanted);
    }

    std::vector<std::string> found;
    int hasEnglish = 0;
    ScanFolder(m_programFolder.toStdString(), false, ScanFolderCallback, 2, &found, nullptr, &hasEnglish);
    m_languages.clear();
    for (const std::string& code : found) {
        const QString text = QString::fromStdString(code).toUpper();
        if (m_languages.size() < kMaxLanguages && !m_languages.contains(text))
            m_languages.append(text);
    }
    m_language = wanted;
    if (!m_languages.contains(wanted)) {
        if (m_languages.contains(QStringLiteral("EN")))
            m_language = QStringLiteral("EN");
        else if (!m_languages.isEmpty())
            m_language = m_languages.first();
    }
    return true;
}

bool CQOR2App::LoadLanguageModule()
{
    QString error;
    m_module = ResourceModule::Load(m_language, m_programFolder, &error);
    if (!m_module) {
        m_startError = error.isEmpty() ? QStringLiteral("The language module %1 cannot be loaded.")
                                             .arg(m_programFolder + ResourceModule::FileName(m_language))
                                       : error;
        QTextStream(stderr) << m_startError << Qt::endl;
        return false;
    }
    ResourceModule::SetCurrent(m_module.get());
    InstallToolkitTranslation(m_language, this);
    SIMPEXP_FZG::s_strSprache = m_language.toStdString();
    return true;
}

bool CQOR2App::CreateMainFrame()
{
    m_frame = std::make_unique<CMainFrame>(m_run, m_device3D);
    m_frame->SetSplashTime(m_options.splashMs);
    m_frame->SetSplashBitmap(m_options.splashBitmap);
    if (m_options.screenDpi)
        m_frame->SetScreenDpiSource(m_options.screenDpi);
    if (!m_frame->LoadFrame()) {
        m_startError = QStringLiteral("The main window cannot be created.");
        return false;
    }
    m_frame->setAcceptDrops(true);
    return true;
}

void CQOR2App::ParseCommandLine()
{
    if (m_options.arguments.isEmpty())
        return;
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A vehicle or combination file to open."));
    parser.parse(m_options.arguments);
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty())
        m_pendingPath = QFileInfo(files.first()).absoluteFilePath();
}

bool CQOR2App::PrepareUserRoot()
{
    m_appData = GetUserDataPath();
    if (!QDir().mkpath(m_appData))
        return FailWithMessage(187, QString::fromStdString(FormatResChecked(188, {m_appData.toStdString()})));
    const QString rootName = Text(128);
    m_userRoot = m_appData + rootName + QLatin1Char('/');
    if (!IsFolderName(rootName) || !CreateFolderPath(m_userRoot.toStdString()))
        return FailWithMessage(187,
                               QString::fromStdString(FormatResChecked(188, {m_userRoot.toStdString()})));

    // The lock file is read by Qt before the lock is taken.
    const QString lockPath = m_userRoot + QStringLiteral("lock.tmp");
    if (const auto moved = SetAsideUnusableFile(lockPath, kLongestLockFile);
        moved && !ReportSetAsideFiles({*moved}, true, m_frame.get(), &m_startError))
        return false;
    m_lock = std::make_unique<QLockFile>(lockPath);
    // A lock left by a process that is gone is taken over; a live one is left alone.
    m_lock->setStaleLockTime(0);
    m_lock->tryLock(0);

    m_appParamsPath = m_userRoot + QStringLiteral("AppParams.ser");
    m_customNormPath = m_userRoot + QStringLiteral("CustomNormParams.ser");
    LoadAppStateParams(fs::path(m_appParamsPath.toStdString()), m_states);
    return true;
}

bool CQOR2App::PrepareDataFolders()
{
    const bool owner = HoldsLock();
    const std::pair<const char*, quint32> localized[] = {{"vehicles", 229}, {"combinations", 640}};
    for (const auto& [name, textId] : localized) {
        const QString folder = m_userRoot + QLatin1String(name);
        QDir().mkpath(folder);
        const int result = EnsureLocalizedSubfolder(folder.toStdString(), textId, owner);
        if (result >= 2)
            return FailWithMessage(
                187, QString::fromStdString(FormatResChecked(292, {folder.toStdString(), result})));
        if (result < 0)
            return FailWithMessage(187,
                                   QString::fromStdString(FormatResChecked(188, {folder.toStdString()})));
    }
    for (const char* name : {"load units", "filler items (dunnage)", "Print", "Data"}) {
        const QString folder = m_userRoot + QLatin1String(name);
        if (!QDir().mkpath(folder))
            return FailWithMessage(187,
                                   QString::fromStdString(FormatResChecked(188, {folder.toStdString()})));
    }
    SetProgramFolders({fs::path(m_programFolder.toStdString()),
                       fs::path((m_userRoot + QStringLiteral("Data")).toStdString())});
    SetReportFolder(fs::path((m_userRoot + QStringLiteral("Print")).toStdString()));
    const fs::path root = fs::path(m_userRoot.toStdString());
    ProgramCatalogue::SetFolders({root / "load units", root / "filler items (dunnage)", root / "Data",
                                  root / "Samples" / "load units"});
    return true;
}

void CQOR2App::RebuildSamples()
{
    const fs::path samples = fs::path(m_userRoot.toStdString()) / "Samples";
    DeleteDirectoryTree(samples);
    const fs::path vehicles = samples / "vehicles" / LoadResString(259);
    const fs::path loadUnits = samples / "load units";
    std::error_code ec;
    fs::create_directories(vehicles, ec);
    fs::create_directories(loadUnits, ec);
    const fs::path source = fs::path(m_programFolder.toStdString()) / "Samples";
    for (const SampleCopy& sample : kSamples) {
        const std::string name = LoadResString(sample.nameId);
        if (name.empty() || name.find('/') != std::string::npos)
            continue;
        const fs::path target =
            (sample.vehicle ? vehicles : loadUnits) / (name + (sample.vehicle ? ".qor" : ".lgs"));
        fs::copy_file(source / sample.source, target, fs::copy_options::overwrite_existing, ec);
        if (ec)
            QTextStream(stderr) << "The sample " << QString::fromStdString((source / sample.source).string())
                                << " cannot be copied: " << QString::fromStdString(ec.message()) << Qt::endl;
        else if (!sample.vehicle)
            SetzeBemerkung(target, sample.remarkId);
        ec.clear();
    }
}

void CQOR2App::LoadImageList()
{
    const ResourceModule* module = ResourceModule::Current();
    if (!module)
        return;
    const QImage mask = module->Bitmap(kCatalogueMask);
    for (int id : kCatalogueBitmaps) {
        const QImage bitmap = module->Bitmap(static_cast<quint32>(id));
        const int index = AddBitmapToImageList(m_images, bitmap.isNull() ? nullptr : &bitmap, &mask);
        if (id == kFirstCatalogueBitmap)
            m_firstImage = index;
    }
    if (m_firstImage >= 0)
        CatalogueImages::Set(&m_images, m_firstImage);
}

bool CQOR2App::Start3D()
{
    const QString recordFile = GetUserDataPath(QStringLiteral("Direct3D.tbc"));
    // A damaged record counts as missing: the probe finds the settings again and writes a new one. A
    // record that asks for the software device gets the software rasteriser before the first context.
    GlSettingsRecord record{};
    // A link in the record's place counts as a record, dangling or not: it is removed, or replaced by the
    // record it leads to, so nothing is written through it (its target is left as it is).
    const QFileInfo recordInfo(recordFile);
    if (recordInfo.exists() || recordInfo.isSymLink()) {
        if (!Settings3DRecord::Load(recordFile, &record) ||
            (recordInfo.isSymLink() && !Settings3DRecord::Save(recordFile, record))) {
            QFile::remove(recordFile);
        } else {
            if (GlSettings::Field(record, Settings3DRecord::kDeviceType) == Settings3DRecord::kSoftware)
                qputenv("LIBGL_ALWAYS_SOFTWARE", "1");
            m_device3D.SetDeviceRecord(record);
        }
    }
    const GlProbeResult probe = m_options.probe ? m_options.probe(recordFile) : ProbeOpenGL(recordFile);
    switch (probe.status) {
    case GlProbeResult::Status::NoScreen:
        m_startError = QStringLiteral("No screen was found: the program needs a display.");
        QTextStream(stderr) << m_startError << Qt::endl;
        return false;
    case GlProbeResult::Status::NoContext:
        m_3dUnavailable = true;
        m_device3D.Set3DAvailable(false);
        MessageBoxes().Show(m_frame.get(), Text(156),
                            QString::fromStdString(FormatS("$S.\n\n$S.", 2, 155u, 165u)),
                            IMessageBoxService::Icon::Error, IMessageBoxService::Buttons::Ok);
        return true;
    case GlProbeResult::Status::Ok:
        Use3D(probe, recordFile);
        return true;
    }
    return true;
}

bool CQOR2App::Start3DWith(const GlSettingsRecord& record)
{
    // The probe begins with the record file: the chosen settings go there, and what was there before
    // comes back when 3D still does not start.
    const QString recordFile = GetUserDataPath(QStringLiteral("Direct3D.tbc"));
    QByteArray formerBytes;
    const bool hadFormer = ReadRegularFile(recordFile, Settings3DRecord::kSize, &formerBytes);
    QString why;
    if (!Settings3DRecord::Save(recordFile, record, &why)) {
        QTextStream(stderr) << why << Qt::endl;
        return false;
    }
    if (GlSettings::Field(record, Settings3DRecord::kDeviceType) == Settings3DRecord::kSoftware)
        qputenv("LIBGL_ALWAYS_SOFTWARE", "1");
    m_device3D.SetDeviceRecord(record);
    const GlProbeResult probe = m_options.probe ? m_options.probe(recordFile) : ProbeOpenGL(recordFile);
    if (probe.status != GlProbeResult::Status::Ok) {
        QFile::remove(recordFile);
        if (hadFormer)
            WriteRegularFile(recordFile, formerBytes);
        return false;
    }
    Use3D(probe, recordFile);
    return true;
}

void CQOR2App::Use3D(const GlProbeResult& probe, const QString& recordFile)
{
    m_3dUnavailable = false;
    m_device3D.Set3DAvailable(true);
    GlSettingsRecord record{};
    if (probe.recordWritten && Settings3DRecord::Load(recordFile, &record))
        m_device3D.SetDeviceRecord(record);
    // Each 3D view keeps its own context and re-makes a lost one in its widget; the program-wide
    // device is usable while 3D is on. A reset releases the model cache and loads it again.
    m_device3D.SetDevice(
        {[this] {
             return m_device3D.Is3DAvailable() ? View3DDevice::DeviceState::Ready
                                               : View3DDevice::DeviceState::Unavailable;
         },
         {}},
        [this] { ReleaseModelsCallback(m_run.Find<IRender3DServices>()); },
        [this] { LoadModelsCallback(m_run.Find<IRender3DServices>(), MODEL_LOAD_MODELS); });
    if (!probe.fromSavedRecord && probe.refreshRate > 0.0)
        m_loop->SetTargetFrameTime(1.0 / probe.refreshRate);
    if (IRender3DServices* services = m_run.Find<IRender3DServices>())
        InitTextureManager(services, m_frame.get());
}
