// The main window: its life cycle (placement, creation, the splash hand-over, closing) and the private
// messages that start, step and end the rest of the program.
#pragma once

#include "platform/CommandTable.h"

#include <QMainWindow>
#include <QRect>
#include <QString>

#include <functional>

class CCmdUI;
class CQOR1Doc;
class CQOR2StatusBar;
class CQORRibbonBar;
class QSettings;

// The single top-level window. The life cycle lives in CMainFrame.cpp and CMainFrameClose.cpp, the
// private messages in CMainFrameMessages.cpp, the ribbon in CMainFrameRibbon.cpp, the status bar in
// CMainFrameStatusBar.cpp and the frame's own commands in CMainFrameCommands.cpp. The documents attach
// through the hook functions below (CMainFrameDocumentHooks.cpp holds their stand-ins until then).
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    // Placement and caption the window is created with.
    struct CreateParams
    {
        QRect geometry;
        QString caption;
    };

    // Placement from the user's settings, section "Hauptfenster" ("x" 40, "y" 30, "cx" 1200, "cy" 800
    // when missing), caption string 128. The window never starts minimised or maximised.
    static CreateParams PreCreateWindow(QSettings& settings);
    // The saved rectangle, moved back to the default place when it lies on no screen and given the
    // default size when it is too small to be found.
    static QRect ReachablePlacement(const QRect& saved);

    explicit CMainFrame(QWidget* parent = nullptr);
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
    void RunDirect3DSettings();

    // The document of the active child window; null while none is open.
    static CQOR1Doc* GetActiveDoc();
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
    void OnRibbonTabSelected();
    // The system popup's recent files, placed where its item 33271 stands.
    void FillRecentFiles();
    void OnLanguage(unsigned id);
    void OnDeleteDirect3DSettings();
    void OnHelp();
    void OnAbout();

    int m_splashMs = 5000;
    quint32 m_splashBitmap = 785;
    std::function<int()> m_dpi;
    bool m_afterStartDone = false;
    bool m_closing = false;
    quint64 m_lastFrameStepMs = 0;
    bool m_frameStepStarted = false;
    CQOR2StatusBar* m_statusBar = nullptr;
    CQORRibbonBar* m_ribbon = nullptr;
    CommandTable m_commands;
    QString m_selectedLanguage;
};
