// The fixed-pitch tool-tip window.
#include "ui/CMMTooltipCtrl.h"

CMMTooltipCtrl::CMMTooltipCtrl() : QLabel(nullptr, Qt::ToolTip)
{
    setFont(FixedFont());
}

QFont CMMTooltipCtrl::FixedFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(11);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

bool CMMTooltipCtrl::Create(QWidget* parent)
{
    setParent(parent, Qt::ToolTip);
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
    setTextFormat(Qt::PlainText);
    setMargin(3);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setFont(FixedFont());
    return true;
}

void CMMTooltipCtrl::ShowTip(const QString& text, QPoint at)
{
    if (text.isEmpty()) {
        hide();
        return;
    }
    setText(text);
    adjustSize();
    move(at);
    show();
}
