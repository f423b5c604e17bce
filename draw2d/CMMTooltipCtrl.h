// A tool-tip window whose text is always set in a fixed-pitch font.
#pragma once

#include <QFont>
#include <QLabel>

// Tool tips of the views that line up columns of figures: "Courier New" of 11 pixels, which the font
// table gives as its fixed-pitch face, so the tips look the same whatever other fonts are installed.
class CMMTooltipCtrl : public QLabel
{
    Q_OBJECT
public:
    CMMTooltipCtrl();

    // Makes the tool-tip window for `parent` and gives it the fixed-pitch font.
    bool Create(QWidget* parent);

    // The font the tips are set in.
    static QFont FixedFont();

    // Shows `text` with its top-left corner at the global point `at`; an empty text hides the tip.
    void ShowTip(const QString& text, QPoint at);
    void HideTip() { hide(); }
};
