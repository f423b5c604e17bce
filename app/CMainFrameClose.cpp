// The main window's closing: the active child first, then the placement is written.
#include "app/CMainFrame.h"

#include "app/CQOR2App.h"

#include <QCloseEvent>
#include <QSettings>

void CMainFrame::SavePlacement(QSettings& settings) const
{
    const bool maximized = isMaximized();
    const bool minimized = isMinimized();
    // The restored rectangle, also when the window is maximised or minimised now.
    const QRect rect = (maximized || minimized) && normalGeometry().isValid() ? normalGeometry() : geometry();
    settings.beginGroup(QStringLiteral("Hauptfenster"));
    settings.setValue(QStringLiteral("x"), rect.x());
    settings.setValue(QStringLiteral("y"), rect.y());
    settings.setValue(QStringLiteral("cx"), rect.width());
    settings.setValue(QStringLiteral("cy"), rect.height());
    settings.setValue(QStringLiteral("maximize"), maximized ? 1 : 0);
    settings.setValue(QStringLiteral("minimize"), minimized ? 1 : 0);
    settings.endGroup();
    settings.sync();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!CloseActiveChildForExit()) {
        event->ignore();
        return;
    }
    {
        QSettings settings;
        SavePlacement(settings);
        SaveCommandBars(settings);
    }
    QMainWindow::closeEvent(event);
}
