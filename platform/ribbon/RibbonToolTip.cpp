// The tooltip of the ribbon's controls.
#include "platform/ribbon/RibbonToolTip.h"

#include <QEvent>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>

namespace {
const char* const kTitle = "ribbonTipTitle";
const char* const kText = "ribbonTipText";
const char* const kIcon = "ribbonTipIcon";
} // namespace

RibbonToolTip::RibbonToolTip(QWidget* parent)
    : QFrame(parent, Qt::ToolTip | Qt::FramelessWindowHint), m_icon(new QLabel(this)),
      m_title(new QLabel(this)), m_text(new QLabel(this))
{
    setObjectName(QStringLiteral("ribbonToolTip"));
    setFrameShape(QFrame::Box);
    setStyleSheet(QStringLiteral("#ribbonToolTip { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                 "stop:0 #FFFFFF, stop:1 #E4ECF7); border: 1px solid #767676; }"
                                 "QLabel { color: #4C4C4C; }"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(2);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_title->setWordWrap(true);
    m_text->setWordWrap(true);
    m_icon->setAlignment(Qt::AlignTop);
    layout->addWidget(m_title, 0, 0, 1, 2);
    layout->addWidget(m_icon, 1, 0);
    layout->addWidget(m_text, 1, 1);
    setMaximumWidth(kMaxWidth);
    m_wake.setSingleShot(true);
    m_wake.setInterval(kDelayMs);
    connect(&m_wake, &QTimer::timeout, this, [this] {
        if (m_pending && m_pending->underMouse())
            ShowFor(m_pending);
    });
}

void RibbonToolTip::Watch(QWidget* control, const QString& title, const QString& text, const QIcon& icon)
{
    control->setProperty(kTitle, title);
    control->setProperty(kText, text);
    control->setProperty(kIcon, icon);
    control->removeEventFilter(this);
    control->installEventFilter(this);
}

bool RibbonToolTip::ShowFor(QWidget* control)
{
    const QString title = control->property(kTitle).toString();
    const QString text = control->property(kText).toString();
    if (title.isEmpty() && text.isEmpty())
        return false;
    m_control = control;
    m_title->setText(title);
    m_text->setText(text);
    const QIcon icon = control->property(kIcon).value<QIcon>();
    m_icon->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(32, 32));
    m_icon->setVisible(!icon.isNull());
    m_text->setVisible(!text.isEmpty());
    // The description wraps inside the width limit.
    const int available = kMaxWidth - 2 * frameWidth() - 4 - (icon.isNull() ? 0 : 32 + 4);
    m_text->setMaximumWidth(available);
    m_text->setMinimumWidth(std::min(available, m_text->fontMetrics().horizontalAdvance(text)));
    m_title->setMaximumWidth(kMaxWidth - 2 * frameWidth() - 4);
    adjustSize();
    move(control->mapToGlobal(QPoint(0, control->height() + 2)));
    show();
    raise();
    return true;
}

QString RibbonToolTip::Title() const
{
    return m_title->text();
}

QString RibbonToolTip::Text() const
{
    return m_text->text();
}

bool RibbonToolTip::HasIcon() const
{
    return m_icon->pixmap().isNull() == false;
}

bool RibbonToolTip::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Enter:
        m_pending = qobject_cast<QWidget*>(watched);
        m_wake.start();
        break;
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::Hide:
        m_wake.stop();
        if (watched == m_control)
            hide();
        break;
    case QEvent::ToolTip:
        return true; // the toolkit's plain tooltip would come on top of ours
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}
