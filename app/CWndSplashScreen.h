// The borderless picture window shown at start-up; its end shows the main window.
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

class CWndSplashScreen : public QWidget
{
    Q_OBJECT
public:
    explicit CWndSplashScreen(QWidget* owner);
    ~CWndSplashScreen() override;

    // Loads picture `bitmapId` of the language module and shows it centred on the primary screen, on
    // top, for `ms` milliseconds; then the window closes itself, runs `onEnd` and is deleted. Answers
    // false (showing nothing) when the picture is missing.
    bool Create(quint32 bitmapId, int ms, std::function<void()> onEnd);

    int DisplayMs() const { return m_ms; }
    const QImage& Picture() const { return m_picture; }

    // Ends the splash now, as its timer does.
    void End();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_ms = 3500;
    QImage m_picture;
    std::function<void()> m_onEnd;
    bool m_ended = false;
};
