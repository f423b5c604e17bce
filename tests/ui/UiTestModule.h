// The English language module for the toolkit's tests, loaded once and installed for dialog templates.
#pragma once

#include "platform/ResourceModule.h"
#include "ui/DialogTemplateLoader.h"

#include <QCoreApplication>

#include <memory>
#include <ostream>

inline const ResourceModule* UiTestModule()
{
    static std::unique_ptr<ResourceModule> module =
        ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
    return module.get();
}

// The dialog all toolkit tests use: a group box, edit fields, a radio run and strip placeholders.
constexpr quint32 kToolkitTestDialog = 9901;

// Readable QStrings in test failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
