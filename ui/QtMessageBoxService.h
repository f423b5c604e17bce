// The message boxes a user sees: QMessageBox for plain boxes, the program's HTML message box otherwise.
#pragma once

#include "ui/IMessageBoxService.h"

class QMessageBox;

class QtMessageBoxService : public IMessageBoxService
{
public:
    static QtMessageBoxService& Instance();

    int Show(QWidget* parent, const QString& caption, const QString& text, Icon icon,
             Buttons buttons) override;
    int ShowHtml(QWidget* parent, const HtmlBox& box, bool* checked) override;

    // Gives a box's Yes and No buttons the captions of the language module (texts 1560 and 1561).
    static void UseModuleYesNo(QMessageBox& box);
};
