// Shared pieces of the button-strip suites: the language module, a window that records what strips
// send it, and helpers to drive the mouse and look at pictures.
#pragma once

#include "platform/ResourceModule.h"
#include "ui/CRibBtnContainer.h"

#include <QImage>
#include <QMap>
#include <QWidget>

#include <memory>
#include <vector>

// Loads the English module and makes it current (texts and bitmaps) for the lifetime of the object.
class StripModule
{
public:
    StripModule();
    ~StripModule();
    const ResourceModule* Module() const { return m_module.get(); }

private:
    std::unique_ptr<ResourceModule> m_module;
    const ResourceModule* m_previousModule;
    const ITextProvider* m_previousTexts;
};

// The owner of strip buttons: records clicks, notifications and answers command-update queries.
class StripHost : public QWidget
{
public:
    StripHost();
    std::vector<quint32> commands;
    std::vector<std::pair<quint32, int>> notifications; // id, code
    bool vetoChecks = false;
    QMap<quint32, bool> enabledAnswers;
    QMap<quint32, int> checkAnswers;
    int updateQueries = 0;

protected:
    bool event(QEvent* event) override;
};

// Sends a mouse event of `type` at `strip`-relative point to the widget that would receive it.
void SendMouse(QWidget* target, QEvent::Type type, QPoint localPoint);
void SendPosted();

// Writes a picture into the artifact folder and answers its path.
QString SaveArtifact(const QImage& image, const QString& name);
