// Tests and small changes of windows: the close box, ancestry and class.
#pragma once

class QWidget;

// Enables the close box of a top-level window, or greys it out and refuses the user's requests to
// close the window (the title bar's box, the window manager's close keys); the program itself can still
// close it. Answers false for a null window and for a widget that is not a top-level window.
bool EnableSysMenuClose(QWidget* window, bool enable);

// True when the close box of the window has been disabled with EnableSysMenuClose.
bool IsSysMenuCloseDisabled(const QWidget* window);

// True when `window` is `ancestor` or lies inside it along the parent chain; false for a null window.
bool IsWindowOrDescendant(const QWidget* window, const QWidget* ancestor);

// True when the window's class is exactly `className` (e.g. "QLineEdit", or one of our own classes).
bool IsWindowClass(const QWidget* window, const char* className);
