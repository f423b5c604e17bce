// What the editing forms' tests share: the language module, the strips, scripted message boxes, typing
// into a field with its commit, pressing a command and copies of the sample vehicles.
#pragma once

#include "../ui/UiTestModule.h"

#include "model/document/CQOR1Doc.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "ui/CDlgBase.h"
#include "ui/CEditLast.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>

inline QString ResText(quint32 id)
{
    return QString::fromStdString(LoadResString(id));
}

class FormTest : public testing::Test
{
protected:
    FormTest() : m_templates(UiTestModule()) {}

    // Types the text into the field and commits it as leaving the field does.
    static void Tippe(QWidget* dialog, int id, const QString& text)
    {
        auto* feld = qobject_cast<CEditLast*>(ControlId::Find(dialog, id));
        ASSERT_NE(feld, nullptr) << id;
        feld->setText(text);
        feld->CommitText(false);
    }
    static QString TextVon(QWidget* dialog, int id)
    {
        QWidget* w = ControlId::Find(dialog, id);
        return w ? w->property("text").toString() : QString();
    }
    // Sends the command as a button of the dialog does.
    static void Befehl(QWidget* dialog, int id)
    {
        CommandEvent command{quint32(id)};
        QCoreApplication::sendEvent(dialog, &command);
    }

    // A sample vehicle of the program folder, read from a copy in a temporary folder.
    std::unique_ptr<CFahrzeug> Beispiel(const QString& name)
    {
        const QString ziel = m_kopien.filePath(name + QStringLiteral(".qor"));
        QFile::remove(ziel);
        if (!QFile::copy(QStringLiteral(QOR_SAMPLES_DIR "/Vehicles/") + name + QStringLiteral(".qor"), ziel))
            return nullptr;
        return LoadFahrzeugFromFile(ziel.toStdString(), 0, nullptr, nullptr, false, nullptr);
    }

    ScriptedMessageBoxService boxes;

private:
    ScopedDialogTemplateModule m_templates;
    QTemporaryDir m_kopien;
};
