// The English language module for the toolkit's tests, loaded once and installed for dialog templates.
#pragma once

#include "model/text/TextProvider.h"
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

// Makes a module the current one (for templates and texts) for the lifetime of the object, and puts
// back the module and text provider that were current before.
class ScopedDialogTemplateModule
{
public:
    explicit ScopedDialogTemplateModule(const ResourceModule* module)
        : m_module(ResourceModule::Current()), m_texts(CurrentTextProvider())
    {
        ResourceModule::SetCurrent(module);
    }
    ~ScopedDialogTemplateModule()
    {
        ResourceModule::SetCurrent(m_module);
        SetCurrentTextProvider(m_texts);
    }
    ScopedDialogTemplateModule(const ScopedDialogTemplateModule&) = delete;
    ScopedDialogTemplateModule& operator=(const ScopedDialogTemplateModule&) = delete;

private:
    const ResourceModule* m_module;
    const ITextProvider* m_texts;
};

// The dialog all toolkit tests use: a group box, edit fields, a radio run and strip placeholders.
constexpr quint32 kToolkitTestDialog = 9901;

// Readable QStrings in test failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
