// The notice that a function is not available in this edition of the program.
#include "ui/ShowMessage658.h"

#include "ui/IMessageBoxService.h"

void ShowMessage658(QWidget* parent)
{
    IMessageBoxService::HtmlBox box;
    box.textId = 658;
    box.captionId = 171;
    box.iconId = 814;
    box.buttons = {{668, 668}};
    MessageBoxes().ShowHtml(parent, box, nullptr);
}
