// The button strip as the dialog base sees it: a small interface the strip class implements.
#pragma once

#include <QList>
#include <QString>

class QObject;
class QWidget;

// A ribbon-style strip of command buttons, a child widget of a dialog. Buttons are addressed by
// their command id; a click reaches the notify object as a CommandEvent(id) and every added button as
// a NotifyEvent with code kButtonAdded (from = the strip's Window(), idFrom = the button id). Each
// button widget carries its command id as its control id (see ControlId.h).
class IButtonStrip
{
public:
    static constexpr int kButtonAdded = 0x8050;

    virtual ~IButtonStrip() = default;

    // The strip's widget.
    virtual QWidget* Window() = 0;

    // Appends a button; an empty caption takes the caption and tool tip from the string with the
    // button's id. False when the id exists.
    virtual bool AddButton(int id, QObject* notify, const QString& caption) = 0;
    // Appends a separator; -1 takes one more than the highest separator id. Answers the id, -1 on failure.
    virtual int AddSeparator(int id = -1) = 0;

    virtual bool HasButton(int id) const = 0;
    // The button's widget; null without such a button.
    virtual QWidget* ButtonWindow(int id) const = 0;
    // Command ids of the buttons, in entry order.
    virtual QList<int> ButtonIds() const = 0;

    // The control id after which the button enters the keyboard order (-1: none).
    virtual void SetButtonRadioGroup(int id, int anchorId) = 0;
    virtual int GetButtonRadioGroup(int id) const = 0;
    virtual void SetButtonSize(int id, int cx, int cy) = 0;
    // 0 no tool tip, 1 always, 2 only while enabled.
    virtual void SetButtonToolTipMode(int id, int mode) = 0;

    // Moves the strip to (x, y) with the given width (0 keeps the width) and its own height.
    virtual void SetWindowPosAndShape(int x, int y, int width) = 0;
};
