// The main window's creation: placement and caption from the settings, the bars, the splash hand-over.
#include "app/CMainFrame.h"

#include "app/CMainFrameViewShell.h"
#include "app/CQOR2App.h"
#include "app/CWndSplashScreen.h"
#include "app/FrameMessages.h"
#include "catalogue/CPlanEditDialogs.h"
#include "model/files/VehicleFiles.h"
#include "model/text/TextProvider.h"
#include "views/CWndSliderFactory.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include <algorithm>

CMainFrame::CreateParams CMainFrame::PreCreateWindow(QSettings& settings)
{
    settings.beginGroup(QStringLiteral("Hauptfenster"));
    CreateParams params;
    params.geometry = QRect(settings.value(QStringLiteral("x"), 40).toInt(),
                            settings.value(QStringLiteral("y"), 30).toInt(),
                            settings.value(QStringLiteral("cx"), 1200).toInt(),
                            settings.value(QStringLiteral("cy"), 800).toInt());
    params.maximized = settings.value(QStringLiteral("maximize"), 0).toInt() != 0;
    settings.endGroup();
    params.caption = QString::fromStdString(LoadResString(128));
    return params;
}

QRect CMainFrame::ReachablePlacement(const QRect& saved, const QList<QRect>& screens, const QMargins& frame)
{
    // A window too small to be found again gets the default size; one that lies on no screen (a
    // screen was removed since) goes back to the default place. The fitting is done on the outer
    // rectangle, so that the title bar stays on the screen and the window can be moved.
    QRect inner = saved;
    if (inner.width() < 200 || inner.height() < 150)
        inner.setSize(QSize(1200, 800));
    QRect geometry = inner.marginsAdded(frame);
    if (screens.isEmpty())
        return inner;
    const auto shown = [&](const QRect& screen) {
        const QRect common = screen.intersected(geometry);
        return common.isEmpty() ? 0LL : qint64(common.width()) * common.height();
    };
    const auto best = std::max_element(screens.begin(), screens.end(),
                                       [&](const QRect& a, const QRect& b) { return shown(a) < shown(b); });
    const QRect common = best->intersected(geometry);
    QRect screen = *best;
    if (common.width() < 50 || common.height() < 50) {
        geometry.moveTopLeft(QPoint(40 - frame.left(), 30 - frame.top()));
        screen = screens.first();
    }
    // Wholly on that screen: no larger than it, its edges inside.
    geometry.setSize(geometry.size().boundedTo(screen.size()));
    geometry.moveLeft(std::clamp(geometry.left(), screen.left(), screen.right() + 1 - geometry.width()));
    geometry.moveTop(std::clamp(geometry.top(), screen.top(), screen.bottom() + 1 - geometry.height()));
    return geometry.marginsRemoved(frame);
}

QRect CMainFrame::ReachablePlacement(const QRect& saved, const QMargins& frame)
{
    QList<QRect> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screens.append(primary->availableGeometry());
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            screens.append(screen->availableGeometry());
    return ReachablePlacement(saved, screens, frame);
}

QMargins CMainFrame::FrameMargins() const
{
    if (const QWindow* window = windowHandle(); window && isVisible()) {
        const QMargins drawn = window->frameMargins();
        if (!drawn.isNull())
            return drawn;
    }
    const int border = std::max(1, style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this));
    const int title = std::max(24, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
    return QMargins(border, title + border, border, border);
}

void CMainFrame::FitToFrameOnceShown(int nTries)
{
    // The window manager frames the window a little after it is shown; a maximised window is the
    // window manager's to place.
    if (!isVisible() || isMaximized() || isMinimized() || isFullScreen())
        return;
    const QWindow* window = windowHandle();
    if (!window || window->frameMargins().isNull()) {
        if (nTries > 0)
            QTimer::singleShot(50, this, [this, nTries] { FitToFrameOnceShown(nTries - 1); });
        return;
    }
    const QRect fitted = ReachablePlacement(geometry(), window->frameMargins());
    if (fitted != geometry())
        setGeometry(fitted);
}

namespace {

// A vehicle write's begin and end go to the views of the active document.
class FrameSpeicherMeldung : public IFahrzeugSpeicherMeldung
{
public:
    void SpeichernBeginnt() override
    {
        CMainFrame::PostViewNotifyAll(false, AnsichtMeldung::kDateiWirdGeschrieben);
    }
    void SpeichernEndet(bool bGeschrieben) override
    {
        CMainFrame::PostViewNotifyAll(false, AnsichtMeldung::kDateiGeschrieben,
                                      AnsichtWert::Zahl(bGeschrieben ? 1 : 0));
    }
};

} // namespace

CMainFrame::CMainFrame(ProgramRun& run, View3DDevice& device3D, QWidget* parent)
    : QMainWindow(parent), m_run(run), m_device3D(device3D),
      m_pSpeicherMeldung(std::make_unique<FrameSpeicherMeldung>()),
      m_pViewShell(std::make_unique<CMainFrameViewShell>(this)),
      m_pSliderFactory(std::make_unique<CWndSliderFactory>()),
      m_pPlanDialogs(std::make_unique<CPlanEditDialogs>())
{
    setObjectName(QStringLiteral("MainFrame"));
    // One document at a time, its window maximised in the centre.
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MdiArea"));
    m_mdi->setViewMode(QMdiArea::SubWindowView);
    m_mdi->setBackground(QColor(0xC8, 0xD8, 0xED));
    setCentralWidget(m_mdi);
    setAcceptDrops(true);
    SetFahrzeugSpeicherMeldung(m_pSpeicherMeldung.get());
    // The services of the run's windows while the frame lives.
    m_run.Install<IViewShell>(m_pViewShell.get());
    m_run.Install<ISliderFactory>(m_pSliderFactory.get());
    m_run.Install<IPlanDialogs>(m_pPlanDialogs.get());
}

CMainFrame::~CMainFrame()
{
    // The child windows and their documents go while the frame still answers their questions. The
    // frame is hidden first: a view that gives the frame its close box back on the way out (the
    // securing view with its wizard open) must not make a window that is being destroyed show again.
    hide();
    if (m_mdi) {
        for (QMdiSubWindow* window : m_mdi->subWindowList())
            delete window;
    }
    if (GetFahrzeugSpeicherMeldung() == m_pSpeicherMeldung.get())
        SetFahrzeugSpeicherMeldung(nullptr);
    if (m_run.Find<IViewShell>() == m_pViewShell.get())
        m_run.Install<IViewShell>(nullptr);
    if (m_run.Find<ISliderFactory>() == m_pSliderFactory.get())
        m_run.Install<ISliderFactory>(nullptr);
    if (m_run.Find<IPlanDialogs>() == m_pPlanDialogs.get())
        m_run.Install<IPlanDialogs>(nullptr);
    m_pPlanDialogs.reset();
}

CMainFrame* CMainFrame::Instance()
{
    const CQOR2App* app = CQOR2App::Instance();
    return app ? app->MainFrame() : nullptr;
}

bool CMainFrame::LoadFrame()
{
    {
        QSettings settings;
        const CreateParams params = PreCreateWindow(settings);
        setWindowTitle(params.caption);
        setGeometry(ReachablePlacement(params.geometry, FrameMargins()));
        m_startMaximized = params.maximized;
    }
    if (!CreateStatusBar())
        return false;
    LoadRibbonIcons();
    const bool ribbon = CreateRibbon();
    {
        QSettings settings;
        LoadCommandBars(settings);
    }

    auto* splash = ribbon ? new CWndSplashScreen(this) : nullptr;
    if (splash && splash->Create(m_splashBitmap, m_splashMs, [this] { ShowAndPostAfterStart(); })) {
        splash->setObjectName(QStringLiteral("SplashScreen"));
        return true; // the frame stays hidden until the splash ends
    }
    delete splash;
    // Without a splash the frame shows itself as soon as the event loop runs, so the after-start
    // messages still come, in their order.
    QMetaObject::invokeMethod(
        this, [this] { ShowAndPostAfterStart(); }, Qt::QueuedConnection);
    return true;
}

void CMainFrame::ShowAndPostAfterStart()
{
    // Shown first, then maximised: so the restored rectangle is kept for the next close.
    show();
    if (m_startMaximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    else
        FitToFrameOnceShown(40);
    raise();
    activateWindow();
    QCoreApplication::postEvent(this, new QEvent(FrameMessages::kAfterSplash));
    const CQOR2App* app = CQOR2App::Instance();
    if (app && app->Is3DUnavailable())
        QCoreApplication::postEvent(this, new QEvent(FrameMessages::k3DUnavailable));
}
