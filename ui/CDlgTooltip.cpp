// The popup panel base: placement beside the cursor, auto-hide, pin button and caption drag.
#include "ui/CDlgTooltip.h"

#include "ui/CFaderWnd.h"
#include "ui/DialogTemplateLoader.h"
#include "ui/ResourcePictures.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

namespace {

// A picture of the language module with its white pixels made transparent; null when the module has
// none.
QImage LoadTransparentBitmap(quint32 id)
{
    QImage image = LoadCxImageFromResource(id, PICTURE_FORMAT_BITMAP);
    if (image.isNull())
        return image;
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == 0xFFFFFF)
                line[x] = 0;
        }
    }
    return image;
}

QRect ScreenAt(QPoint point)
{
    QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

} // namespace

CDlgTooltip::CDlgTooltip(QWidget* owner, quint32 templateId)
    : QDialog(owner, Qt::Tool | Qt::FramelessWindowHint), m_owner(owner),
      m_cursor([] { return QCursor::pos(); }), m_screen(ScreenAt)
{
    QString error;
    if (!DialogTemplateLoader::Load(templateId, this, &error))
        qWarning("%s", qPrintable(error));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    m_pinBitmaps[0] = LoadTransparentBitmap(580);
    m_pinBitmaps[1] = LoadTransparentBitmap(581);
    PlacePinButton();
}

QPoint CDlgTooltip::PlaceAtCursor(QSize size, QPoint cursor, int dx, int dy, int placement,
                                  const QRect& screen)
{
    const int w = size.width();
    const int h = size.height();
    QPoint at;
    switch (placement) {
    case kAbove:
        at = {cursor.x() + dx, cursor.y() - h + dy};
        break;
    case kLeft:
        at = {cursor.x() - w + dx, cursor.y() + dy};
        break;
    case kAboveLeft:
        at = {cursor.x() - w + dx, cursor.y() - h + dy};
        break;
    case kAbsolute:
        at = {dx, dy};
        break;
    default:
        at = {cursor.x() + dx, cursor.y() + dy};
        break;
    }
    // Keep the panel on the screen it appears on.
    if (at.x() < screen.left())
        at.setX(screen.left());
    if (at.x() + w > screen.left() + screen.width())
        at.setX(screen.left() + screen.width() - w);
    if (at.y() < screen.top())
        at.setY(screen.top());
    if (at.y() + h > screen.top() + screen.height())
        at.setY(screen.top() + screen.height() - h);
    return at;
}

void CDlgTooltip::ShowAtCursor(int dx, int dy, int placement)
{
    const QPoint cursor = m_cursor();
    const QSize size = frameGeometry().size();
    move(PlaceAtCursor(size, cursor, dx, dy, placement, m_screen(cursor)));
    show();
    update();
    m_timer.start(kTimerMs, this);
}

void CDlgTooltip::HidePopup()
{
    if (m_fadeOut && isVisible())
        new CFaderWnd(this, 200, 150);
    hide();
    m_timer.stop();
    m_captionShown = true;
    m_dragging = false;
    PostClosed(this);
}

void CDlgTooltip::PostClosed(CDlgTooltip* panel)
{
    if (m_owner)
        QCoreApplication::postEvent(m_owner, new ClosedEvent(panel));
}

void CDlgTooltip::reject()
{
    // Esc: the panel closes without naming itself.
    m_timer.stop();
    m_pinned = false;
    m_dragging = false;
    PostClosed(nullptr);
    QDialog::reject();
}

qintptr CDlgTooltip::Request(unsigned code, qintptr value)
{
    switch (code) {
    case kFirstRequest:
        return OnFirstRequest(value);
    case kSecondRequest:
        return OnSecondRequest(value);
    case kHoldOn:
        m_hold = true;
        return -1;
    case kHoldOff:
        m_hold = false;
        return -1;
    case kUpdate: {
        m_updating = true;
        const qintptr result = OnUpdateRequest(value);
        m_updating = false;
        return result;
    }
    default:
        return -1;
    }
}

void CDlgTooltip::ShowPinButton(bool show)
{
    m_pinButtonShown = show;
    if (show)
        update();
    else
        update(m_pinRect);
}

void CDlgTooltip::CheckAutoHide()
{
    if (ShouldHide()) {
        // Hidden once is enough: a second check would notify the owner twice.
        HidePopup();
        return;
    }
    if (m_dragging || m_pinned || m_hold || m_updating)
        return;
    const QRect reach =
        frameGeometry().adjusted(-kHideDistance, -kHideDistance, kHideDistance, kHideDistance);
    if (!reach.contains(m_cursor()))
        HidePopup();
}

void CDlgTooltip::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timer.timerId())
        CheckAutoHide();
    else
        QDialog::timerEvent(event);
}

void CDlgTooltip::PlacePinButton()
{
    const QSize pin = m_pinBitmaps[0].isNull() ? QSize(14, 14) : m_pinBitmaps[0].size();
    m_pinRect = QRect(QPoint(width() - 3 - pin.width(), (kCaptionHeight - pin.height()) / 2), pin);
    m_captionRect = QRect(0, 0, width(), kCaptionHeight - 3);
}

void CDlgTooltip::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const QRect old = m_pinRect;
    PlacePinButton();
    if (m_pinButtonShown) {
        update(old);
        update(m_pinRect);
    }
}

void CDlgTooltip::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (!m_captionShown)
        return;
    QPainter painter(this);
    painter.fillRect(m_captionRect, QColor(0xA6, 0xA8, 0xFD));
    if (m_pinButtonShown) {
        const QImage& pin = m_pinBitmaps[m_pinned ? 1 : 0];
        if (!pin.isNull())
            painter.drawImage(m_pinRect.topLeft(), pin);
    }
}

void CDlgTooltip::mousePressEvent(QMouseEvent* event)
{
    QDialog::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (m_pinButtonShown && m_pinRect.contains(at)) {
        m_pinned = !m_pinned;
        update(m_pinRect);
    }
    if (m_captionRect.contains(at)) {
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
}

void CDlgTooltip::mouseMoveEvent(QMouseEvent* event)
{
    QDialog::mouseMoveEvent(event);
    if (m_dragging) {
        move(event->globalPosition().toPoint() - m_dragOffset);
        return;
    }
    if (!m_captionShown && rect().contains(event->position().toPoint())) {
        m_captionShown = true;
        update();
    }
}

void CDlgTooltip::mouseReleaseEvent(QMouseEvent* event)
{
    QDialog::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
}
