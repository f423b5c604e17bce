// What a ribbon control is: its command id, kind, look and icon, as the ribbon's builder asks for it.
#pragma once

#include <QIcon>
#include <QString>

// Control kinds, numbered as the ribbon's builder names them.
enum RibbonControlType : int
{
    RIBBON_BUTTON = 1,
    RIBBON_POPUP = 2,       // a button that only opens its menu
    RIBBON_SPLIT_POPUP = 4, // a button with its own command and an arrow that opens the menu
    RIBBON_COMBO = 5,
    RIBBON_CHECK_BOX = 9,
};

// Control looks: 0 chosen by the ribbon (a small button with icon and caption), 1 caption only, 2 icon
// only, 3 icon with the caption beside it, 4 a large button with the icon over the caption.
enum RibbonControlStyle : int
{
    RIBBON_STYLE_AUTO = 0,
    RIBBON_STYLE_CAPTION = 1,
    RIBBON_STYLE_ICON = 2,
    RIBBON_STYLE_ICON_CAPTION = 3,
    RIBBON_STYLE_LARGE = 4,
};

struct RibbonControlSpec
{
    int id = 0;
    int type = RIBBON_BUTTON;
    int style = RIBBON_STYLE_AUTO;
    int iconId = 0;          // the number of the icon's bitmap (0: none)
    bool beginGroup = false; // starts a new column behind a separator line
    QString caption;
    QString tipTitle;
    QString tipText;
    QIcon icon;
};
