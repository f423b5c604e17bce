// The popup of the ribbon's system button.
#include "platform/ribbon/RibbonSystemPopup.h"

#include <QProxyStyle>

namespace {

// Menu items of this popup measure their icons at 32 pixels.
class LargeMenuIconStyle : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_SmallIconSize)
            return RibbonSystemPopup::kIconSize;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

RibbonSystemPopup::RibbonSystemPopup(QWidget* parent) : QMenu(parent)
{
    auto* style = new LargeMenuIconStyle;
    style->setParent(this);
    setStyle(style);
    setStyleSheet(QStringLiteral("QMenu { background: #F7FAFE; border: 1px solid #8DAED9; }"
                                 "QMenu::item { padding: 6px 24px 6px 6px; color: #15428B; }"
                                 "QMenu::item:selected { background: qlineargradient(x1:0, y1:0, x2:0, "
                                 "y2:1, stop:0 #FFFBE0, stop:1 #FFE38C); border: 1px solid #DBC27A; }"
                                 "QMenu::item:disabled { color: #8D8D8D; }"
                                 "QMenu::separator { height: 1px; background: #C5D5EA; margin: 3px 4px; }"
                                 "QMenu::section { color: #15428B; font-weight: bold; }"));
}
