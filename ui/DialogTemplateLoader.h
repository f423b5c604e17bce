// Loads dialog templates (Qt Designer files of the language module) into dialogs.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QWidget;

// A template dialogs/<id>.ui describes the dialog's own properties (size, title) and its controls;
// each control is named "id_<control id>" (see ControlId.h). Control classes of our own are made by
// class name through a registry that already knows the toolkit's classes (CEditLast,
// CRbcPlaceholder); every other class name is one of Qt's.
class DialogTemplateLoader
{
public:
    using Factory = std::function<QWidget*(QWidget* parent)>;

    // Makes `className` known to the loader (replacing an earlier registration).
    static void RegisterClass(const QString& className, Factory factory);
    static bool IsRegistered(const QString& className);

    // Fills `target` from the template with that id of the current module (ResourceModule::Current). False
    // with a message when there is no module, no such template or the template cannot be read.
    static bool Load(quint32 id, QWidget* target, QString* error);
    // Fills `target` from template bytes: the template's top-level widget becomes `target` itself.
    static bool LoadData(const QByteArray& data, QWidget* target, QString* error);
};
