// The base of the small popup panels that appear beside the mouse cursor over a view.
#pragma once

#include <QBasicTimer>
#include <QDialog>
#include <QEvent>
#include <QImage>
#include <QPointer>

#include <functional>

// A panel without activation, with a caption bar that carries a pin button and drags the panel. It
// hides itself once the cursor has gone more than 20 pixels beyond it, unless it is pinned, dragged,
// held by its owner or updating. When it closes it posts a ClosedEvent to its owner.
class CDlgTooltip : public QDialog
{
    Q_OBJECT
public:
    // Posted to the owner when the panel closes (message 0x803C); Panel() is the panel that hid itself,
    // null when it was closed with Esc.
    class ClosedEvent : public QEvent
    {
    public:
        static constexpr QEvent::Type kType = QEvent::Type(0x803C);
        explicit ClosedEvent(CDlgTooltip* panel) : QEvent(kType), m_panel(panel) {}
        CDlgTooltip* Panel() const { return m_panel; }

    private:
        QPointer<CDlgTooltip> m_panel;
    };

    // Request codes of the owner (message 0x8065).
    enum RequestCode : unsigned
    {
        kFirstRequest = 0x8069,
        kSecondRequest = 0x806A,
        kHoldOn = 0x806B,
        kHoldOff = 0x806C,
        kUpdate = 0x806D,
    };

    // Placements of ShowAtCursor.
    enum Placement
    {
        kRightBelow = 0,
        kAbove = 1,
        kLeft = 2,
        kAboveLeft = 3,
        kAbsolute = 4,
    };

    static constexpr int kCaptionHeight = 20;
    static constexpr int kHideDistance = 20;
    static constexpr int kTimerMs = 100;

    // Where the cursor is, in global coordinates; and the screen rectangle that holds a point.
    // Replaceable for tests.
    using CursorSource = std::function<QPoint()>;
    using ScreenSource = std::function<QRect(QPoint)>;

    static constexpr quint32 kTemplateId = 132;

    // `owner` gets the ClosedEvent; the panel stays above the owner's window. Panels of their own
    // pass their dialog template.
    explicit CDlgTooltip(QWidget* owner, quint32 templateId = kTemplateId);

    // Places the panel beside the cursor (see PlaceAtCursor), shows it without activating it and starts
    // the auto-hide check.
    virtual void ShowAtCursor(int dx, int dy, int placement);
    // Hides the panel (through a fade when fade-out is set) and posts a ClosedEvent to the owner.
    virtual void HidePopup();
    // A look at the panel's state on every check; true hides the panel. The base answers false.
    virtual bool ShouldHide() { return false; }

    // Handles a request of the owner (message 0x8065): 0x8069, 0x806A and 0x806D answer what their
    // handler answers (0x806D with the auto-hide suspended meanwhile); the hold codes and unknown
    // codes answer -1.
    qintptr Request(unsigned code, qintptr value);

    void ShowPinButton(bool show);
    bool PinButtonShown() const { return m_pinButtonShown; }
    bool IsPinned() const { return m_pinned; }
    bool IsHeld() const { return m_hold; }
    void SetFadeOut(bool fade) { m_fadeOut = fade; }
    QRect PinRect() const { return m_pinRect; }
    QRect CaptionRect() const { return m_captionRect; }

    void SetCursorSource(CursorSource source) { m_cursor = std::move(source); }
    void SetScreenSource(ScreenSource source) { m_screen = std::move(source); }

    // One auto-hide check; the panel's 100 ms timer runs it.
    void CheckAutoHide();

    // The top-left corner of a panel of `size` for the cursor at `cursor`, kept inside `screen`.
    static QPoint PlaceAtCursor(QSize size, QPoint cursor, int dx, int dy, int placement,
                                const QRect& screen);

protected:
    // The owner's first and second request (codes 0x8069 and 0x806A) and its update request (0x806D);
    // the base answers 0.
    virtual qintptr OnFirstRequest(qintptr) { return 0; }
    virtual qintptr OnSecondRequest(qintptr) { return 0; }
    virtual qintptr OnUpdateRequest(qintptr) { return 0; }

    void reject() override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

    bool m_dragging = false;
    bool m_captionShown = true;
    bool m_pinned = false;
    bool m_hold = false;
    bool m_updating = false;

private:
    void PlacePinButton();
    void PostClosed(CDlgTooltip* panel);

    QPointer<QWidget> m_owner;
    QImage m_pinBitmaps[2];
    QRect m_pinRect;
    QRect m_captionRect;
    QPoint m_dragOffset;
    bool m_pinButtonShown = true;
    bool m_fadeOut = false;
    QBasicTimer m_timer;
    CursorSource m_cursor;
    ScreenSource m_screen;
};
