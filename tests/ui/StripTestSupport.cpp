// Shared pieces of the button-strip suites.
#include "StripTestSupport.h"

#include "model/text/TextProvider.h"
#include "ui/CommandEvent.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/NotifyEvent.h"

#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>

StripModule::StripModule()
{
    m_module = ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
    m_previousModule = ResourceModule::Current();
    m_previousTexts = CurrentTextProvider();
    ResourceModule::SetCurrent(m_module.get());
}

StripModule::~StripModule()
{
    ResourceModule::SetCurrent(m_previousModule);
    SetCurrentTextProvider(m_previousTexts);
}

StripHost::StripHost()
{
    resize(640, 200);
}

bool StripHost::event(QEvent* event)
{
    if (event->type() == CommandEvent::EventType()) {
        commands.push_back(static_cast<CommandEvent*>(event)->Id());
        return true;
    }
    if (event->type() == NotifyEvent::EventType()) {
        auto* notify = static_cast<NotifyEvent*>(event);
        notifications.emplace_back(notify->Id(), notify->Code());
        if (vetoChecks && notify->Code() != NotifyEvent::kButtonAdded)
            notify->SetCode(notify->Code() ? 0 : 1);
        return true;
    }
    if (event->type() == CommandUpdateEvent::EventType()) {
        auto* query = static_cast<CommandUpdateEvent*>(event);
        ++updateQueries;
        if (enabledAnswers.contains(query->Id()))
            query->Enable(enabledAnswers.value(query->Id()));
        if (checkAnswers.contains(query->Id()))
            query->SetCheck(checkAnswers.value(query->Id()));
        return true;
    }
    return QWidget::event(event);
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint localPoint)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, QPointF(localPoint), QPointF(target->mapToGlobal(localPoint)), button,
                      type == QEvent::MouseMove ? Qt::MouseButtons(Qt::NoButton) : buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
    SendPosted();
}

void SendPosted()
{
    QCoreApplication::sendPostedEvents();
}

QString SaveArtifact(const QImage& image, const QString& name)
{
    const QString folder = QStringLiteral(QOR_TEST_ARTIFACT_DIR);
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name;
    image.save(path);
    return path;
}
