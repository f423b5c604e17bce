// The notice that a function is not available in this version: picture 814, text 658, caption 171.
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
