// Painting of the tile strip and the input its canvas receives.
#include "CHListbox.h"

#include "ui/CommandEvent.h"
#include "ui/FadeClock.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>

#include <algorithm>
#include <cstdlib>

// ---- painting ------------------------------------------------------------------------------------

void CHListbox::PaintCanvas(QPainter& painter, const QRect& area)
{
    if (m_layoutDirty)
        Layout();
    const QRect canvas = CanvasRect();
    painter.fillRect(canvas, Qt::white);
    const QColor workspace = palette().color(QPalette::Dark);
    if (m_items.empty()) {
        painter.fillRect(canvas, workspace);
        return;
    }
    const int firstLeft = m_items.front()->rect.left() - m_offset;
    if (firstLeft > 0) {
        painter.fillRect(QRect(0, 0, firstLeft, canvas.height()), workspace);
        painter.setPen(Qt::black);
        painter.drawLine(firstLeft - 1, 0, firstLeft - 1, canvas.height() - 1);
    }
    const int end = m_items.back()->rect.left() + m_items.back()->width + 1 - m_offset;
    if (end < canvas.width())
        painter.fillRect(QRect(end, 0, canvas.width() - end, canvas.height()), workspace);
    const QColor separator = CanvasFocused() ? QColor(Qt::black) : QColor(220, 220, 220);
    const QRect view(m_offset, 0, canvas.width(), canvas.height());
    for (auto& tile : m_items) {
        const QRect place = tile->rect.translated(-m_offset, 0);
        if (!tile->rect.intersects(view)) {
            if ((m_flags & kHlbOwnerDrawn) && (m_flags & kHlbUnloadInvisible) && tile->state == kTileLoaded &&
                !tile->offeredForUnload) {
                tile->offeredForUnload = true;
                if (MayUnload(*tile)) {
                    tile->state = kTileNotLoaded;
                    tile->loadOutput.clear();
                }
            }
            continue;
        }
        if (!place.adjusted(0, 0, 1, 0).intersects(area))
            continue;
        painter.save();
        painter.translate(place.topLeft());
        painter.setClipRect(QRect(0, 0, tile->width, place.height()));
        painter.fillRect(QRect(0, 0, tile->width, place.height()), Qt::white);
        PaintTile(painter, *tile);
        painter.restore();
        painter.setPen(separator);
        painter.drawLine(place.left() + tile->width, 0, place.left() + tile->width, place.height() - 1);
    }
}

void CHListbox::PaintTile(QPainter& painter, HListboxItem& tile)
{
    const QRect rect(0, 0, tile.width, m_canvas->height());
    if (!(m_flags & kHlbOwnerDrawn)) {
        PaintFallback(painter, tile, rect, tile.text);
        return;
    }
    if (tile.state == kTileNotLoaded) {
        const int width = tile.width;
        EnsureItemLoaded(tile, true);
        if (tile.width != width)
            m_layoutDirty = true;
    }
    HListboxDraw draw;
    draw.painter = &painter;
    draw.rect = rect;
    draw.controlId = m_controlId;
    draw.ownerValue = tile.ownerValue;
    const int shown = m_pressed >= 0 ? m_pressed : m_selected;
    draw.stateBits = (tile.state != kTileLoaded ? kDrawNotLoaded : 0) |
                     (tile.index == shown ? kDrawSelected : 0) | (CanvasFocused() ? kDrawFocused : 0);
    draw.loadState = tile.state;
    draw.ownerData = tile.ownerData;
    draw.index = tile.index;
    draw.insertTick = tile.insertTick;
    draw.loadTick = tile.loadTick;
    draw.item = &tile;
    DrawBackground(draw);
    if (DrawItem(draw))
        return;
    PaintFallback(painter, tile, rect, TileCaption(tile, FadeClock::Now()));
}

QString CHListbox::TileCaption(const HListboxItem& tile, qint64 now)
{
    if (tile.state == kTileLoading) {
        const qint64 elapsed = tile.loadTick ? std::max<qint64>(0, now - tile.loadTick) : 0;
        return QStringLiteral("loading") +
               QString(static_cast<int>((elapsed / 400) % 5 + 1), QLatin1Char('.'));
    }
    if (tile.state == kTileFailed)
        return QStringLiteral("ERROR");
    return tile.text;
}

void CHListbox::PaintFallback(QPainter& painter, const HListboxItem& tile, const QRect& rect,
                              const QString& text)
{
    const QPalette& colours = palette();
    const int shown = m_pressed >= 0 ? m_pressed : m_selected;
    const bool selected = tile.index == shown;
    QColor ink = colours.color(QPalette::Active, QPalette::WindowText);
    if (selected) {
        painter.fillRect(rect, colours.color(QPalette::Active, QPalette::Highlight));
        ink = colours.color(QPalette::Active, QPalette::HighlightedText);
    } else if (tile.state != kTileLoaded) {
        painter.fillRect(rect, colours.color(QPalette::Inactive, QPalette::Window));
        ink = colours.color(QPalette::Inactive, QPalette::WindowText);
    }
    int align = Qt::AlignVCenter;
    if (m_flags & kHlbTextTop)
        align = Qt::AlignTop;
    else if (m_flags & kHlbTextBottom)
        align = Qt::AlignBottom;
    if ((m_flags & kHlbFixedWidth) && (m_flags & kHlbTextRight))
        align |= Qt::AlignRight;
    else if (m_flags & kHlbOwnerDrawn)
        align |= Qt::AlignHCenter;
    else if (((m_flags & kHlbFixedWidth) && (m_flags & kHlbTextLeft)) || !(m_flags & kHlbFixedWidth))
        align |= Qt::AlignLeft;
    else
        align |= Qt::AlignHCenter;
    painter.setPen(ink);
    painter.drawText(rect.adjusted(2, 2, -2, -2), align, text);
    if (selected && CanvasFocused()) {
        QPen dotted(ink, 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(rect.adjusted(1, 1, -2, -2));
    }
}

// ---- events --------------------------------------------------------------------------------------

void CHListbox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ArrangeChildren();
}

void CHListbox::ArrangeChildren()
{
    const int buttonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int barHeight = buttonWidth;
    const int canvasHeight = std::max(0, height() - barHeight);
    m_left->setGeometry(0, 0, buttonWidth, canvasHeight);
    m_right->setGeometry(width() - buttonWidth, 0, buttonWidth, canvasHeight);
    m_canvas->setGeometry(buttonWidth - 1, 0, std::max(0, width() - 2 * buttonWidth + 2), canvasHeight);
    m_scrollBar->setGeometry(0, canvasHeight, width(), barHeight);
    m_layoutDirty = true;
    Layout();
}

bool CHListbox::MouseEvent(QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    const HListboxDrag drag{m_pressed, pos, mouse->globalPosition().toPoint()};
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        if (mouse->button() != Qt::LeftButton)
            return false;
        m_canvas->setFocus(Qt::MouseFocusReason);
        // A second click within the double-click time may follow; the click's scroll waits for it.
        m_clickReady = false;
        m_clickTimer.start(QApplication::doubleClickInterval());
        const HListboxHit hit = HitTest(pos.x(), pos.y());
        if (hit.index < 0)
            return true;
        m_pressed = hit.index;
        m_pressPos = pos;
        m_canvas->update();
        // The pointer stays with the strip while the button is held, also while a tile is dragged away.
        m_canvas->grabMouse();
        return true;
    }
    case QEvent::MouseMove:
        TrackAreas(pos);
        if (m_dragging) {
            DragMove(drag);
        } else if (m_pressed >= 0 && (mouse->buttons() & Qt::LeftButton) && DragWanted(pos)) {
            // The owner may take the tile away; a sideways swipe inside the strip stays with the strip.
            const HListboxItem* tile = GetItem(m_pressed);
            if (tile && tile->state == kTileLoaded && BeginDrag(drag)) {
                m_dragging = true;
                m_canvas->update();
                DragMove(drag);
            }
        } else if (m_pressed >= 0 && (mouse->buttons() & Qt::LeftButton) &&
                   (pos.x() < 0 || pos.x() >= CanvasWidth())) {
            // Leaving sideways: an owner that takes tiles away takes this one (onto a plan beside the
            // strip), as when it leaves upwards or downwards; otherwise the neighbour on that side is
            // pressed and brought into view.
            const HListboxItem* tile = GetItem(m_pressed);
            if (tile && tile->state == kTileLoaded && BeginDrag(drag)) {
                m_dragging = true;
                m_canvas->update();
                DragMove(drag);
                return true;
            }
            const int next = m_pressed + (pos.x() < 0 ? -1 : 1);
            if (next >= 0 && next < GetItemCount() && !m_anim.active) {
                m_pressed = next;
                ScrollToItem(next, 7);
            }
        }
        return true;
    case QEvent::MouseButtonRelease: {
        if (mouse->button() != Qt::LeftButton)
            return false;
        if (m_dragging) {
            m_dragging = false;
            m_pressed = -1;
            m_canvas->releaseMouse();
            EndDrag(drag);
            m_canvas->update();
            return true;
        }
        m_canvas->releaseMouse();
        const int pressed = m_pressed;
        m_pressed = -1;
        m_canvas->update();
        if (pressed >= 0 && pressed != m_selected) {
            if (m_anim.active) {
                EndAnimation();
                m_deferred = Deferred{pressed, 3, 0};
                QMetaObject::invokeMethod(this, &CHListbox::PerformDeferredSelection, Qt::QueuedConnection);
            } else if (m_clickReady) {
                SelectNow(pressed, 3);
            } else {
                // Selected now, brought into view once no double click came (or when it comes).
                const int old = m_selected;
                m_selected = pressed;
                m_pendingClickScroll = pressed;
                m_canvas->update();
                SelectionChanged(old, pressed);
            }
        }
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        const HListboxHit hit = HitTest(pos.x(), pos.y());
        HListboxItem* tile = GetItem(m_selected);
        if (tile && hit.index == m_selected && tile->state == kTileLoaded)
            ItemActivated(m_selected);
        m_clickTimer.stop();
        OnClickHoldTimer();
        return true;
    }
    default:
        return false;
    }
}

bool CHListbox::DragWanted(const QPoint& pos) const
{
    const QPoint moved = pos - m_pressPos;
    if (moved.manhattanLength() < QApplication::startDragDistance())
        return false;
    const bool outside = pos.y() < 0 || pos.y() >= m_canvas->height();
    return outside || std::abs(moved.y()) > std::abs(moved.x());
}

void CHListbox::OnClickHoldTimer()
{
    m_clickTimer.stop();
    m_clickReady = true;
    const int index = m_pendingClickScroll;
    m_pendingClickScroll = -1;
    if (index >= 0 && index == m_selected)
        ScrollToItem(index, 3);
}

void CHListbox::TrackAreas(const QPoint& pos)
{
    m_lastPointer = pos;
    if (m_hoverArea.index >= 0 && !m_hoverArea.rect.contains(pos)) {
        const int left = m_hoverArea.index;
        m_hoverArea = {};
        HoverAreaLeft(left);
    }
    if (m_hoverArea.index < 0)
        m_hoverTimer.start();
    if (!m_areaTracking)
        return;
    if (m_pointerArea.index >= 0 && !m_pointerArea.rect.contains(pos)) {
        const int left = m_pointerArea.index;
        m_pointerArea = {};
        PointerAreaLeft(left);
    }
    if (m_pointerArea.index < 0) {
        const HListboxHit hit = HitTest(pos.x(), pos.y());
        QRect area;
        if (hit.index >= 0 && hit.code != 4 && PointerAreaEntered(hit.index, pos, &area))
            m_pointerArea = {hit.index, area};
    }
}

void CHListbox::OnHoverTimer()
{
    m_hoverTimer.stop();
    if (m_hoverArea.index >= 0)
        return;
    const HListboxHit hit = HitTest(m_lastPointer.x(), m_lastPointer.y());
    QRect area;
    if (hit.index >= 0 && hit.code != 4 && HoverAreaEntered(hit.index, m_lastPointer, &area))
        m_hoverArea = {hit.index, area};
}

void CHListbox::LeaveAreas()
{
    if (m_hoverArea.index >= 0) {
        const int left = m_hoverArea.index;
        m_hoverArea = {};
        HoverAreaLeft(left);
    }
    if (m_pointerArea.index >= 0) {
        const int left = m_pointerArea.index;
        m_pointerArea = {};
        PointerAreaLeft(left);
    }
}

bool CHListbox::event(QEvent* event)
{
    if (event->type() == CommandEvent::kType) {
        const auto* command = static_cast<CommandEvent*>(event);
        if (command->Control() == m_left || command->Control() == m_right) {
            StepSelection(command->Control() == m_left ? -1 : 1);
            return true;
        }
    }
    return QWidget::event(event);
}

bool CHListbox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_canvas)
        return QWidget::eventFilter(watched, event);
    if (event->type() == CommandEvent::kType) {
        CanvasCommand(static_cast<int>(static_cast<CommandEvent*>(event)->Id()));
        return true;
    }
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter painter(m_canvas);
        PaintCanvas(painter, static_cast<QPaintEvent*>(event)->rect());
        return true;
    }
    case QEvent::FocusIn:
        m_canvas->update();
        return false;
    case QEvent::FocusOut:
        EndSearchIfTyped();
        m_canvas->update();
        return false;
    case QEvent::Leave:
        m_hoverTimer.stop();
        LeaveAreas();
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return MouseEvent(event);
    case QEvent::ContextMenu: {
        auto* menu = static_cast<QContextMenuEvent*>(event);
        const HListboxHit hit = HitTest(menu->pos().x(), menu->pos().y());
        if (hit.index >= 0 && hit.index != m_selected)
            SelectItem(hit.index);
        ContextMenu(hit.index, menu->globalPos());
        return true;
    }
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && (m_searchRan || !m_typed.isEmpty())) {
            EndSearchIfTyped();
            return true;
        }
        if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right) {
            StepSelection(key->key() == Qt::Key_Left ? -1 : 1);
            return true;
        }
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isPrint()) {
            m_typed += text;
            m_searchTimer.start();
            return true;
        }
        return false;
    }
    case QEvent::ToolTip: {
        auto* help = static_cast<QHelpEvent*>(event);
        const HListboxHit hit = HitTest(help->pos().x(), help->pos().y());
        const QString text = hit.index >= 0 ? TooltipText(hit.index) : QString();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, m_canvas, GetItemRect(hit.index), 5000);
        return true;
    }
    default:
        return false;
    }
}
