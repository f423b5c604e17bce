// The notice that a function is not available in this edition of the program.
#pragma once

class QWidget;

// The HTML message box with picture 814, text 658, caption 171 and one button 668.
void ShowMessage658(QWidget* parent);
