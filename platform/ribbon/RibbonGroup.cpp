// One captioned group of a ribbon tab.
#include "platform/ribbon/RibbonGroup.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kLargeHeight = RibbonGroup::kRowHeight * RibbonGroup::kRows;
constexpr int kLargeIcon = 32;
constexpr int kSmallIcon = 16;

// A large button's caption in two lines, broken at the blank nearest the middle.
QString TwoLines(const QString& caption)
{
    if (caption.size() < 9)
        return caption;
    const qsizetype middle = caption.size() / 2;
    qsizetype best = -1;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char(' ') && (best < 0 || qAbs(i - middle) < qAbs(best - middle)))
            best = i;
    }
    if (best < 0)
        return caption;
    return caption.left(best) + QLatin1Char('\n') + caption.mid(best + 1);
}

bool IsLarge(const RibbonControlSpec& spec)
{
    return spec.style == RIBBON_STYLE_LARGE && spec.type != RIBBON_COMBO && spec.type != RIBBON_CHECK_BOX;
}

} // namespace

RibbonGroup::RibbonGroup(int id, const QString& caption, QWidget* parent)
    : QWidget(parent), m_id(id), m_caption(caption), m_panel(new QWidget(this)),
      m_button(new QToolButton(this))
{
    setObjectName(QStringLiteral("group_%1").arg(id));
    m_panel->setObjectName(QStringLiteral("groupPanel"));
    m_button->setObjectName(QStringLiteral("groupButton_%1").arg(id));
    m_button->setAutoRaise(true);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_button->setIconSize(QSize(kLargeIcon, kLargeIcon));
    m_button->hide();
    connect(m_button, &QToolButton::clicked, this, &RibbonGroup::ShowDropDown);
    // A command chosen in the drop-down closes it, as a menu closes.
    connect(this, &RibbonGroup::Command, this, [this] {
        if (m_dropDown && m_dropDown->isVisible())
            m_dropDown->hide();
    });
    Relayout();
}

QWidget* RibbonGroup::Control(int id) const
{
    for (const Entry& entry : m_entries) {
        if (entry.spec.id == id)
            return entry.widget;
    }
    return nullptr;
}

QWidget* RibbonGroup::MakeControl(const RibbonControlSpec& spec, QMenu* popup, QWidget** frame)
{
    if (spec.type == RIBBON_CHECK_BOX) {
        auto* box = new QCheckBox(spec.caption, m_panel);
        box->setIcon(spec.icon);
        box->setIconSize(QSize(kSmallIcon, kSmallIcon));
        connect(box, &QCheckBox::clicked, this, [this, id = spec.id] { emit Command(id, -1); });
        *frame = box;
        return box;
    }
    if (spec.type == RIBBON_COMBO) {
        auto* row = new QWidget(m_panel);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(2, 0, 0, 0);
        layout->setSpacing(4);
        if (spec.style == RIBBON_STYLE_CAPTION || spec.style == RIBBON_STYLE_ICON_CAPTION) {
            if (spec.style == RIBBON_STYLE_ICON_CAPTION && !spec.icon.isNull()) {
                auto* icon = new QLabel(row);
                icon->setPixmap(spec.icon.pixmap(kSmallIcon, kSmallIcon));
                layout->addWidget(icon);
            }
            layout->addWidget(new QLabel(spec.caption, row));
        } else if (!spec.icon.isNull()) {
            auto* icon = new QLabel(row);
            icon->setPixmap(spec.icon.pixmap(kSmallIcon, kSmallIcon));
            layout->addWidget(icon);
        }
        auto* combo = new QComboBox(row);
        combo->setFixedHeight(kRowHeight - 2);
        combo->setMinimumWidth(64);
        layout->addWidget(combo);
        connect(combo, &QComboBox::activated, this,
                [this, id = spec.id](int index) { emit Command(id, index); });
        *frame = row;
        return combo;
    }
    auto* button = new QToolButton(m_panel);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(spec.icon);
    if (IsLarge(spec)) {
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(kLargeIcon, kLargeIcon));
        button->setText(TwoLines(spec.caption));
    } else {
        button->setIconSize(QSize(kSmallIcon, kSmallIcon));
        button->setText(spec.caption);
        switch (spec.style) {
        case RIBBON_STYLE_CAPTION:
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            break;
        case RIBBON_STYLE_ICON:
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
            break;
        default:
            button->setToolButtonStyle(spec.icon.isNull() ? Qt::ToolButtonTextOnly
                                                          : Qt::ToolButtonTextBesideIcon);
        }
    }
    if (popup && (spec.type == RIBBON_POPUP || spec.type == RIBBON_SPLIT_POPUP)) {
        button->setMenu(popup);
        button->setPopupMode(spec.type == RIBBON_POPUP ? QToolButton::InstantPopup
                                                       : QToolButton::MenuButtonPopup);
    }
    if (spec.type != RIBBON_POPUP)
        connect(button, &QToolButton::clicked, this, [this, id = spec.id] { emit Command(id, -1); });
    *frame = button;
    return button;
}

QWidget* RibbonGroup::AddControl(const RibbonControlSpec& spec, QMenu* popup)
{
    Entry entry;
    entry.spec = spec;
    entry.widget = MakeControl(spec, popup, &entry.frame);
    entry.widget->setProperty("ribbonCommand", spec.id);
    entry.frame->show();
    m_entries.append(entry);
    Relayout();
    return entry.widget;
}

void RibbonGroup::Relayout()
{
    // Columns from left to right: a large control takes a whole column; small ones fill a column top
    // down, three to a column. A control that begins a group starts a new column behind a line.
    m_separators.clear();
    int x = kMargin + 1;
    int columnWidth = 0;
    int row = 0;
    auto closeColumn = [&] {
        x += columnWidth;
        columnWidth = 0;
        row = 0;
    };
    for (int i = 0; i < m_entries.size(); ++i) {
        Entry& entry = m_entries[i];
        const bool large = IsLarge(entry.spec);
        if (i > 0 && (entry.spec.beginGroup || large || row == kRows || IsLarge(m_entries[i - 1].spec)))
            closeColumn();
        if (i > 0 && entry.spec.beginGroup) {
            x += 3;
            m_separators.append(x);
            x += 4;
        }
        entry.frame->ensurePolished();
        for (QWidget* child : entry.frame->findChildren<QWidget*>())
            child->ensurePolished();
        if (entry.frame->layout())
            entry.frame->layout()->invalidate();
        const QSize hint = entry.frame->sizeHint();
        if (large) {
            int widest = 0;
            for (const QString& line :
                 static_cast<QToolButton*>(entry.frame)->text().split(QLatin1Char('\n')))
                widest = std::max(widest, entry.frame->fontMetrics().horizontalAdvance(line));
            const int w = std::max(std::min(hint.width(), widest + 12), 42);
            entry.frame->setGeometry(x, kMargin, w, kLargeHeight);
            columnWidth = w + 1;
            row = kRows;
        } else {
            int w = hint.width();
            if (auto* button = qobject_cast<QToolButton*>(entry.frame)) {
                // Text, icon and a little air; the style's own measure is generous.
                const int icon = button->toolButtonStyle() == Qt::ToolButtonTextOnly ? 0 : kSmallIcon + 4;
                const int arrow = button->popupMode() == QToolButton::MenuButtonPopup ? 16 : 0;
                w = std::min(w, button->fontMetrics().horizontalAdvance(button->text()) + icon + arrow + 12);
            }
            if (entry.spec.type == RIBBON_COMBO)
                w = std::max(w, 150);
            w = std::min(w, std::max(150, hint.width()));
            entry.frame->setGeometry(x, kMargin + row * kRowHeight, w, kRowHeight);
            columnWidth = std::max(columnWidth, w + 1);
            ++row;
        }
    }
    closeColumn();
    const int captionWidth = fontMetrics().horizontalAdvance(m_caption) + 16;
    const int width = std::max(x + kMargin + 1, captionWidth);
    m_size = QSize(width, kMargin + kLargeHeight + 2 + kCaptionHeight);
    m_panel->setFixedSize(width, kMargin + kLargeHeight + 1);
    UpdateButton();
    setFixedSize(m_collapsed ? QSize(CollapsedWidth(), m_size.height()) : m_size);
    if (m_collapsed && m_dropDown)
        m_dropDown->adjustSize();
    updateGeometry();
    update();
}

void RibbonGroup::UpdateButton()
{
    // The first icon of the group's controls stands for the group.
    QIcon icon;
    for (const Entry& entry : m_entries) {
        if (!entry.spec.icon.isNull()) {
            icon = entry.spec.icon;
            break;
        }
    }
    m_button->setIcon(icon);
    m_button->setText(TwoLines(m_caption) + QStringLiteral(" \u25BE"));
    m_button->setToolTip(m_caption);
    m_button->ensurePolished();
    int widest = 0;
    for (const QString& line : m_button->text().split(QLatin1Char('\n')))
        widest = std::max(widest, m_button->fontMetrics().horizontalAdvance(line));
    m_button->setGeometry(kMargin + 1, kMargin, std::max(widest + 12, 42),
                          kLargeHeight + 2 + kCaptionHeight - 2);
}

int RibbonGroup::CollapsedWidth() const
{
    return m_button->width() + 2 * (kMargin + 1);
}

void RibbonGroup::SetCollapsed(bool collapsed)
{
    if (collapsed == m_collapsed)
        return;
    m_collapsed = collapsed;
    if (collapsed) {
        if (!m_dropDown) {
            m_dropDown = new QFrame(this, Qt::Popup);
            m_dropDown->setObjectName(QStringLiteral("groupDropDown"));
            m_dropDown->setFrameShape(QFrame::Box);
            m_dropDown->setStyleSheet(
                QStringLiteral("QFrame#groupDropDown { background: #F4F8FD; border: 1px solid #9CBBE3; }"
                               "QLabel#groupDropDownCaption { background: #C6DAF2; color: #15428B; }"));
            auto* column = new QVBoxLayout(m_dropDown);
            column->setContentsMargins(1, 1, 1, 1);
            column->setSpacing(0);
            auto* caption = new QLabel(m_caption, m_dropDown);
            caption->setObjectName(QStringLiteral("groupDropDownCaption"));
            caption->setAlignment(Qt::AlignCenter);
            caption->setFixedHeight(kCaptionHeight);
            column->addWidget(caption);
        }
        static_cast<QVBoxLayout*>(m_dropDown->layout())->insertWidget(0, m_panel);
        m_panel->show();
        m_button->show();
    } else {
        if (m_dropDown)
            m_dropDown->hide();
        m_button->hide();
        m_panel->setParent(this);
        m_panel->move(0, 0);
        m_panel->show();
    }
    Relayout();
}

void RibbonGroup::ShowDropDown()
{
    if (!m_collapsed || !m_dropDown)
        return;
    // Sized once polished and laid out, then placed under the button, kept on the button's screen.
    const auto place = [this] {
        QPoint at = m_button->mapToGlobal(QPoint(0, m_button->height()));
        const QScreen* screen = m_button->screen() ? m_button->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            const QRect room = screen->availableGeometry();
            const QSize size = m_dropDown->frameGeometry().size();
            at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - size.width())));
            at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() + 1 - size.height())));
        }
        m_dropDown->move(at);
    };
    m_dropDown->ensurePolished();
    m_dropDown->layout()->activate();
    m_dropDown->adjustSize();
    place();
    m_dropDown->show();
    place();
}

QSize RibbonGroup::sizeHint() const
{
    return m_size;
}

QRect RibbonGroup::CaptionRect() const
{
    return QRect(1, height() - kCaptionHeight - 1, width() - 2, kCaptionHeight);
}

void RibbonGroup::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient body(0, 0, 0, height());
    body.setColorAt(0.0, QColor(0xF4, 0xF8, 0xFD));
    body.setColorAt(1.0, QColor(0xDE, 0xE9, 0xF7));
    p.setPen(QColor(0x9C, 0xBB, 0xE3));
    p.setBrush(body);
    p.drawRoundedRect(frame, 3, 3);
    if (m_collapsed)
        return;
    const QRect band = CaptionRect();
    QLinearGradient bandFill(0, band.top(), 0, band.bottom());
    bandFill.setColorAt(0.0, QColor(0xC6, 0xDA, 0xF2));
    bandFill.setColorAt(1.0, QColor(0xB4, 0xCC, 0xEC));
    p.setPen(Qt::NoPen);
    p.setBrush(bandFill);
    p.drawRoundedRect(QRectF(band).adjusted(0.5, 0, -0.5, 0), 2, 2);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(0x15, 0x42, 0x8B));
    p.drawText(band, Qt::AlignCenter, m_caption);
    for (int x : m_separators) {
        p.setPen(QColor(0xA8, 0xC2, 0xE4));
        p.drawLine(x, kMargin + 4, x, kMargin + kRowHeight * kRows - 4);
        p.setPen(QColor(0xFF, 0xFF, 0xFF, 0xC0));
        p.drawLine(x + 1, kMargin + 4, x + 1, kMargin + kRowHeight * kRows - 4);
    }
}
