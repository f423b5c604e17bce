// The message boxes a user sees: QMessageBox for plain boxes, the program's HTML message box otherwise.
#include "ui/QtMessageBoxService.h"

#include "model/text/TextProvider.h"
#include "ui/CDlgMsgboxHtml.h"

#include <QMessageBox>
#include <QPushButton>

#include <atomic>
#include <cstdint>
#include <utility>

namespace {

// The service installed in place of the real boxes. One for the process: the boxes are asked for by
// free functions and dialogs on every level, which no window hands down; only ScriptedMessageBoxService
// installs one, for its lifetime.
std::atomic<IMessageBoxService*>& InstalledService()
{
    static std::atomic<IMessageBoxService*> service{nullptr};
    return service;
}

} // namespace

IMessageBoxService& MessageBoxes()
{
    IMessageBoxService* service = InstalledService().load();
    return service ? *service : QtMessageBoxService::Instance();
}

IMessageBoxService* SetMessageBoxes(IMessageBoxService* service)
{
    return InstalledService().exchange(service);
}

QtMessageBoxService& QtMessageBoxService::Instance()
{
    static QtMessageBoxService service;
    return service;
}

int QtMessageBoxService::Show(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                              Buttons buttons)
{
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    // The text holds file names and other user text: shown as it is, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        UseModuleYesNo(box);
        return box.exec() == QMessageBox::No ? kNo : kYes;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return kOk;
}

void QtMessageBoxService::UseModuleYesNo(QMessageBox& box)
{
    // The captions of the language module; Qt's own ones are English.
    for (const auto& [button, id] : {std::pair{QMessageBox::Yes, 1560u}, std::pair{QMessageBox::No, 1561u}}) {
        const QString label = QString::fromStdString(LoadResString(id));
        if (QAbstractButton* b = box.button(button); b && !label.isEmpty())
            b->setText(label);
    }
}

int QtMessageBoxService::ShowHtml(QWidget* parent, const HtmlBox& box, bool* checked)
{
    CDlgMsgboxHtml dialog(parent);
    dialog.SetIconImage(box.iconId, box.iconKind);
    dialog.SetShowCheckBox(box.checkBox);
    int ids[8] = {CDlgMsgboxHtml::kUnused, CDlgMsgboxHtml::kUnused, CDlgMsgboxHtml::kUnused,
                  CDlgMsgboxHtml::kUnused, CDlgMsgboxHtml::kUnused, CDlgMsgboxHtml::kUnused,
                  CDlgMsgboxHtml::kUnused, CDlgMsgboxHtml::kUnused};
    for (int i = 0; i < box.buttons.size() && i < 4; ++i) {
        ids[2 * i] = box.buttons.at(i).first;
        ids[2 * i + 1] = box.buttons.at(i).second;
    }
    dialog.SetBodyType(CDlgMsgboxHtml::kBodyString);
    if (!box.text.isEmpty() || !box.caption.isEmpty()) {
        // A body or caption given by number beside the other given as text is read from its string;
        // button captions come from the strings of the button ids.
        const auto text = [](const QString& given, int id) {
            return given.isEmpty() && id > 0 ? QString::fromStdString(LoadResString(std::uint32_t(id)))
                                             : given;
        };
        const int answer = dialog.DoModalTexts(text(box.text, box.textId), text(box.caption, box.captionId),
                                               ids[0], QString(), ids[2], QString(), ids[4], QString());
        if (checked)
            *checked = dialog.CheckState();
        return answer;
    }
    const int answer = dialog.DoModalIds(box.textId, box.captionId, ids[0], ids[1], ids[2], ids[3], ids[4],
                                         ids[5], ids[6], ids[7]);
    if (checked)
        *checked = dialog.CheckState();
    return answer;
}
