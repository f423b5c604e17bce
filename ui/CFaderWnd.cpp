// The fading copy of a closing window.
#include "ui/CFaderWnd.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QTimerEvent>

#include <cstdlib>

namespace {

qint64 MonotonicMs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

} // namespace

CFaderWnd::CFaderWnd(QWidget* source, unsigned durationMs, std::uint8_t startAlpha, Clock clock)
    : QWidget(source && source->parentWidget() ? source->parentWidget()->window() : nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput |
                  Qt::WindowDoesNotAcceptFocus),
      m_clock(clock ? std::move(clock) : Clock(MonotonicMs)), m_duration(durationMs),
      m_startAlpha(startAlpha), m_alpha(startAlpha)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    if (!source) {
        m_done = true;
        deleteLater();
        return;
    }
    m_picture = source->grab();
    setGeometry(QRect(source->mapToGlobal(QPoint(0, 0)), source->size()));
    show();
    m_start = m_clock();
    m_timer.start(50, this);
}

std::optional<std::uint8_t> CFaderWnd::AlphaAt(std::uint8_t startAlpha, unsigned durationMs, qint64 elapsedMs)
{
    const std::uint64_t elapsed = std::uint64_t(std::llabs(elapsedMs));
    if (elapsed >= durationMs)
        return std::nullopt;
    return std::uint8_t(startAlpha - startAlpha * elapsed / durationMs);
}

void CFaderWnd::Tick()
{
    if (m_done)
        return;
    if (const std::optional<std::uint8_t> alpha = AlphaAt(m_startAlpha, m_duration, m_clock() - m_start)) {
        m_alpha = *alpha;
        update();
        return;
    }
    m_done = true;
    m_timer.stop();
    hide();
    deleteLater();
}

void CFaderWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setOpacity(m_alpha / 255.0);
    painter.drawPixmap(0, 0, m_picture);
}

void CFaderWnd::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timer.timerId())
        Tick();
    else
        QWidget::timerEvent(event);
}
