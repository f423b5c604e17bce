// Image buttons of the button strips.
#include "ui/CRibBtn.h"

#include "model/text/TextProvider.h"
#include "ui/CRibBtnContainer.h"
#include "ui/CommandEvent.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/FadeClock.h"
#include "ui/ImageManager.h"
#include "ui/NotifyEvent.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {

constexpr quint32 kToolTipTextOfOnePart = 3521;
constexpr quint32 kFallbackTexts = 3522;

QColor FromColorref(quint32 colorref)
{
    return QColor(colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF);
}

} // namespace

CRibBtn::CRibBtn(bool iconBesideText, CRibBtnContainer* strip)
    : QWidget(strip), m_strip(strip), m_iconBeside(iconBesideText), m_nominalHeight(iconBesideText ? 42 : 66)
{
    m_fades[kEnabled].target = 100;
    m_fades[kEnabled].current = 100;
    m_font = QApplication::font();
    m_font.setPixelSize(12);
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowTitle(QStringLiteral("RibBtnWnd"));
    hide();
}

CRibBtn::~CRibBtn() = default;

void CRibBtn::Init(quint32 id, QObject* notify, const std::optional<QString>& caption)
{
    m_record.id = static_cast<qint32>(id);
    ControlId::Set(this, static_cast<int>(id));
    m_checkMode = 0;
    m_notify = notify;
    TextsFromString(id, true, &m_caption, &m_toolTipTitle, &m_toolTipText);
    if (caption)
        m_caption = *caption;
    m_minWidth = kMinWidth;
    setGeometry(0, 0, kMinWidth, m_nominalHeight);

    const int base = kStateImageBase + (m_iconBeside ? 4 : 0);
    for (int slot = 0; slot < 4; ++slot)
        m_stateImages[slot] = ImageManager::Bitmap(base + slot);
    m_iconId = id;
    m_toolTipIconId = id;
    if (!ImageManager::HasIcon(id))
        ImageManager::SetIcons(id);
    AutoSize();
}

bool CRibBtn::TextsFromString(quint32 id, bool fallback, QString* caption, QString* title, QString* text)
{
    QString source = QString::fromStdString(LoadResString(id));
    if (source.isEmpty()) {
        if (!fallback)
            return false;
        source = QString::fromStdString(LoadResString(kFallbackTexts));
        if (source.isEmpty())
            return false;
    }
    QStringList parts;
    QString rest = source;
    for (int i = 0; i < 2; ++i) {
        const qsizetype cut = rest.indexOf(QLatin1Char('\n'));
        if (cut < 0)
            break;
        parts << rest.left(cut);
        rest = rest.mid(cut + 1);
    }
    parts << rest;
    if (parts.size() == 3) {
        *text = parts[0];
        *title = parts[1];
        *caption = parts[2];
    } else if (parts.size() == 2) {
        *text = parts[0];
        *title = parts[1];
        *caption = parts[1];
    } else {
        *caption = parts[0];
        *title = parts[0];
        *text = QString::fromStdString(LoadResString(kToolTipTextOfOnePart));
    }
    return true;
}

void CRibBtn::SetToolTipTexts(const QString& title, const QString& text)
{
    m_toolTipTitle = title;
    m_toolTipText = text;
}

void CRibBtn::SetIconId(quint32 id)
{
    m_iconId = id;
    if (!ImageManager::HasIcon(id))
        ImageManager::SetIcons(id);
    update();
}

void CRibBtn::SetCheckMode(int mode)
{
    m_checkMode = mode;
    m_checked = 0;
    UpdateLook(m_strip && m_strip->HotButton() == this, m_mousePressed);
}

void CRibBtn::SetCheck(int state)
{
    if (!m_checkMode || state == m_checked)
        return;
    m_checked = state;
    UpdateLook(m_strip && m_strip->HotButton() == this, m_strip && m_strip->PressedButton() == this);
}

int CRibBtn::SetCheckNotify(int state)
{
    if (state == m_checked || !m_notify)
        return m_checked;
    QPointer<CRibBtn> self(this);
    NotifyEvent notify(CommandId(), state, this);
    QCoreApplication::sendEvent(m_notify, &notify);
    if (!self)
        return state;
    if (notify.Code() == state) {
        m_checked = state;
        UpdateLook(CursorOver(), m_strip && m_strip->PressedButton() == this);
    }
    return m_checked;
}

int CRibBtn::WidthFor(const QStringList& lines) const
{
    const QFontMetrics metrics(m_font);
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    int width = widest + 5 + (m_iconBeside ? 38 : 0);
    return std::max(width, m_minWidth);
}

int CRibBtn::AutoSize()
{
    m_lines = m_caption.split(QLatin1Char('\n'));
    m_preferredWidth = WidthFor(m_lines);
    if (m_autoSize && width() != m_preferredWidth) {
        resize(m_preferredWidth, height());
        return m_preferredWidth;
    }
    return 0;
}

void CRibBtn::SetFadeTarget(int channel, int value)
{
    if (m_fades[channel].SetTarget(value, FadeClock::Now()) && !m_fadeTimer.isActive())
        m_fadeTimer.start(1, this);
    // A zero fade-in shows the image at once, without waiting for the timer.
    if (m_fades[channel].current < value && m_fadeInRate <= 0.0f && channel != kEnabled)
        m_fades[channel].current = value;
}

void CRibBtn::UpdateLook(bool hover, bool pressed)
{
    if (IsWindowEnabled()) {
        const bool checked = m_checkMode && m_checked;
        SetFadeTarget(kChecked, checked ? 100 : 0);
        if (checked) {
            SetFadeTarget(kHoverChecked, hover ? 100 : 0);
            SetFadeTarget(kHover, 0);
        } else {
            SetFadeTarget(kHover, hover ? 100 : 0);
            SetFadeTarget(kHoverChecked, 0);
        }
        SetFadeTarget(kPress, pressed ? 100 : 0);
    } else {
        for (int channel = kHover; channel <= kPress; ++channel)
            SetFadeTarget(channel, 0);
    }
    SetFadeTarget(kEnabled, IsWindowEnabled() ? 100 : 0);
    update();
}

void CRibBtn::StepFades()
{
    const qint64 now = FadeClock::Now();
    bool done = true;
    for (int channel = 0; channel < kChannels; ++channel) {
        const float rateIn = channel == kEnabled ? m_fadeOutRate : m_fadeInRate;
        if (!m_fades[channel].Step(now, rateIn, m_fadeOutRate))
            done = false;
    }
    if (done)
        m_fadeTimer.stop();
    update();
}

bool CRibBtn::ShowsStripBackground() const
{
    const bool fullChecked = IsWindowEnabled() && m_checkMode && m_checked;
    return !fullChecked && m_fades[kHover].current != 100 && m_fades[kPress].current != 100;
}

bool CRibBtn::CursorOver() const
{
    return m_strip && geometry().contains(m_strip->LastMousePoint()) && !isHidden();
}

void CRibBtn::OnClick(bool releasedInside)
{
    m_mousePressed = false;
    if (!releasedInside)
        return;
    QPointer<CRibBtn> self(this);
    bool send = true;
    if (m_checkMode) {
        const int wanted = m_checked ? 0 : 1;
        send = SetCheckNotify(wanted) == wanted;
    }
    if (send && self && m_notify) {
        CommandEvent command(CommandId());
        QCoreApplication::sendEvent(m_notify, &command);
    }
    if (self)
        UpdateLook(CursorOver(), false);
}

bool CRibBtn::event(QEvent* event)
{
    switch (static_cast<int>(event->type())) {
    case kMouseEntered:
        if (IsWindowEnabled()) {
            if (m_mousePressed)
                SetFadeTarget(kPress, 100);
            SetFadeTarget(m_checkMode && m_checked ? kHoverChecked : kHover, 100);
            update();
        }
        return true;
    case kMouseLeft:
        if (IsWindowEnabled()) {
            if (m_mousePressed)
                SetFadeTarget(kPress, 0);
            SetFadeTarget(m_checkMode && m_checked ? kHoverChecked : kHover, 0);
            update();
        }
        return true;
    case kPressed:
        m_mousePressed = true;
        if (IsWindowEnabled()) {
            SetFadeTarget(kPress, 100);
            update();
        }
        return true;
    case kReleased:
        OnClick(static_cast<RibBtnEvent*>(event)->Argument());
        return true;
    case QEvent::ToolTip: {
        const QString tip = m_strip ? m_strip->ToolTipFor(this) : QString();
        auto* help = static_cast<QHelpEvent*>(event);
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this, rect().adjusted(0, 0, 0, 19));
        }
        return true;
    }
    default:
        return QWidget::event(event);
    }
}

void CRibBtn::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && m_strip)
        UpdateLook(m_strip->HotButton() == this, m_mousePressed);
    QWidget::changeEvent(event);
}

void CRibBtn::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
}

void CRibBtn::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}

void CRibBtn::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_fadeTimer.timerId())
        StepFades();
    else
        QWidget::timerEvent(event);
}

void CRibBtn::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_strip)
        m_strip->OnMouseDown(mapTo(m_strip, event->position().toPoint()), this);
}

void CRibBtn::mouseMoveEvent(QMouseEvent* event)
{
    if (m_strip)
        m_strip->OnMouseMove(mapTo(m_strip, event->position().toPoint()), this);
}

void CRibBtn::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_strip)
        m_strip->OnMouseUp(mapTo(m_strip, event->position().toPoint()), this);
}

void CRibBtn::paintEvent(QPaintEvent*)
{
    const int w = width();
    const int h = height();
    QImage canvas(size(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);

    // What lies beneath: the strip's own background, so the button looks transparent.
    if (m_strip) {
        const QImage& background = m_strip->BackgroundCache();
        if (!background.isNull())
            painter.drawImage(QPoint(0, 0), background, geometry());
    }

    // State images: checked, hover, hover while checked, pressed.
    static constexpr int kOrder[] = {kChecked, kHover, kHoverChecked, kPress};
    for (int slot : kOrder) {
        const QImage& image = m_stateImages[slot];
        const int alpha = m_fades[slot].current;
        if (image.isNull() || alpha <= 0)
            continue;
        painter.setOpacity(alpha / 100.0);
        if (image.size() == size()) {
            painter.drawImage(0, 0, image);
        } else {
            const int e = 3;
            painter.drawImage(QRect(0, 0, e, h), image, QRect(0, 0, e, image.height()));
            painter.drawImage(QRect(w - e, 0, e, h), image, QRect(39, 0, e, image.height()));
            painter.drawImage(QRect(e, 0, w - 2 * e, h), image, QRect(e, 0, 36, m_nominalHeight));
        }
    }
    painter.setOpacity(1.0);

    const bool enabled = IsWindowEnabled();
    const QImage icon = ImageManager::Icon(m_iconId, !enabled);
    if (!icon.isNull()) {
        const QPoint at = m_iconBeside ? QPoint(3, (h - kIconSize) / 2) : QPoint((w - kIconSize) / 2, 4);
        painter.drawImage(QRect(at, QSize(kIconSize, kIconSize)), icon);
    }

    QStringList lines;
    const int mode = m_record.CaptionMode();
    if (mode == kFullCaption)
        lines = m_lines;
    else if (mode == kEllipsis)
        lines << QStringLiteral("...");
    painter.setFont(m_font);
    painter.setPen(FromColorref(enabled ? 0x8B4215 : 0x909090));
    const QFontMetrics metrics(m_font);
    if (!m_iconBeside) {
        const int tops[] = {h - 28, h - 15};
        for (int i = 0; i < std::min<qsizetype>(2, lines.size()); ++i)
            painter.drawText(QRect(0, tops[i], w, metrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                             lines[i]);
    } else {
        const int lineHeight = metrics.height() + metrics.leading();
        int top = (h - lineHeight * static_cast<int>(lines.size())) / 2 - 1;
        for (const QString& line : lines) {
            painter.drawText(QRect(38, top, w - 38, lineHeight), Qt::AlignLeft | Qt::AlignTop, line);
            top += lineHeight;
        }
    }

    if (hasFocus()) {
        QPen pen(QColor(0x40, 0x40, 0x40));
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(1, 1, w - 3, h - 3));
    }
    painter.end();

    QPainter screen(this);
    screen.drawImage(0, 0, canvas);
}
