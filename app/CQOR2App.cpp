// The application object: construction, the main loop, the idle pass, recent files and shut-down.
#include "app/CQOR2App.h"

#include "app/CMainFrame.h"
#include "app/FrameLoop.h"
#include "catalogue/CLaderampe3.h"
#include "catalogue/CatalogueImages.h"
#include "loadsecuring/LgsFsmEditors.h"
#include "model/document/CQOR1Doc.h"
#include "model/files/CatalogueUpkeep.h"
#include "platform/ResourceModule.h"
#include "ui/CRibBtnContainer.h"
#include "ui/Render3DServices.h"
#include "ui/ScriptedMessageBoxService.h"
#include "views/IFrameAnimation.h"
#include "views/IPlanDialogs.h"

#include <QApplication>
#include <QLockFile>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTextStream>

namespace {

const QString kRecentGroup = QStringLiteral("Recent File List");

} // namespace

CQOR2App::Options CQOR2App::OptionsFromEnvironment()
{
    Options options;
    options.arguments = QCoreApplication::arguments();
    if (qEnvironmentVariable("QOR_QUIT_AFTER_START") == QLatin1String("1")) {
        options.quitAfterStart = true;
        options.splashMs = 0;
    }
    return options;
}

CQOR2App::CQOR2App(Options options)
    : m_options(std::move(options)), m_images(QSize(16, 16)),
      m_loop(std::make_unique<FrameLoop>([this](int count) { return OnIdle(count); }))
{
    QCoreApplication::setOrganizationName(QStringLiteral("Korvelandt"));
    QCoreApplication::setApplicationName(QStringLiteral("QOR"));
    if (m_options.quitAfterStart)
        m_unattendedBoxes = std::make_unique<ScriptedMessageBoxService>();
    // Qt's application object knows the program's application object as its child, so that
    // Instance() finds it without a copy of its own.
    setParent(QCoreApplication::instance());
}

CQOR2App::~CQOR2App()
{
    ExitInstance();
    m_frame.reset();
    LgsFsmEditors::Uninstall();
    CLaderampe3::SetEditorOeffner(nullptr);
    IFrameAnimation::SetViewCreator({});
    if (m_unattendedBoxes) {
        QTextStream err(stderr);
        for (const auto& box : m_unattendedBoxes->Records())
            err << "message answered unattended: "
                << (box.isHtml ? QString::number(box.html.textId) : box.text) << Qt::endl;
    }
    if (CatalogueImages::List() == &m_images)
        CatalogueImages::Set(nullptr, 0);
    setParent(nullptr);
}

CQOR2App* CQOR2App::Instance()
{
    // The last one made of those still there (a test may hold two at a time).
    QCoreApplication* core = QCoreApplication::instance();
    const QList<CQOR2App*> apps =
        core ? core->findChildren<CQOR2App*>(Qt::FindDirectChildrenOnly) : QList<CQOR2App*>();
    return apps.isEmpty() ? nullptr : apps.last();
}

std::unique_ptr<QSettings> CQOR2App::UserSettings()
{
    return std::make_unique<QSettings>();
}

std::unique_ptr<QSettings> CQOR2App::MachineSettings()
{
    return std::make_unique<QSettings>(QSettings::SystemScope, QCoreApplication::organizationName(),
                                       QCoreApplication::applicationName());
}

int CQOR2App::Run()
{
    m_loop->Start();
    QApplication::exec();
    m_loop->Stop();
    return ExitInstance();
}

bool CQOR2App::OnIdle(int count)
{
    if (count == 0) {
        CRibBtnContainer::UpdateAllStrips();
        for (const auto& work : m_idleWork)
            work();
    }
    if (m_options.quitAfterStart && !m_quitRequested && m_frame && m_frame->isVisible() &&
        m_frame->AfterStartDone()) {
        m_quitRequested = true;
        if (m_frame)
            m_frame->close();
        QCoreApplication::quit();
    }
    return false;
}

void CQOR2App::AddIdleWork(std::function<void()> work)
{
    if (work)
        m_idleWork.push_back(std::move(work));
}

double CQOR2App::TargetFrameTime() const
{
    return m_loop->TargetFrameTime();
}

PictureUpkeepFolders CQOR2App::PictureFolders() const
{
    PictureUpkeepFolders folders;
    if (m_userRoot.isEmpty())
        return folders;
    const std::filesystem::path root(m_userRoot.toStdString());
    folders.loadUnits = root / "load units";
    folders.fsmItems = root / "filler items (dunnage)";
    folders.vehicles = root / "vehicles";
    folders.combinations = root / "combinations";
    folders.pictures = root / "Data";
    for (const QString& file : RecentFiles())
        folders.otherVehicleFiles.push_back(std::filesystem::path(file.toStdString()));
    return folders;
}

bool CQOR2App::HoldsLock() const
{
    return m_lock && m_lock->isLocked();
}

bool CQOR2App::OpenDocumentFile(const QString& path)
{
    if (!m_frame || path.isEmpty())
        return false;
    if (CQOR1Doc* doc = CMainFrame::GetActiveDoc())
        if (!doc->CanLeaveViews(VerlassenGrund::kDokumentOeffnen, 1, nullptr, nullptr))
            return true;
    m_pendingPath = path;
    const bool opened = m_frame->OpenFile(path, -1, false);
    m_pendingPath.clear();
    return opened;
}

void CQOR2App::AddToRecentFileList(const QString& path)
{
    if (path.isEmpty())
        return;
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFileCount)
        files.removeLast();
    auto settings = UserSettings();
    settings->remove(kRecentGroup);
    settings->beginGroup(kRecentGroup);
    for (int i = 0; i < files.size(); ++i)
        settings->setValue(QStringLiteral("File%1").arg(i + 1), files.at(i));
    settings->endGroup();
    settings->sync();
}

QStringList CQOR2App::RecentFiles() const
{
    auto settings = UserSettings();
    settings->beginGroup(kRecentGroup);
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString file = settings->value(QStringLiteral("File%1").arg(i)).toString();
        if (!file.isEmpty() && !files.contains(file))
            files.append(file);
    }
    return files;
}

int CQOR2App::ExitInstance()
{
    if (m_exited)
        return 0;
    m_exited = true;
    m_loop->Stop();
    if (IRender3DServices* services = m_run.Find<IRender3DServices>()) {
        ReleaseModelsCallback(services);
        services->ReleaseDirectInput();
    }
    m_states.clear();
    // Only the process that holds the lock removes it; a second instance leaves the first's alone.
    const bool owner = HoldsLock();
    if (m_lock && m_lock->isLocked())
        m_lock->unlock();
    m_lock.reset();
    // Pictures no file refers to any more go; a second instance leaves them to the first, whose
    // entries may still be unsaved.
    if (owner)
        m_picturesDeleted = DeleteUnusedPictureFiles(false, PictureFolders());
    if (m_module && ResourceModule::Current() == m_module.get())
        ResourceModule::SetCurrent(nullptr);
    m_module.reset();
    return 0;
}
