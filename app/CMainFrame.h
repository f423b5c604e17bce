// The main window: its life cycle (placement, creation, the splash hand-over, closing) and the private
// messages that start, step and end the rest of the program.
#pragma once

#include <QMainWindow>
#include <QRect>
#include <QString>

#include <functional>

class QSettings;

// The single top-level window. The life cycle lives in CMainFrame.cpp and CMainFrameClose.cpp, the
// private messages in CMainFrameMessages.cpp. The ribbon, the status bar, the frame's commands and the
// documents attach through the hook functions below, each defined in the file of its concern
// (CMainFrameBarsHooks.cpp and CMainFrameDocumentHooks.cpp hold their stand-ins until then).
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

    int m_splashMs = 5000;
    quint32 m_splashBitmap = 785;
    std::function<int()> m_dpi;
    bool m_afterStartDone = false;
    bool m_closing = false;
    quint64 m_lastFrameStepMs = 0;
    bool m_frameStepStarted = false;
};
