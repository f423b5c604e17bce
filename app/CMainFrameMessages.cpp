// The main window's private messages: after the splash, 3D unavailable, open a file, the 3D frame step.
#include "app/CMainFrame.h"

#include "app/CQOR2App.h"
#include "app/FrameLoop.h"
#include "app/FrameMessages.h"
#include "app/OpenFileEvent.h"
#include "model/text/TextProvider.h"
#include "platform/SystemInfo.h"
#include "ui/IMessageBoxService.h"
#include "ui/Render3DServices.h"

#include <QSettings>

#include <chrono>

bool CMainFrame::event(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == FrameMessages::kAfterSplash) {
        OnAfterSplash();
        return true;
    }
    if (type == FrameMessages::k3DUnavailable) {
        On3DUnavailable();
        return true;
    }
    if (type == FrameMessages::kOpenFile) {
        const auto* e = static_cast<OpenFileEvent*>(event);
        OpenFile(e->Path(), e->Entry(), e->IsSingle());
        return true;
    }
    if (type == FrameMessages::kFrameStep) {
        OnFrameStep();
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::OnAfterSplash()
{
    if (m_afterStartDone)
        return;
    ShowDpiNote();
    if (CQOR2App* app = CQOR2App::Instance()) {
        const QString path = app->PendingPath();
        if (!path.isEmpty()) {
            app->SetPendingPath(QString());
            OpenPendingPath(path);
        }
    }
    m_afterStartDone = true;
}

void CMainFrame::ShowDpiNote()
{
    const int dpi = m_dpi ? m_dpi() : GetScreenDpi();
    QSettings settings;
    settings.beginGroup(QStringLiteral("Settings"));
    if (dpi <= 96 || settings.value(QStringLiteral("notiDPI"), 0).toInt() != 0)
        return;
    IMessageBoxService::HtmlBox box;
    box.textId = 150;
    box.captionId = 273;
    box.iconId = 814;
    box.iconKind = 1;
    box.buttons = {{668, 668}};
    box.checkBox = true;
    bool checked = false;
    MessageBoxes().ShowHtml(this, box, &checked);
    if (checked)
        settings.setValue(QStringLiteral("notiDPI"), 1);
}

void CMainFrame::On3DUnavailable()
{
    // The 3D settings come with the 3D view's services; without them there is nothing to offer.
    if (!m_run.Find<IRender3DServices>())
        return;
    const int answer = MessageBoxes().Show(
        this, QString::fromStdString(LoadResString(144)), QString::fromStdString(LoadResString(143)),
        IMessageBoxService::Icon::Information, IMessageBoxService::Buttons::YesNo);
    if (answer != IMessageBoxService::kNo)
        RunSettings3D();
}

void CMainFrame::OnFrameStep()
{
    const auto now = static_cast<quint64>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now().time_since_epoch())
                                              .count());
    if (!m_frameStepStarted) {
        m_frameStepStarted = true;
        m_lastFrameStepMs = now;
    }
    const double seconds = static_cast<double>(now - m_lastFrameStepMs) / 1000.0;
    m_lastFrameStepMs = now;
    if (CQOR2App* app = CQOR2App::Instance())
        app->Loop().RenderOnce(seconds);
}
