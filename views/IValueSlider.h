// A value slider floating above a view: it reports every value change to its owner view.
#pragma once

#include "draw2d/RasterOp.h"

#include <QRect>

class QObject;

class IValueSlider
{
public:
    virtual ~IValueSlider() = default;

    virtual double GetValue() const = 0;
    virtual void SetValue(double dValue) = 0;
    // Background colour of the value edit; answers the previous colour.
    virtual COLORREF SetEditBkColor(COLORREF colour) = 0;
    // Closes the slider; the owner receives the closing message.
    virtual void Close() = 0;
    // Puts the focus into the value edit.
    virtual void FocusEdit() {}
    // Return applies the typed value and closes the slider.
    virtual void SetCloseOnReturn(bool /*bClose*/) {}
    // The window whose messages come from this slider, or null.
    virtual const QObject* SenderObject() const { return nullptr; }
    // The slider window's rectangle in its owner's coordinates (empty without a window), and a move of
    // it there.
    virtual QRect WindowRect() const { return QRect(); }
    virtual void MoveWindow(const QRect& /*rc*/) {}
};
