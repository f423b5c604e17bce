// The application object: start-up, the main loop, the recent-file list and the shut-down.
#pragma once

#include "model/files/AppStateFile.h"
#include "platform/GlProbe.h"
#include "ui/ImageList.h"
#include "ui/ProgramRun.h"
#include "view3d/View3DDevice.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CMainFrame;
class FrameLoop;
class IPlanDialogs;
class QLockFile;
struct PictureUpkeepFolders;
class QSettings;
class ResourceModule;
class ScriptedMessageBoxService;

class CQOR2App : public QObject
{
    Q_OBJECT
public:
    static constexpr int kRecentFileCount = 8;
    static constexpr int kMaxLanguages = 32;
    static constexpr int kSplashBitmap = 785;
    static constexpr int kSplashMs = 5000;
    static constexpr int kFirstCatalogueBitmap = 133;

    // What start-up takes from outside; tests give their own.
    struct Options
    {
        QString programFolder;    // the executable's folder when empty
        QStringList arguments;    // the command line, the program's name first
        int splashMs = kSplashMs; // 0 with quitAfterStart
        quint32 splashBitmap = kSplashBitmap;
        bool quitAfterStart = false;
        std::function<GlProbeResult(const QString& recordFile)> probe; // ProbeOpenGL when not set
        std::function<int()> screenDpi;                                // the screen's when not set
    };

    // Options from the process: its arguments, and QOR_QUIT_AFTER_START=1 for a splash time of 0 and
    // an end after the first idle pass with the main window shown.
    static Options OptionsFromEnvironment();

    explicit CQOR2App(Options options);
    ~CQOR2App() override;
    CQOR2App(const CQOR2App&) = delete;
    CQOR2App& operator=(const CQOR2App&) = delete;

    // The application object of the running program; null before one is made and after it is gone.
    static CQOR2App* Instance();

    // Prepares everything before the main window shows. False ends the program; the reason was shown
    // to the user or, for a missing language module, written to stderr (see StartError()).
    bool InitInstance();
    // The main loop until the last window closes; answers ExitInstance's result.
    int Run();
    // Releases what start-up took: the 3D services, the language module, the lock (only when this
    // process holds it). Safe to call more than once.
    int ExitInstance();
    // The idle pass: the button strips' states and the idle work the frame registered. Answers whether
    // more idle time is wanted.
    bool OnIdle(int count);
    // Idle work run on each idle pass with count 0, e.g. the frame's command-state update.
    void AddIdleWork(std::function<void()> work);

    // Opens a file from the recent files, a drop or the command line over the current document: the
    // active document's views are asked first (a refusal opens nothing and answers true). Answers
    // whether the main frame opened it.
    bool OpenDocumentFile(const QString& path);

    // Recent files: newest first, at most 8, written to the settings at once.
    void AddToRecentFileList(const QString& path);
    QStringList RecentFiles() const;

    // Program-wide values.
    QString StartError() const { return m_startError; }
    QString LanguageCode() const { return m_language; }
    QStringList Languages() const { return m_languages; }
    QString ProgramFolder() const { return m_programFolder; }
    QString AppDataFolder() const { return m_appData; }
    QString UserRoot() const { return m_userRoot; }
    QString AppParamsPath() const { return m_appParamsPath; }
    QString CustomNormParamsPath() const { return m_customNormPath; }
    QString PendingPath() const { return m_pendingPath; }
    void SetPendingPath(const QString& path) { m_pendingPath = path; }
    bool Is3DUnavailable() const { return m_3dUnavailable; }
    // Starts 3D now with `record` (the 3D settings chosen while it was unavailable): the record becomes
    // "Direct3D.tbc" and the probe runs again. False, with the former record file kept, when no
    // context can be made.
    bool Start3DWith(const GlSettingsRecord& record);
    double TargetFrameTime() const;
    // True when this process holds "lock.tmp"; false for a second instance.
    bool HoldsLock() const;
    // The folders the picture clean-up at exit reads: the user's load units, FSM items, vehicles,
    // combinations, the picture folder and the recent files. Empty before the user root is known.
    PictureUpkeepFolders PictureFolders() const;
    // What the clean-up at exit answered: the pictures deleted, -1 when a folder could not be read
    // (nothing deleted) or no clean-up ran.
    int PicturesDeletedAtExit() const { return m_picturesDeleted; }
    const ImageList& CatalogueImages() const { return m_images; }
    int FirstCatalogueImage() const { return m_firstImage; }
    AppStateMap& AppStates() { return m_states; }
    ProgramRun& GetProgramRun() { return m_run; }
    // The 3D device of the run, which the 3D views render on.
    View3DDevice& Device3D() { return m_device3D; }
    CMainFrame* MainFrame() const { return m_frame.get(); }
    FrameLoop& Loop() { return *m_loop; }
    const ResourceModule* Module() const { return m_module.get(); }

    // The per-user settings and the machine-wide defaults.
    static std::unique_ptr<QSettings> UserSettings();
    static std::unique_ptr<QSettings> MachineSettings();

private:
    bool ChooseLanguage();
    bool LoadLanguageModule();
    bool CreateMainFrame();
    void ParseCommandLine();
    bool PrepareUserRoot();
    bool PrepareDataFolders();
    void RebuildSamples();
    void LoadImageList();
    bool Start3D();
    // The probe made a context: 3D is on, its device and the texture manager are set up.
    void Use3D(const GlProbeResult& probe, const QString& recordFile);
    bool FailWithMessage(int captionId, const QString& text);

    Options m_options;
    QString m_startError;
    QString m_programFolder;
    QString m_language;
    QStringList m_languages;
    QString m_appData;
    QString m_userRoot;
    QString m_appParamsPath;
    QString m_customNormPath;
    QString m_pendingPath;
    bool m_3dUnavailable = false;
    bool m_exited = false;
    int m_picturesDeleted = -1;
    std::unique_ptr<ResourceModule> m_module;
    std::unique_ptr<QLockFile> m_lock;
    AppStateMap m_states;
    // What this run keeps until it ends; the frame and the editors hold on to it.
    ProgramRun m_run;
    // The 3D device, its views' registry, their input and settings; it outlives the frame and its views.
    View3DDevice m_device3D;
    ImageList m_images;
    int m_firstImage = -1;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<FrameLoop> m_loop;
    std::vector<std::function<void()>> m_idleWork;
    bool m_quitRequested = false;
    // In an unattended run (quitAfterStart) message boxes are answered without a user.
    std::unique_ptr<ScriptedMessageBoxService> m_unattendedBoxes;
};
