// The main window: its life cycle (placement, creation, the splash hand-over, closing) and the private
// messages that start, step and end the rest of the program.
#pragma once

#include "app/DocumentServices.h"
#include "platform/CommandTable.h"
#include "platform/ribbon/RibbonCustomizeSheet.h"
#include "views/AnsichtMeldung.h"

#include <QMainWindow>
#include <QMargins>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>

class CAppStateParams;
class CCmdUI;
class CChildFrame;
class IHlbAdapterOwner;
class CFahrzeug;
class CMainFrameViewShell;
class CPlanEditDialogs;
class ProgramRun;
class View3DDevice;
class CWndSliderFactory;
class IFahrzeugSpeicherMeldung;
class QMdiArea;
class CQOR1Doc;
class CQOR2App;
class IRender3DServices;
class CQOR1View;
class CQOR2StatusBar;
class CQORRibbonBar;
class LockedFile;
class QAction;
class QDragEnterEvent;
class QDropEvent;
class QSettings;

// The single top-level window. The life cycle lives in CMainFrame.cpp and CMainFrameClose.cpp, the
// private messages in CMainFrameMessages.cpp, the ribbon in CMainFrameRibbon.cpp, the status bar in
// CMainFrameStatusBar.cpp and the frame's own commands in CMainFrameCommands.cpp; the documents' files
// in CMainFrameFiles.cpp and their commands in CMainFrameDocumentCommands.cpp. What of these needs no
// window is done by VehicleFileChecks and DokumentBefehle.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    // Placement and caption the window is created with.
    struct CreateParams
    {
        QRect geometry;
        QString caption;
        // Closed maximised last time: shown maximised, `geometry` is the restored rectangle.
        bool maximized = false;
    };

    // Placement from the user's settings, section "Hauptfenster" ("x" 40, "y" 30, "cx" 1200, "cy" 800
    // when missing, "maximize"), caption string 128. The window never starts minimised.
    static CreateParams PreCreateWindow(QSettings& settings);
    // The saved rectangle, moved back to the default place when it lies on no screen and given the
    // default size when it is too small to be found; then made to fit wholly, with the window manager's
    // frame `frame` around it (title bar included), on the screen (the available area) that shows most
    // of it. The rectangles are those of the window's inside, as geometry() gives them.
    static QRect ReachablePlacement(const QRect& saved, const QList<QRect>& screens,
                                    const QMargins& frame = QMargins());
    // The same over the screens there are now.
    static QRect ReachablePlacement(const QRect& saved, const QMargins& frame);
    // The frame the window manager puts around the window: the one it has once shown, before that a
    // title bar and borders as large as the style draws them.
    QMargins FrameMargins() const;

    // The windows the frame makes keep their answers in `run` and render their 3D views on `device3D`;
    // both outlive the frame.
    CMainFrame(ProgramRun& run, View3DDevice& device3D, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Builds the window (status bar, ribbon, splash): the frame stays hidden while the splash shows;
    // without a splash the frame shows itself once the event loop runs and posts the after-start
    // messages. Answers false when the window cannot be built.
    bool LoadFrame();

    // The splash time (5000 ms) and picture (785) of the next LoadFrame.
    void SetSplashTime(int ms) { m_splashMs = ms; }
    void SetSplashBitmap(quint32 id) { m_splashBitmap = id; }
    // The horizontal resolution the DPI note tests; the screen's when not set.
    void SetScreenDpiSource(std::function<int()> dpi) { m_dpi = std::move(dpi); }

    // Shows the frame, brings it to the front and posts 0x809B, then 0x8099 when 3D is unavailable:
    // what the end of the splash does, and what the frame does itself without a splash.
    void ShowAndPostAfterStart();

    // True once the after-start message has run.
    bool AfterStartDone() const { return m_afterStartDone; }

    // Writes the placement to section "Hauptfenster": the restored rectangle, "maximize" and
    // "minimize" as the window is now.
    void SavePlacement(QSettings& settings) const;
    // The command-bar layout under "CommandBars" (the ribbon minimised or not): loaded once the ribbon
    // is built, a layout this version did not write ignored; saved when the frame closes.
    void LoadCommandBars(QSettings& settings);
    void SaveCommandBars(QSettings& settings) const;

    // Command 9607: the customise sheet over the ribbon, opened on its options page; OK gives the
    // ribbon and the keys what was chosen. Tests replace the modal run (the runner answers the
    // dialog's result and may press OK itself).
    using CustomizeRunner = std::function<int(RibbonCustomizeSheet& sheet)>;
    static void SetCustomizeRunner(CustomizeRunner runner);
    void OnCustomize();
    // The ribbon's key table put to work: one shortcut action per command that has keys, and the keys
    // shown beside the system popup's items.
    void ApplyKeyBindings();
    // A command reached by its key runs only while its update enables it; false when it did not run.
    bool RunKeyCommand(int id);

    // Frame-side hooks, filled by the ribbon, status bar and document code.
    bool CreateStatusBar();
    bool LoadRibbonIcons();
    bool CreateRibbon();
    // Asks the active document's views (reason 15) and closes the active child; false keeps the
    // program running. True without a child.
    bool CloseActiveChildForExit();
    // Opens the file given at start (an exchange file goes to the import).
    void OpenPendingPath(const QString& path);
    // The 3D settings command (also after 0x8099).
    void RunSettings3D();

    // The document of the active child window of the program's main frame; null while none is open.
    static CQOR1Doc* GetActiveDoc();
    // The program's main frame: the application's; null without an application or before its frame
    // is made and while it goes.
    static CMainFrame* Instance();

    // Documents. The centre holds at most one maximised child window.
    QMdiArea* MdiArea() const { return m_mdi; }
    CChildFrame* ActiveChild() const;
    // The loading ramp of the plan view on show in the active child (its tab or a visible splitter
    // pane): where a tile dragged out of the catalogue browser's strip goes. Null without one.
    IHlbAdapterOwner* GetPlanZiehZiel() const;
    // The dialogs of the document commands; a command whose dialog is missing is disabled.
    DocumentServices& Services() { return m_services; }
    // The editing dialogs of the views, installed as their dialog seam while the frame lives.
    CPlanEditDialogs& PlanDialogs() { return *m_pPlanDialogs; }
    // The program run the frame was made for; its windows reach the frame's services through it.
    ProgramRun& GetProgramRun() { return m_run; }
    // Opens entry `entry` of a vehicle or combination file (-1: the file's stored start entry); with
    // `bSingle` only the first vehicle. True when the file is open afterwards. A file that cannot be
    // read gives a message naming it and leaves no window.
    bool OpenFile(const QString& path, int entry, bool bSingle);
    // Closes the active child (saving unless `bNoSave`); false when it refused. True without a child.
    bool CloseActiveChild(bool bNoSave = false);
    // Before a new vehicle or combination replaces the active child: with changes not yet saved the
    // user chooses to save them and close, to close without them, or to cancel (false, all left open).
    bool CloseActiveChildForNew();
    // A child window with a new document; null (after a message) when it cannot be made.
    CChildFrame* CreateChildFrame(const QString& path, bool bMotorfahrzeug, CAppStateParams* pState);
    // 0 when the active child shows another file, 1 when it shows `path` with `entry` as its first
    // vehicle (-1: whichever), 2 when `entry` is its second vehicle.
    int IsFileOpen(const QString& path, int entry) const;
    // The partner of the open towing vehicle: entry `entry` of `path`, or the first vehicle of another
    // file. A present trailer is removed first; a partner that cannot be loaded leaves the towing
    // vehicle as it was.
    bool LoadPartnerEntry(const QString& path, int entry);
    bool LoadPartnerFromFile(const QString& path);
    // Uncouples the trailer, saving first unless `bNoSave`; false when the save failed.
    bool RemovePartner(bool bNoSave);
    // A new combination file `newPath` from the towing vehicle's and the trailer's files, the coupling
    // value in mm; never replaces an existing file.
    bool NewKombination(const QString& zugPath, const QString& newPath, const QString& anhaengerPath,
                        double dKupplungMm);
    // Command 33124: a new vehicle from the sample of its kind.
    void OnNewFahrzeug();
    // The program-wide single-vehicle flag of the last opened file.
    bool IsEinzelFahrzeug() const { return m_bEinzel; }

    // The child windows of the program's main frame, one after the other: the first position is -1
    // when there is none; each call answers the window at `pos` and moves it on (-1 after the last).
    static int GetFirstChildFramePosition();
    static CChildFrame* GetNextChildFrame(int& pos);
    // What the views and dialogs ask of the main frame.
    static int GetActiveTabIndex();
    static int PostViewNotifyAll(bool bDeferred, AnsichtMeldung eMeldung, const AnsichtWert& wert = {});
    static bool IsActiveViewModeSet();
    static bool Update3DViewRenderFlag();
    // Command 33130: the selected axle of the shown template view may be removed; its removal after a
    // question.
    static bool CanRemoveAchse();
    void OnRemoveAchse();
    // Group 118 with the view commands, added to the ribbon's tab while the active child shows its
    // divided view, removed otherwise.
    void AddViewRibbonGroup();
    void RemoveViewRibbonGroup();

    // The update of the commands' states, run in the idle pass: the ribbon's and the system popup's
    // controls (the frame's answer, then the views'), then the status bar's panes.
    void UpdateCommandUI();
    // Runs a command of the ribbon, a menu or a shortcut (`index`: a combo's new entry); false when the
    // frame has no handler for it.
    bool OnCommand(int id, int index = -1);
    const CommandTable& Commands() const { return m_commands; }
    CQORRibbonBar* Ribbon() const { return m_ribbon; }
    CQOR2StatusBar* StatusBar() const { return m_statusBar; }
    // The language chosen in the language menu (the running one until another is chosen).
    QString SelectedLanguage() const;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // 0x809B: the DPI note once above 96 dpi, then the pending path.
    void OnAfterSplash();
    // 0x8099: the 3D question.
    void On3DUnavailable();
    // 0x8098: seconds since the previous step to the 3D step.
    void OnFrameStep();
    void ShowDpiNote();

    // The frame's commands and their update handlers.
    void RegisterCommands();
    // The views of the active document answer the update after the frame (nothing while no document
    // is open).
    void RouteCommandToViews(CCmdUI& cmdUI);
    void OnRibbonTabSelected(int index);
    // The system popup's recent files, placed where its item 33271 stands.
    void FillRecentFiles();
    void OnLanguage(unsigned id);
    void OnDeleteSettings3D();
    // The 3D settings while 3D is unavailable: 3D starts with the settings chosen, around a closed and
    // reopened window.
    void Start3DFromSettings(IRender3DServices& services, CQOR2App& app);
    void OnHelp();
    void OnAbout();

    // The document commands (CMainFrameDocumentCommands.cpp).
    void RegisterDocumentCommands();
    void OnOpen();
    void OnNewKombination();
    void OnAbkoppeln();
    void OnShowView(int nKind);
    // Whether the template view is shown (its tab, or a pane of the split view).
    bool IsTemplateViewShown() const;
    // The template view while it is shown (its tab, or a pane of the split view), else null.
    CQOR1View* ShownTemplateView() const;
    // Command 33156: the load-position dialog closed, or opened for the template view of the tab.
    void OnLastDlg();
    // Loads a vehicle for opening; on failure a message names the file and null comes back.
    std::unique_ptr<CFahrzeug> LoadFahrzeug(const QString& path, int entry,
                                            std::unique_ptr<LockedFile>* pFile, int* pWert,
                                            bool bOffenHalten);
    void ShowOpenError(const QString& path);
    // Couples the vehicle to the document's towing vehicle and tells the user of equipment that had to
    // go; false when the document could not take it.
    bool AttachPartner(std::unique_ptr<CFahrzeug> pAnhaenger, int nEntry);
    // Tells that coupling a trailer took equipment off the towing vehicle.
    void ZeigeZLEntfernt();

    int m_splashMs = 5000;
    quint32 m_splashBitmap = 785;
    std::function<int()> m_dpi;
    bool m_afterStartDone = false;
    bool m_startMaximized = false;
    // Once shown, the placement is fitted again with the frame the window manager really drew.
    void FitToFrameOnceShown(int nTries);
    bool m_closing = false;
    quint64 m_lastFrameStepMs = 0;
    bool m_frameStepStarted = false;
    CQOR2StatusBar* m_statusBar = nullptr;
    CQORRibbonBar* m_ribbon = nullptr;
    CommandTable m_commands;
    QList<RibbonCustomizeSheet::Category> m_customizeCategories;
    QList<QAction*> m_keyActions;
    QString m_selectedLanguage;
    QMdiArea* m_mdi = nullptr;
    DocumentServices m_services;
    ProgramRun& m_run;
    View3DDevice& m_device3D;
    bool m_bEinzel = false;
    std::unique_ptr<IFahrzeugSpeicherMeldung> m_pSpeicherMeldung;
    std::unique_ptr<CMainFrameViewShell> m_pViewShell;
    std::unique_ptr<CWndSliderFactory> m_pSliderFactory;
    std::unique_ptr<CPlanEditDialogs> m_pPlanDialogs;
};
