// The HTML control of the message box, the print preview and the load-securing wizard.
#pragma once

#include "ui/CHtmlCtrlEx.h"

// A dialog-style browser without a frame. F5 and every key pressed with Ctrl do nothing in it, so a
// page can be neither reloaded nor printed, searched or copied from by keyboard shortcuts.
class CQorBrowser : public CHtmlCtrlEx
{
    Q_OBJECT
public:
    explicit CQorBrowser(QWidget* parent = nullptr);

    // True for the keys the browser swallows.
    static bool IsSwallowedKey(const QKeyEvent* event);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
