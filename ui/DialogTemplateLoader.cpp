// Loading of dialog templates with QUiLoader and the registry of our own control classes.
#include "ui/DialogTemplateLoader.h"

#include "platform/ResourceModule.h"
#include "ui/CEditLast.h"
#include "ui/CRbcPlaceholder.h"

#include <QBuffer>
#include <QHash>
#include <QUiLoader>
#include <QWidget>

namespace {

QHash<QString, DialogTemplateLoader::Factory>& Registry()
{
    static QHash<QString, DialogTemplateLoader::Factory> registry = [] {
        QHash<QString, DialogTemplateLoader::Factory> r;
        r.insert(QStringLiteral("CEditLast"), [](QWidget* parent) { return new CEditLast(parent); });
        r.insert(QStringLiteral("CRbcPlaceholder"),
                 [](QWidget* parent) { return new CRbcPlaceholder(parent); });
        return r;
    }();
    return registry;
}

// Makes the template's top-level widget the given target and our own classes through the registry.
class Loader : public QUiLoader
{
public:
    explicit Loader(QWidget* target) : m_target(target) {}

    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override
    {
        if (!parent && !m_targetUsed) {
            m_targetUsed = true;
            return m_target;
        }
        const auto it = Registry().constFind(className);
        if (it != Registry().constEnd()) {
            QWidget* widget = (*it)(parent);
            widget->setObjectName(name);
            return widget;
        }
        return QUiLoader::createWidget(className, parent, name);
    }

private:
    QWidget* m_target;
    bool m_targetUsed = false;
};

} // namespace

void DialogTemplateLoader::RegisterClass(const QString& className, Factory factory)
{
    Registry().insert(className, std::move(factory));
}

bool DialogTemplateLoader::IsRegistered(const QString& className)
{
    return Registry().contains(className);
}

bool DialogTemplateLoader::Load(quint32 id, QWidget* target, QString* error)
{
    const ResourceModule* module = ResourceModule::Current();
    if (!module) {
        if (error)
            *error = QStringLiteral("No language module is loaded to read dialog %1 from.").arg(id);
        return false;
    }
    const QByteArray data = module->DialogTemplate(id);
    if (data.isEmpty()) {
        if (error)
            *error = QStringLiteral("The language module has no dialog %1.").arg(id);
        return false;
    }
    QString why;
    if (!LoadData(data, target, &why)) {
        if (error)
            *error = QStringLiteral("Dialog %1 of the language module cannot be read: %2").arg(id).arg(why);
        return false;
    }
    return true;
}

bool DialogTemplateLoader::LoadData(const QByteArray& data, QWidget* target, QString* error)
{
    QByteArray copy = data;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    Loader loader(target);
    QWidget* top = loader.load(&buffer, nullptr);
    if (top != target) {
        if (error)
            *error = loader.errorString().isEmpty() ? QStringLiteral("the template has no top-level widget.")
                                                    : loader.errorString();
        delete top;
        return false;
    }
    return true;
}
