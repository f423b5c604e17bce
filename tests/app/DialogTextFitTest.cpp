// Every dialog template of every language module beside the program, opened as the program opens it: no
// button, label, check box or strip button shows less than its whole text.
#include "AppTestModule.h"

#include "catalogue/FileTreeTemplates.h"
#include "ui/CDlgBase.h"
#include "ui/CRibBtn.h"
#include "ui/ControlId.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

QString Plain(QString text)
{
    // A mnemonic's ampersand is not drawn; a doubled one is.
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

int WidestLine(const QFontMetrics& metrics, const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

// The pixels a control needs to show its whole text, and the pixels it has; 0 and 0 for a control
// whose text is not measured here.
struct Need
{
    int need = 0;
    int have = 0;
};

Need TextNeed(QWidget* control)
{
    const QFontMetrics metrics(control->font());
    if (auto* label = qobject_cast<QLabel*>(control)) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            return {};
        const int frame = label->frameWidth() + std::max(label->margin(), 0);
        if (label->wordWrap()) {
            // A wrapped label needs the height of its wrapped lines.
            return {label->heightForWidth(label->width()), label->height()};
        }
        QString text = label->text();
        if (Qt::mightBeRichText(text)) {
            QTextDocument document;
            document.setDefaultFont(label->font());
            document.setDocumentMargin(0);
            document.setHtml(text);
            return {int(std::ceil(document.idealWidth())) + 2 * frame, label->width()};
        }
        return {WidestLine(metrics, text) + 2 * frame, label->width()};
    }
    if (auto* box = qobject_cast<QCheckBox*>(control))
        return box->text().isEmpty() ? Need{} : Need{box->sizeHint().width(), box->width()};
    if (auto* radio = qobject_cast<QRadioButton*>(control))
        return radio->text().isEmpty() ? Need{} : Need{radio->sizeHint().width(), radio->width()};
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        if (button->text().isEmpty())
            return {};
        // The text between the button's frame and margins, as the style draws it.
        const QStyle* style = button->style();
        const int chrome = 2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                           2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        return {WidestLine(metrics, Plain(button->text())) + chrome, button->width()};
    }
    if (auto* group = qobject_cast<QGroupBox*>(control)) {
        if (group->title().isEmpty())
            return {};
        // The dialogs draw the frame themselves: the caption begins 9 pixels in; as much frame after it.
        return {9 + metrics.horizontalAdvance(Plain(group->title())) + 9, group->width()};
    }
    if (auto* strip = qobject_cast<CRibBtn*>(control)) {
        if (!strip->isVisible() || strip->CaptionLines().join(QString()).isEmpty())
            return {};
        // A strip button that had to shorten its caption shows "..." or nothing.
        const bool whole = strip->Record().CaptionMode() == CRibBtn::kFullCaption;
        return {whole ? strip->PreferredWidth() : strip->PreferredWidth() + 1, strip->width()};
    }
    return {};
}

class DialogTextFitTest : public ::testing::Test
{
protected:
    AppTestModule m_module;
};

// The language codes of the modules "Resource_<code>.rcc" in the program folder.
QStringList ModuleCodes()
{
    QStringList codes;
    const QStringList files = QDir(QCoreApplication::applicationDirPath())
                                  .entryList({QStringLiteral("Resource_*.rcc")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        codes << file.mid(9, file.size() - 9 - 4);
    return codes;
}

TEST_F(DialogTextFitTest, EveryTemplateShowsTheWholeTextOfEveryControl)
{
    const QStringList codes = ModuleCodes();
    ASSERT_TRUE(codes.contains(QStringLiteral("EN")));
    const ResourceModule* before = ResourceModule::Current();
    for (const QString& code : codes) {
        SCOPED_TRACE(code.toStdString());
        QString error;
        const std::unique_ptr<ResourceModule> module =
            ResourceModule::Load(code, QCoreApplication::applicationDirPath(), &error);
        ASSERT_TRUE(module) << error.toStdString();
        ResourceModule::SetCurrent(module.get());
        FileTreeTemplates::Registered(0);
        const QStringList files = QDir(module->ItemPath(QStringLiteral("dialogs")))
                                      .entryList({QStringLiteral("*.ui")}, QDir::Files);
        EXPECT_GT(files.size(), 10);
        for (const QString& file : files) {
            const quint32 id = QFileInfo(file).baseName().toUInt();
            SCOPED_TRACE(id);
            CDlgBase dialog(id);
            EXPECT_TRUE(dialog.TemplateError().isEmpty()) << dialog.TemplateError().toStdString();
            if (!dialog.TemplateError().isEmpty())
                continue;
            dialog.show();
            for (QWidget* control : dialog.findChildren<QWidget*>()) {
                if (control->isHidden())
                    continue;
                const Need need = TextNeed(control);
                const QString name =
                    ControlId::Of(control) >= 0 ? control->objectName()
                    : qobject_cast<CRibBtn*>(control)
                        ? QStringLiteral("strip button %1").arg(qobject_cast<CRibBtn*>(control)->CommandId())
                        : control->objectName();
                EXPECT_LE(need.need, need.have)
                    << name.toStdString() << " (" << control->metaObject()->className() << ") \""
                    << control->property("text").toString().toStdString() << "\"";
            }
            dialog.hide();
        }
    }
    ResourceModule::SetCurrent(before);
}

} // namespace
