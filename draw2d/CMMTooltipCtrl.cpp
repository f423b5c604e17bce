// The fixed-pitch tool-tip window.
#include "draw2d/CMMTooltipCtrl.h"

#include "draw2d/FontTable.h"

CMMTooltipCtrl::CMMTooltipCtrl() : QLabel(nullptr, Qt::ToolTip)
{
    setFont(FixedFont());
}

QFont CMMTooltipCtrl::FixedFont()
{
    QFont font = FontTable::MakeFont("Courier New", -11);
    font.setUnderline(false);
    font.setStrikeOut(false);
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
