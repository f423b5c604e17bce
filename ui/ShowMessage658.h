// The notice that a function is not available in this version: picture 814, text 658, caption 171.
#pragma once

class QWidget;

// Shows the notice through the message-box service, with one button 668.
void ShowMessage658(QWidget* parent);
