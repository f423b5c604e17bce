// One image button of a button strip: caption, icon, check state, tool tip and its fading state images.
#pragma once

#include "ui/FadeChannel.h"

#include <QBasicTimer>
#include <QEvent>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <array>
#include <optional>

class CRibBtnContainer;

// The layout record every entry of a strip carries, button or separator.
struct RibEntryRecord
{
    qint32 marker = -1;
    qint32 alignment = 0; // 0 placed from the left, 1 from the right
    qint32 gap = 0;       // free pixels before the entry on its side
    qint32 id = 0;        // command id of a button, or the separator id
    qint32 visible = 1;   // takes part in layout
    qint32 placed = 0;    // got a place in the last layout
    qint32 flags = 0;     // low 16 bits caption mode, kToolTipByLayout

    static constexpr qint32 kToolTipByLayout = 0x10000;
    int CaptionMode() const { return flags & 0xFFFF; }
    void SetCaptionMode(int mode) { flags = (flags & ~0xFFFF) | (mode & 0xFFFF); }
};

class CRibBtn : public QWidget
{
    Q_OBJECT

public:
    // Messages from the strip to its buttons (event types of the same numbers).
    static constexpr int kMouseEntered = 0x8118; // posted
    static constexpr int kMouseLeft = 0x8119;    // posted
    static constexpr int kPressed = 0x811A;      // posted
    static constexpr int kReleased = 0x811B;     // sent; the argument tells "released over this button"

    enum Channel
    {
        kHover = 0,
        kChecked = 1,
        kHoverChecked = 2,
        kPress = 3,
        kEnabled = 4,
        kChannels = 6
    };
    enum CaptionMode
    {
        kFullCaption = 0,
        kEllipsis = 1,
        kNoCaption = 2
    };
    enum ToolTipMode
    {
        kToolTipNone = 0,
        kToolTipAlways = 1,
        kToolTipWhenEnabled = 2
    };

    static constexpr int kMinWidth = 42;
    static constexpr int kIconSize = 32;
    static constexpr int kFadeInMs = 0;
    static constexpr int kFadeOutMs = 250;
    static constexpr int kStateImageBase = 3512; // + 4 with the icon beside the text

    CRibBtn(bool iconBesideText, CRibBtnContainer* strip);
    ~CRibBtn() override;

    // Makes the button of command `id`: texts from the string with that id (with the fallback
    // texts), an explicit caption replacing the caption, state images, icon and size.
    void Init(quint32 id, QObject* notify, const std::optional<QString>& caption);

    CRibBtnContainer* Strip() const { return m_strip; }
    RibEntryRecord& Record() { return m_record; }
    const RibEntryRecord& Record() const { return m_record; }
    quint32 CommandId() const { return static_cast<quint32>(m_record.id); }
    QObject* NotifyWindow() const { return m_notify; }

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption) { m_caption = caption; }
    QString ToolTipTitle() const { return m_toolTipTitle; }
    QString ToolTipText() const { return m_toolTipText; }
    void SetToolTipTexts(const QString& title, const QString& text);
    int ToolTipMode() const { return m_toolTipMode; }
    void SetToolTipMode(int mode) { m_toolTipMode = mode; }
    quint32 IconId() const { return m_iconId; }
    void SetIconId(quint32 id);
    quint32 ToolTipIconId() const { return m_toolTipIconId; }
    void SetToolTipIconId(quint32 id) { m_toolTipIconId = id; }

    int CheckMode() const { return m_checkMode; }
    void SetCheckMode(int mode);
    int Checked() const { return m_checked; }
    // Takes a new check state without notification (check mode only) and refreshes the look.
    void SetCheck(int state);
    // Offers a new check state to the notify window, which may veto it; answers the state now held.
    int SetCheckNotify(int state);

    int Value() const { return m_value; }
    void SetValue(int value) { m_value = value; }
    int Anchor() const { return m_anchor; }
    void SetAnchor(int anchor) { m_anchor = anchor; }
    bool IsDefault() const { return m_default; }
    void SetDefault(bool on) { m_default = on; }
    void SetStoredSize(int cx, int cy)
    {
        m_sizeValues[0] = cx;
        m_sizeValues[1] = cy;
    }
    bool AutoSizeEnabled() const { return m_autoSize; }
    bool IconBesideText() const { return m_iconBeside; }
    int NominalHeight() const { return m_nominalHeight; }
    int PreferredWidth() const { return m_preferredWidth; }
    bool MousePressed() const { return m_mousePressed; }
    // The button's own enabled state, whatever its parents' is.
    bool IsWindowEnabled() const { return !testAttribute(Qt::WA_ForceDisabled); }

    // The width for caption lines: widest line + 5, + 38 with the icon beside the text, at least 42.
    int WidthFor(const QStringList& lines) const;
    // Measures the caption; with auto-size, resizes the button to it. Answers the new width when
    // the button changed width (the strip then lays out again), else 0.
    int AutoSize();

    // The look from hover, press, check and enable state: sets the fade targets and repaints.
    void UpdateLook(bool hover, bool pressed);
    // One step of every running fade (the 1 ms timer calls it).
    void StepFades();
    const FadeChannel& Fade(int channel) const { return m_fades[channel]; }
    bool FadeRunning() const { return m_fadeTimer.isActive(); }
    // The button draws the strip's background where no full state image covers it.
    bool ShowsStripBackground() const;

    QFont ButtonFont() const { return m_font; }
    const QStringList& CaptionLines() const { return m_lines; }
    const QImage& StateImage(int slot) const { return m_stateImages[slot]; }

    // Splits the string `id` into caption, tool-tip title and text; a missing or empty string
    // gives nothing (false), or with `fallback` the texts of string 3522.
    static bool TextsFromString(quint32 id, bool fallback, QString* caption, QString* title, QString* text);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void SetFadeTarget(int channel, int value);
    void OnClick(bool releasedInside);
    bool CursorOver() const;

    CRibBtnContainer* m_strip;
    RibEntryRecord m_record;
    int m_checkMode = 0;
    QString m_caption;
    std::array<FadeChannel, kChannels> m_fades{};
    int m_fadeInMs = kFadeInMs;
    int m_fadeOutMs = kFadeOutMs;
    float m_fadeInRate = 0.0f;
    float m_fadeOutRate = 100.0f / kFadeOutMs;
    std::array<QImage, 4> m_stateImages;
    quint32 m_iconId = 0;
    int m_checked = 0;
    QPointer<QObject> m_notify;
    std::array<int, 2> m_sizeValues{-1, -1};
    QFont m_font;
    QStringList m_lines;
    bool m_mousePressed = false;
    int m_toolTipMode = kToolTipAlways;
    quint32 m_toolTipIconId = 0;
    QString m_toolTipTitle;
    QString m_toolTipText;
    bool m_autoSize = true;
    int m_value = 0;
    bool m_iconBeside;
    int m_minWidth = kMinWidth;
    int m_nominalHeight;
    int m_anchor = -1;
    bool m_default = false;
    int m_preferredWidth = kMinWidth;
    QBasicTimer m_fadeTimer;
};

// A message from the strip to one of its buttons.
class RibBtnEvent : public QEvent
{
public:
    RibBtnEvent(int message, bool argument = false)
        : QEvent(static_cast<QEvent::Type>(message)), m_argument(argument)
    {
    }
    bool Argument() const { return m_argument; }

private:
    bool m_argument;
};
