// The tooltip of the ribbon's controls: an icon, a bold title and a description, at most 180 pixels
// wide, shown after the pointer rested 400 ms on a control.
#pragma once

#include <QFrame>
#include <QPointer>
#include <QTimer>

class QLabel;

class RibbonToolTip : public QFrame
{
    Q_OBJECT
public:
    static constexpr int kMaxWidth = 180;
    static constexpr int kDelayMs = 400;

    explicit RibbonToolTip(QWidget* parent = nullptr);

    // Shows the tip of `control` when the pointer rests on it. The texts and the icon are read when the
    // tip opens, so they may change in between.
    void Watch(QWidget* control, const QString& title, const QString& text, const QIcon& icon);

    // Opens the tip of a watched control below it at once; false for a control without texts.
    bool ShowFor(QWidget* control);
    QWidget* Shown() const { return isVisible() ? m_control.data() : nullptr; }

    QString Title() const;
    QString Text() const;
    bool HasIcon() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_icon;
    QLabel* m_title;
    QLabel* m_text;
    QTimer m_wake;
    QPointer<QWidget> m_pending;
    QPointer<QWidget> m_control;
};
