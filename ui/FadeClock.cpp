// The millisecond clock of the strip fades and its replaceable source.
#include "ui/FadeClock.h"

#include <QElapsedTimer>

namespace {

std::function<qint64()>& Source()
{
    static std::function<qint64()> source;
    return source;
}

} // namespace

qint64 FadeClock::Now()
{
    if (Source()) {
        const qint64 now = Source()();
        return now == 0 ? 1 : now;
    }
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.elapsed() + 1;
}

void FadeClock::SetSource(std::function<qint64()> source)
{
    Source() = std::move(source);
}

ScopedFadeClock::ScopedFadeClock(qint64 start) : m_now(start)
{
    FadeClock::SetSource([this] { return m_now; });
}

ScopedFadeClock::~ScopedFadeClock()
{
    FadeClock::SetSource({});
}
