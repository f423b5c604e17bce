// The main window's ribbon: its controls named by command id, and the update pass that asks the frame
// and then the active document's views for each control's state before it applies it once.
#pragma once

#include "platform/ribbon/RibbonBar.h"

#include <functional>

class CCmdUI;
class CXtpCmdUI;
class CQORRibbonSystemPopupBar;

class CQORRibbonBar : public RibbonBar
{
    Q_OBJECT
public:
    // One step of the update: the frame's answer (its update handler, else enabled exactly when it
    // handles the command), then the views'.
    using UpdateRoute = std::function<void(CCmdUI& cmdUI)>;

    explicit CQORRibbonBar(QWidget* parent = nullptr);

    // The system button at index 0 with its popup, made once; later calls answer the same popup.
    CQORRibbonSystemPopupBar* AddSystemButton(int id, const QIcon& icon);
    CQORRibbonSystemPopupBar* SystemPopup() const { return m_systemPopup; }

    void SetUpdateRoute(UpdateRoute frame, UpdateRoute views);
    // The update pass over every control but the pure popups (they carry no command of their own).
    void UpdateCommandUI();

    // The update of one command bound to `cmdUI`: reset, frame, views, then what was recorded applied.
    static void UpdateOne(CXtpCmdUI& cmdUI, unsigned id, const UpdateRoute& frame, const UpdateRoute& views);

protected:
    void OnControlAdded(QWidget* control, int id) override;

private:
    CQORRibbonSystemPopupBar* m_systemPopup = nullptr;
    UpdateRoute m_frame;
    UpdateRoute m_views;
};
