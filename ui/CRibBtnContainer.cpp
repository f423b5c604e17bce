// Button strips: entries, layout, mouse protocol, hover fade, painting and the strip registry.
#include "ui/CRibBtnContainer.h"

#include "model/text/TextProvider.h"
#include "platform/ResourceModule.h"
#include "ui/CommandEvent.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/FadeClock.h"
#include "ui/ImageManager.h"
#include "ui/NotifyEvent.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>

#include <algorithm>

namespace {

constexpr int kHeights[] = {85, 61, 70, 46};

// Every strip of the process, in the order they were made.
std::vector<CRibBtnContainer*>& Registry()
{
    static std::vector<CRibBtnContainer*> strips;
    return strips;
}

QColor FromRgb(quint32 rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

quint32 RgbFromColorref(quint32 colorref)
{
    return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

} // namespace

CRibBtnContainer::CRibBtnContainer(bool autoWidth, bool iconBesideText, bool titleBand)
    : QWidget(nullptr), m_autoWidth(autoWidth), m_iconBeside(iconBesideText), m_titleBand(titleBand),
      m_layoutMode(LayoutModeOf(iconBesideText, titleBand))
{
    m_font = QApplication::font();
    setWindowTitle(QStringLiteral("CRibBtnContainerWnd"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CRibBtnContainer::~CRibBtnContainer()
{
    auto& strips = Registry();
    strips.erase(std::remove(strips.begin(), strips.end(), this), strips.end());
    // The buttons go first, while the strip they call back into still stands.
    std::vector<Entry> entries = std::move(m_entries);
    m_entries.clear();
    for (Entry& entry : entries)
        delete entry.button;
}

int CRibBtnContainer::HeightOfMode(int mode)
{
    return kHeights[std::clamp(mode, 0, 3)];
}

int CRibBtnContainer::LayoutModeOf(bool iconBesideText, bool titleBand)
{
    if (iconBesideText)
        return titleBand ? 1 : 3;
    return titleBand ? 0 : 2;
}

QList<CRibBtnContainer*> CRibBtnContainer::Strips()
{
    return QList<CRibBtnContainer*>(Registry().begin(), Registry().end());
}

bool CRibBtnContainer::Create(quint32 id, QWidget* parent, int x, int y, int width,
                              const std::optional<QString>& title)
{
    if (m_created)
        return false;
    m_id = id;
    m_notify = parent;
    m_title = title ? *title : QString::fromStdString(LoadResString(id));
    if (!m_autoWidth)
        width = std::max(width, kMinWidth);
    m_layoutMode = LayoutModeOf(m_iconBeside, m_titleBand);
    setParent(parent);
    setGeometry(x, y, std::max(width, 1), HeightOfMode(m_layoutMode));

    const int base = kBackgroundBase + 3 * m_layoutMode;
    m_normalImage = ImageManager::Bitmap(base);
    m_hoverImage = ImageManager::Bitmap(base + 1);
    m_separatorImage = ImageManager::Bitmap(base + 2);
    SetShape();
    Registry().push_back(this);
    m_created = true;
    show();
    return true;
}

void CRibBtnContainer::SetShape()
{
    // A rectangle with its corner pixels cut off: the rounded panel.
    const int w = width();
    const int h = height();
    QRegion region(0, 0, w, h);
    for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        region -= QRegion(corner.x(), corner.y(), 1, 1);
    setMask(region);
}

void CRibBtnContainer::SetWindowPosAndShape(int x, int y, int width)
{
    if (!m_created)
        return;
    const int oldWidth = this->width();
    const int newWidth = width <= 0 ? oldWidth : std::max(width, kMinWidth);
    setGeometry(x, y, newWidth, height());
    SetShape();
    if (newWidth != oldWidth)
        RecalcLayout();
}

void CRibBtnContainer::SetTitle(const QString& title)
{
    m_title = title;
    update();
}

void CRibBtnContainer::SetBackgroundBitmap(int which, quint32 bitmapId)
{
    if (which != 1 && which != 2)
        return;
    QImage& image = which == 2 ? m_normalImage : m_hoverImage;
    image = bitmapId ? ImageManager::Bitmap(bitmapId) : QImage();
    update();
}

void CRibBtnContainer::SetBackgroundBitmapColor(int which, quint32 colorref)
{
    if (which != 1 && which != 2)
        return;
    const quint32 rgb = RgbFromColorref(colorref);
    (which == 2 ? m_normalColour : m_hoverColour) = rgb;
    QImage& image = which == 2 ? m_normalImage : m_hoverImage;
    if (!image.isNull())
        image.fill(FromRgb(rgb));
    m_hoverColourCache = QImage();
    update();
}

// --- Entries ---------------------------------------------------------------------------------------

int CRibBtnContainer::IndexOf(quint32 id) const
{
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].button && m_entries[i].button->CommandId() == id)
            return static_cast<int>(i);
    return -1;
}

CRibBtn* CRibBtnContainer::FindButton(quint32 id, quint16* index) const
{
    const int i = m_created ? IndexOf(id) : -1;
    if (index)
        *index = i < 0 ? kEnd : static_cast<quint16>(i);
    return i < 0 ? nullptr : m_entries[i].button;
}

bool CRibBtnContainer::HasButton(quint32 id) const
{
    return FindButton(id) != nullptr;
}

bool CRibBtnContainer::InsertEntry(quint16* pos, Entry entry)
{
    const size_t at = *pos == kAppend ? m_entries.size() : *pos;
    m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
    RecalcLayout();
    ++*pos;
    return true;
}

bool CRibBtnContainer::AddButton(quint32 id, QObject* notify, const std::optional<QString>& caption)
{
    quint16 pos = kAppend;
    return InsertButton(&pos, id, notify, caption);
}

bool CRibBtnContainer::AddButtonEx(quint32 id, QObject* notify, int alignment, int gap,
                                   const std::optional<QString>& caption)
{
    if (m_autoWidth)
        return AddButton(id, notify, caption);
    if (alignment != 0 && alignment != 1)
        return false;
    quint16 pos = kAppend;
    return MakeButton(&pos, id, notify, caption, alignment, gap);
}

bool CRibBtnContainer::InsertButton(quint16* pos, quint32 id, QObject* notify,
                                    const std::optional<QString>& caption)
{
    return MakeButton(pos, id, notify, caption, 0, 0);
}

bool CRibBtnContainer::MakeButton(quint16* pos, quint32 id, QObject* notify,
                                  const std::optional<QString>& caption, int alignment, int gap)
{
    if (!m_created || !pos || IndexOf(id) >= 0)
        return false;
    if (*pos == kEnd || (*pos != kAppend && *pos >= m_entries.size()))
        return false;
    auto* button = new CRibBtn(m_iconBeside, this);
    button->Record().alignment = alignment;
    button->Record().gap = gap;
    button->Init(id, notify, caption);
    Entry entry;
    entry.record = &button->Record();
    entry.button = button;
    InsertEntry(pos, std::move(entry));
    if (notify) {
        NotifyEvent added(id, NotifyEvent::kButtonAdded, this);
        QCoreApplication::sendEvent(notify, &added);
    }
    return true;
}

int CRibBtnContainer::AddSeparator(int id)
{
    quint16 pos = kAppend;
    return InsertSeparator(&pos, 0, 0, id);
}

int CRibBtnContainer::InsertSeparator(quint16* pos, int alignment, int gap, int id)
{
    if (!m_created || !pos)
        return -1;
    if (*pos == kEnd || (*pos != kAppend && *pos >= m_entries.size()))
        return -1;
    if (id == -1) {
        int highest = 0;
        for (const Entry& entry : m_entries)
            if (entry.separator)
                highest = std::max(highest, entry.separator->id);
        id = highest + 1;
    }
    Entry entry;
    entry.separator = std::make_unique<RibEntryRecord>();
    entry.separator->alignment = alignment;
    entry.separator->gap = gap;
    entry.separator->id = id;
    entry.record = entry.separator.get();
    InsertEntry(pos, std::move(entry));
    return id;
}

bool CRibBtnContainer::GetFirstEntry(EntryIterator& it) const
{
    if (!m_created || m_entries.empty()) {
        it = EntryIterator{};
        return false;
    }
    it.index = 0;
    const RibEntryRecord& record = *m_entries[0].record;
    it.id = m_entries[0].button ? static_cast<quint32>(record.id)
                                : (kSeparatorBit | static_cast<quint32>(record.id));
    return true;
}

bool CRibBtnContainer::GetNextEntry(EntryIterator& it) const
{
    if (!m_created || it.index == kEnd || it.index + 1u >= m_entries.size()) {
        it = EntryIterator{};
        return false;
    }
    ++it.index;
    const Entry& entry = m_entries[it.index];
    it.id = entry.button ? static_cast<quint32>(entry.record->id)
                         : (kSeparatorBit | static_cast<quint32>(entry.record->id));
    return true;
}

void CRibBtnContainer::EnableButton(quint32 id, bool enable)
{
    if (CRibBtn* button = FindButton(id); button && button->IsWindowEnabled() != enable)
        button->setEnabled(enable);
}

int CRibBtnContainer::IsButtonEnabled(quint32 id) const
{
    const CRibBtn* button = FindButton(id);
    return button ? (button->IsWindowEnabled() ? 1 : 0) : -1;
}

void CRibBtnContainer::ShowButton(quint32 id, bool show)
{
    CRibBtn* button = FindButton(id);
    if (!button || (button->Record().visible != 0) == show)
        return;
    button->Record().visible = show ? 1 : 0;
    if (show) {
        button->show();
    } else {
        button->hide();
        button->Record().placed = 0;
    }
    RecalcLayout();
    RefreshLooks();
}

void CRibBtnContainer::SetButtonText(quint32 id, const QString& caption)
{
    CRibBtn* button = FindButton(id);
    if (!button)
        return;
    button->SetCaption(caption);
    if (button->AutoSize())
        RecalcLayout();
    else
        button->update();
}

void CRibBtnContainer::SetButtonIcon(quint32 id, quint32 iconId)
{
    if (CRibBtn* button = FindButton(id))
        button->SetIconId(iconId);
}

void CRibBtnContainer::SetButtonResource(quint32 id, quint32 resId)
{
    CRibBtn* button = FindButton(id);
    QString caption, title, text;
    if (!button || !CRibBtn::TextsFromString(resId, false, &caption, &title, &text))
        return;
    button->SetCaption(caption);
    button->SetToolTipTexts(title, text);
    button->SetIconId(resId);
    button->SetToolTipIconId(resId);
    if (button->AutoSize())
        RecalcLayout();
    button->update();
}

void CRibBtnContainer::SetButtonToolTip(quint32 id, quint32 resId)
{
    CRibBtn* button = FindButton(id);
    const QString source = QString::fromStdString(LoadResString(resId));
    if (!button || source.isEmpty())
        return;
    const qsizetype cut = source.indexOf(QLatin1Char('\n'));
    if (cut < 0)
        button->SetToolTipTexts(source, source);
    else
        button->SetToolTipTexts(source.mid(cut + 1).section(QLatin1Char('\n'), 0, 0), source.left(cut));
}

void CRibBtnContainer::SetButtonToolTipMode(quint32 id, int mode)
{
    if (CRibBtn* button = FindButton(id))
        button->SetToolTipMode(mode);
}

void CRibBtnContainer::SetButtonCheckMode(quint32 id, int mode)
{
    if (CRibBtn* button = FindButton(id))
        button->SetCheckMode(mode);
}

void CRibBtnContainer::SetButtonRadioGroup(quint32 id, int anchorId)
{
    if (CRibBtn* button = FindButton(id))
        button->SetAnchor(anchorId);
}

int CRibBtnContainer::GetButtonRadioGroup(quint32 id) const
{
    const CRibBtn* button = FindButton(id);
    return button ? button->Anchor() : -1;
}

void CRibBtnContainer::SetButtonValue(quint32 id, int value)
{
    if (CRibBtn* button = FindButton(id))
        button->SetValue(value);
}

int CRibBtnContainer::GetButtonValue(quint32 id) const
{
    const CRibBtn* button = FindButton(id);
    return button ? button->Value() : -1;
}

void CRibBtnContainer::SetButtonSize(quint32 id, int cx, int cy)
{
    if (CRibBtn* button = FindButton(id))
        button->SetStoredSize(cx, cy);
}

void CRibBtnContainer::SetButtonFocus(quint32 id)
{
    if (CRibBtn* button = FindButton(id))
        button->setFocus(Qt::OtherFocusReason);
}

void CRibBtnContainer::SetDefaultButton(quint32 id, QWidget* parent)
{
    CRibBtn* button = FindButton(id);
    if (!button)
        return;
    for (CRibBtnContainer* strip : Registry()) {
        if (strip->parentWidget() != parent)
            continue;
        for (const Entry& entry : strip->m_entries)
            if (entry.button)
                entry.button->SetDefault(false);
    }
    button->SetDefault(true);
}

int CRibBtnContainer::GetDefaultButton(QWidget* parent, CRibBtnContainer** strip)
{
    for (CRibBtnContainer* candidate : Registry()) {
        if (candidate->parentWidget() != parent)
            continue;
        for (const Entry& entry : candidate->m_entries) {
            if (entry.button && entry.button->IsDefault()) {
                if (strip)
                    *strip = candidate;
                return static_cast<int>(entry.button->CommandId());
            }
        }
    }
    if (strip)
        *strip = nullptr;
    return -1;
}

// --- Keyboard order --------------------------------------------------------------------------------

int CRibBtnContainer::ControlIdOf(const QWidget* widget)
{
    if (const auto* button = qobject_cast<const CRibBtn*>(widget))
        return static_cast<int>(button->CommandId());
    return ControlId::Of(widget);
}

void CRibBtnContainer::MergeNavigation(const QList<CRibBtn*>& buttons, QList<QWidget*>& navigation)
{
    const qsizetype n = buttons.size();
    std::vector<bool> consumed(static_cast<size_t>(n), false);
    for (qsizetype pass = 0; pass < n; ++pass) {
        for (qsizetype i = 0; i < n; ++i) {
            if (consumed[i])
                continue;
            CRibBtn* button = buttons[i];
            const int anchor = button->Anchor();
            if (anchor == -1) {
                consumed[i] = true;
                continue;
            }
            const auto at = std::find_if(navigation.begin(), navigation.end(),
                                         [anchor](const QWidget* w) { return ControlIdOf(w) == anchor; });
            if (at != navigation.end()) {
                navigation.insert(at - navigation.begin() + 1, button);
                consumed[i] = true;
                break;
            }
            const bool followsOther = std::any_of(buttons.begin(), buttons.end(), [&](const CRibBtn* other) {
                return other != button && static_cast<int>(other->CommandId()) == anchor;
            });
            if (followsOther)
                continue;
            if (anchor == static_cast<int>(button->CommandId()))
                navigation.append(button);
            else
                navigation.prepend(button);
            consumed[i] = true;
        }
    }
}

int GetRadioGroupStartId(const QWidget* widget)
{
    if (!widget || !widget->parentWidget())
        return -1;
    QList<QWidget*> siblings;
    for (QObject* child : widget->parentWidget()->children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow())
            siblings << w;
    qsizetype at = siblings.indexOf(const_cast<QWidget*>(widget));
    if (at <= 0)
        return -1;
    qsizetype first = at - 1;
    if (qobject_cast<QRadioButton*>(siblings[first])) {
        while (first > 0 && qobject_cast<QRadioButton*>(siblings[first - 1]))
            --first;
    }
    return CRibBtnContainer::ControlIdOf(siblings[first]);
}

// --- Command update --------------------------------------------------------------------------------

void CRibBtnContainer::UpdateCmdUI()
{
    if (!m_updateEnabled || !m_created)
        return;
    QPointer<CRibBtnContainer> self(this);
    QList<QPointer<QWidget>> children;
    for (QObject* child : this->children())
        if (auto* w = qobject_cast<QWidget*>(child))
            children << w;
    for (const QPointer<QWidget>& child : children) {
        if (!self)
            return;
        if (!child)
            continue;
        QWidget* target = m_notify ? m_notify.data() : parentWidget();
        if (!target)
            return;
        const int id = ControlIdOf(child);
        CommandUpdateEvent query(static_cast<quint32>(id), child, m_updateFlag);
        QCoreApplication::sendEvent(target, &query);
        if (!self || !child)
            continue;
        auto* button = qobject_cast<CRibBtn*>(child.data());
        if (!button)
            continue;
        // With the update flag set, a button that has the keyboard focus keeps it enabled.
        if (query.enabled && !(m_updateFlag && !*query.enabled && button->hasFocus()))
            EnableButton(button->CommandId(), *query.enabled);
        if (query.checked)
            button->SetCheck(*query.checked);
        if (query.text)
            SetButtonText(button->CommandId(), *query.text);
    }
}

void CRibBtnContainer::UpdateAllStrips()
{
    QList<QPointer<CRibBtnContainer>> strips;
    for (CRibBtnContainer* strip : Registry())
        strips << strip;
    for (const QPointer<CRibBtnContainer>& strip : strips)
        if (strip)
            strip->UpdateCmdUI();
}

// --- Layout ----------------------------------------------------------------------------------------

void CRibBtnContainer::RecalcLayout()
{
    if (!m_created)
        return;
    if (m_autoWidth) {
        int width = 2 * kMargin;
        for (const Entry& entry : m_entries) {
            if (!entry.record->visible)
                continue;
            width += entry.record->gap + (entry.button ? entry.button->width() : 6);
        }
        width = std::max(width, kMinWidth);
        if (width != this->width()) {
            resize(width, height());
            SetShape();
        }
    }

    int left = kMargin;
    int right = width() - kMargin;
    size_t stopped = m_entries.size();
    for (size_t i = 0; i < m_entries.size(); ++i) {
        Entry& entry = m_entries[i];
        RibEntryRecord& record = *entry.record;
        if (!record.visible)
            continue;
        record.placed = 1;
        const bool fromLeft = m_autoWidth || record.alignment == 0;
        if (!entry.button) {
            if (fromLeft)
                left += record.gap + 6;
            else
                right -= record.gap + 6;
            continue;
        }
        CRibBtn* button = entry.button;
        record.SetCaptionMode(CRibBtn::kFullCaption);
        if (record.flags & RibEntryRecord::kToolTipByLayout) {
            button->SetToolTipMode(CRibBtn::kToolTipNone);
            record.flags &= ~RibEntryRecord::kToolTipByLayout;
        }
        button->AutoSize();
        int width = button->width();
        auto fits = [&](int w) {
            return fromLeft ? left + record.gap + w <= right : right - record.gap - w >= left;
        };
        if (!fits(width)) {
            const int shortened = button->WidthFor({QStringLiteral("...")});
            const int bare = button->WidthFor({QString()});
            if (fits(shortened)) {
                width = shortened;
                record.SetCaptionMode(CRibBtn::kEllipsis);
            } else if (fits(bare)) {
                width = bare;
                record.SetCaptionMode(CRibBtn::kNoCaption);
            } else {
                stopped = i;
                break;
            }
            if (button->ToolTipMode() == CRibBtn::kToolTipNone) {
                button->SetToolTipMode(CRibBtn::kToolTipAlways);
                record.flags |= RibEntryRecord::kToolTipByLayout;
            }
        }
        int x0;
        if (fromLeft) {
            x0 = left + record.gap;
            left = x0 + width;
        } else {
            x0 = right - record.gap - width;
            right = x0;
        }
        button->setGeometry(x0, kButtonTop, width, button->height());
        button->show();
    }
    // A button that does not fit even without caption ends the layout: it and everything after it
    // stay unplaced.
    for (size_t i = stopped; i < m_entries.size(); ++i) {
        m_entries[i].record->placed = 0;
        if (m_entries[i].button)
            m_entries[i].button->hide();
    }

    m_cache = QImage();
    m_separatorPositions.clear();
    left = kMargin;
    right = width() - kMargin;
    for (const Entry& entry : m_entries) {
        const RibEntryRecord& record = *entry.record;
        if (!record.placed)
            continue;
        const bool fromLeft = m_autoWidth || record.alignment == 0;
        if (entry.button) {
            if (fromLeft)
                left += record.gap + entry.button->width();
            else
                right -= record.gap + entry.button->width();
        } else if (fromLeft) {
            const int x = left + 2 + record.gap;
            m_separatorPositions << x;
            left = x + 4;
        } else {
            const int x = right - 4 - record.gap;
            m_separatorPositions << x;
            right = x - 2;
        }
    }
    update();
}

// --- Mouse -----------------------------------------------------------------------------------------

CRibBtn* CRibBtnContainer::PlacedButtonAt(QPoint point) const
{
    for (const Entry& entry : m_entries)
        if (entry.button && entry.record->placed && entry.button->geometry().contains(point))
            return entry.button;
    return nullptr;
}

CRibBtn* CRibBtnContainer::ButtonAt(QPoint point) const
{
    if (!rect().contains(point))
        return nullptr;
    for (const Entry& entry : m_entries)
        if (entry.button && !entry.button->isHidden() && entry.button->geometry().contains(point))
            return entry.button;
    return nullptr;
}

void CRibBtnContainer::SetHotButton(CRibBtn* next)
{
    CRibBtn* hot = m_hot;
    if (hot == next)
        return;
    const bool allowed = !(m_mouseDown && !m_pressed);
    if (!hot) {
        if (next && allowed && (!m_pressed || next == m_pressed))
            QCoreApplication::postEvent(next, new RibBtnEvent(CRibBtn::kMouseEntered));
    } else {
        if (allowed && (!m_pressed || hot == m_pressed))
            QCoreApplication::postEvent(hot, new RibBtnEvent(CRibBtn::kMouseLeft));
        if (next && allowed && !(m_pressed && m_pressed != next))
            QCoreApplication::postEvent(next, new RibBtnEvent(CRibBtn::kMouseEntered));
    }
    m_hot = next;
}

void CRibBtnContainer::Leave()
{
    SetHotButton(nullptr);
    SetHoverTarget(0);
    m_mouseInside = false;
    m_leaveTimer.stop();
}

void CRibBtnContainer::OnMouseMove(QPoint point, QWidget*)
{
    m_lastPoint = point;
    if (!m_leaveTimer.isActive())
        m_leaveTimer.start(kLeaveCheckMs, this);
    const bool inside = rect().contains(point);
    if (inside && !m_mouseInside) {
        m_mouseInside = true;
        SetHoverTarget(100);
    }
    SetHotButton(PlacedButtonAt(point));
    if (m_mouseInside && !inside)
        Leave();
}

void CRibBtnContainer::OnMouseDown(QPoint point, QWidget* source)
{
    // Qt may deliver a press without a move before it: bring the hot button up to date first.
    OnMouseMove(point, source);
    m_mouseDown = true;
    if (m_hot && m_hot->IsWindowEnabled()) {
        m_pressed = m_hot;
        QCoreApplication::postEvent(m_hot, new RibBtnEvent(CRibBtn::kPressed));
    }
}

void CRibBtnContainer::OnMouseUp(QPoint point, QWidget*)
{
    QPointer<CRibBtnContainer> self(this);
    m_lastPoint = point;
    m_mouseDown = false;
    CRibBtn* under = ButtonAt(point);
    if (QPointer<CRibBtn> pressed = m_pressed) {
        // Posted messages to the button come before the release, as they would in a message queue.
        QCoreApplication::sendPostedEvents(pressed);
        if (!self || !pressed)
            return;
        m_releaseInside = under == pressed;
        RibBtnEvent released(CRibBtn::kReleased, m_releaseInside);
        QCoreApplication::sendEvent(pressed, &released);
        if (!self)
            return;
        m_releaseInside = false;
        SetHotButton(PlacedButtonAt(point));
        m_pressed = nullptr;
        if (under == pressed)
            return;
    }
    RefreshLooks();
}

void CRibBtnContainer::RefreshLooks()
{
    for (const Entry& entry : m_entries)
        if (entry.button)
            entry.button->UpdateLook(
                !entry.button->isHidden() && entry.button->geometry().contains(m_lastPoint), false);
}

void CRibBtnContainer::CheckMouseLeft()
{
    if (!m_mouseInside || m_releaseInside)
        return;
    QWidget* under = QApplication::widgetAt(QCursor::pos());
    if (under && (under == this || isAncestorOf(under)))
        return;
    Leave();
}

void CRibBtnContainer::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnMouseDown(event->position().toPoint(), this);
}

void CRibBtnContainer::mouseMoveEvent(QMouseEvent* event)
{
    OnMouseMove(event->position().toPoint(), this);
}

void CRibBtnContainer::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnMouseUp(event->position().toPoint(), this);
}

// --- Fading ----------------------------------------------------------------------------------------

void CRibBtnContainer::SetHoverTarget(int value)
{
    if (m_hoverFade.SetTarget(value, FadeClock::Now()) && !m_fadeTimer.isActive())
        m_fadeTimer.start(1, this);
}

void CRibBtnContainer::StepFades()
{
    if (m_hoverFade.Step(FadeClock::Now(), m_fadeInRate, m_fadeOutRate))
        m_fadeTimer.stop();
    update();
}

void CRibBtnContainer::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_fadeTimer.timerId())
        StepFades();
    else if (event->timerId() == m_leaveTimer.timerId())
        CheckMouseLeft();
    else
        QWidget::timerEvent(event);
}

// --- Tool tips -------------------------------------------------------------------------------------

QString CRibBtnContainer::ToolTipFor(const CRibBtn* button) const
{
    if (!button)
        return {};
    const int mode = button->ToolTipMode();
    if (mode != CRibBtn::kToolTipAlways &&
        !(mode == CRibBtn::kToolTipWhenEnabled && button->IsWindowEnabled()))
        return {};
    if (button->ToolTipTitle().isEmpty() && button->ToolTipText().isEmpty())
        return {};
    QString tip = QStringLiteral("<b>%1</b>").arg(button->ToolTipTitle().toHtmlEscaped());
    if (!button->ToolTipText().isEmpty())
        tip += QStringLiteral("<br>") +
               button->ToolTipText().toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    // The tool-tip icon beside the texts, straight from the language module.
    const ResourceModule* module = ImageManager::Module();
    const quint32 icon = button->ToolTipIconId();
    if (module && !ImageManager::Bitmap(icon).isNull()) {
        const QString source = module->ItemPath(QStringLiteral("bitmaps/%1.png").arg(icon));
        tip = QStringLiteral("<table><tr><td><img src=\"%1\" width=\"32\" height=\"32\"></td>"
                             "<td>%2</td></tr></table>")
                  .arg(source.toHtmlEscaped(), tip);
    }
    return tip;
}

// --- Painting --------------------------------------------------------------------------------------

void CRibBtnContainer::DrawNineGrid(QPainter& painter, const QImage& image, const QRect& target, int alpha)
{
    painter.setOpacity(alpha / 100.0);
    if (image.size() == target.size()) {
        painter.drawImage(target.topLeft(), image);
        painter.setOpacity(1.0);
        return;
    }
    const int e = 3;
    const int sw = image.width();
    const int sh = image.height();
    const int w = target.width();
    const int h = target.height();
    const QPoint o = target.topLeft();
    auto part = [&](int x, int y, int tw, int th, int sx, int sy, int sW, int sH) {
        if (tw > 0 && th > 0 && sW > 0 && sH > 0)
            painter.drawImage(QRect(o.x() + x, o.y() + y, tw, th), image, QRect(sx, sy, sW, sH));
    };
    part(0, 0, e, e, 0, 0, e, e);
    part(w - e, 0, e, e, sw - e, 0, e, e);
    part(0, h - e, e, e, 0, sh - e, e, e);
    part(w - e, h - e, e, e, sw - e, sh - e, e, e);
    part(e, 0, w - 2 * e, e, e, 0, sw - 2 * e, e);
    part(e, h - e, w - 2 * e, e, e, sh - e, sw - 2 * e, e);
    part(0, e, e, h - 2 * e, 0, e, e, sh - 2 * e);
    part(w - e, e, e, h - 2 * e, sw - e, e, e, sh - 2 * e);
    part(e, e, w - 2 * e, h - 2 * e, e, e, sw - 2 * e, sh - 2 * e);
    painter.setOpacity(1.0);
}

bool CRibBtnContainer::ComposeBackground()
{
    bool created = false;
    if (m_cache.size() != size()) {
        m_cache = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        created = true;
    }
    m_cache.fill(m_normalColour ? FromRgb(m_normalColour) : QColor(Qt::transparent));
    QPainter painter(&m_cache);
    const QRect all = rect();
    if (!m_normalImage.isNull())
        DrawNineGrid(painter, m_normalImage, all, 100);
    const int fade = m_hoverFade.current;
    if (m_hoverColour && fade > 0) {
        if (m_hoverColourCache.size() != size()) {
            m_hoverColourCache = QImage(size(), QImage::Format_ARGB32_Premultiplied);
            m_hoverColourCache.fill(FromRgb(m_hoverColour));
        }
        painter.setOpacity(fade / 100.0);
        painter.drawImage(0, 0, m_hoverColourCache);
        painter.setOpacity(1.0);
    }
    if (!m_hoverImage.isNull() && fade > 0)
        DrawNineGrid(painter, m_hoverImage, all, fade);
    if (!m_separatorImage.isNull())
        for (int x : m_separatorPositions)
            painter.drawImage(x + (2 - m_separatorImage.width()) / 2, 0, m_separatorImage);
    return created;
}

const QImage& CRibBtnContainer::BackgroundCache()
{
    if (m_cache.size() != size())
        ComposeBackground();
    return m_cache;
}

void CRibBtnContainer::paintEvent(QPaintEvent*)
{
    QImage canvas(size(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    const bool created = ComposeBackground();
    QPainter painter(&canvas);
    painter.drawImage(0, 0, m_cache);
    if (m_titleBand && !m_title.isEmpty()) {
        painter.setFont(m_font);
        painter.setPen(QColor(0x3E, 0x6A, 0xAA));
        const QFontMetrics metrics(m_font);
        painter.drawText(QRect(0, height() - metrics.height() - 1, width(), metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, m_title);
    }
    painter.end();
    QPainter screen(this);
    screen.drawImage(0, 0, canvas);

    if (created || m_lastInvalidatedFade != m_hoverFade.current) {
        for (const Entry& entry : m_entries)
            if (entry.button && entry.button->ShowsStripBackground())
                entry.button->update();
        m_lastInvalidatedFade = m_hoverFade.current;
    }
}
