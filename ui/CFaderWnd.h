// A window that shows the picture of a closing window and fades it out, then deletes itself.
#pragma once

#include <QBasicTimer>
#include <QPixmap>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

// Made over a window that is about to disappear: it takes the window's picture, lies over the same
// place as a translucent top-level window that lets input through, and fades from the start alpha to
// nothing over the duration. At the end it closes and deletes itself.
class CFaderWnd : public QWidget
{
    Q_OBJECT
public:
    // Milliseconds of a monotonic clock; replaceable for tests.
    using Clock = std::function<qint64()>;

    CFaderWnd(QWidget* source, unsigned durationMs, std::uint8_t startAlpha, Clock clock = {});

    // The alpha (0-255) the picture is drawn with now.
    std::uint8_t Alpha() const { return m_alpha; }

    // One step of the fade; the window's 50 ms timer calls it.
    void Tick();

    // The alpha after `elapsedMs` of a fade from `startAlpha` over `durationMs`; none once the fade
    // is over.
    static std::optional<std::uint8_t> AlphaAt(std::uint8_t startAlpha, unsigned durationMs,
                                               qint64 elapsedMs);

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    Clock m_clock;
    QPixmap m_picture;
    QBasicTimer m_timer;
    qint64 m_start = 0;
    unsigned m_duration;
    std::uint8_t m_startAlpha;
    std::uint8_t m_alpha;
    bool m_done = false;
};
