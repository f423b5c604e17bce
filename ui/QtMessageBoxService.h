// The message boxes a user sees: QMessageBox for plain boxes, the program's HTML message box otherwise.
#pragma once

#include "ui/IMessageBoxService.h"

class QtMessageBoxService : public IMessageBoxService
{
public:
    static QtMessageBoxService& Instance();

    int Show(QWidget* parent, const QString& caption, const QString& text, Icon icon,
             Buttons buttons) override;
    int ShowHtml(QWidget* parent, const HtmlBox& box, bool* checked) override;
};
