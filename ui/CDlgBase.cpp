// The dialog base: look, strips from placeholders, keyboard order, commands and idle update.
#include "ui/CDlgBase.h"

#include "platform/CCmdUI.h"
#include "ui/CEditLast.h"
#include "ui/CommandEvent.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/DialogTemplateLoader.h"
#include "ui/EditCommitEvent.h"
#include "ui/IButtonStrip.h"
#include "ui/NotifyEvent.h"
#include "ui/RibBtnStripFactory.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>

namespace {

// The caption or text a control shows: its window text.
QString WindowText(const QWidget* widget)
{
    if (auto* box = qobject_cast<const QGroupBox*>(widget))
        return box->title();
    const QVariant text = widget->property("text");
    return text.canConvert<QString>() ? text.toString() : QString();
}

bool IsRadio(const QWidget* widget)
{
    return qobject_cast<const QRadioButton*>(widget) != nullptr;
}

// Child widgets of a parent in z-order (the order of the template).
QList<QWidget*> ChildWidgets(const QWidget* parent)
{
    QList<QWidget*> widgets;
    for (QObject* child : parent->children())
        if (child->isWidgetType() && !static_cast<QWidget*>(child)->isWindow())
            widgets.append(static_cast<QWidget*>(child));
    return widgets;
}

QWidget* Sibling(const QWidget* widget, int step)
{
    if (!widget->parentWidget())
        return nullptr;
    const QList<QWidget*> siblings = ChildWidgets(widget->parentWidget());
    const qsizetype at = siblings.indexOf(const_cast<QWidget*>(widget)) + step;
    return at >= 0 && at < siblings.size() ? siblings.at(at) : nullptr;
}

// The first radio button of the run of consecutive radio buttons that holds `radio`.
QWidget* RunStart(QWidget* radio)
{
    QWidget* start = radio;
    for (QWidget* prev = Sibling(start, -1); prev && IsRadio(prev); prev = Sibling(start, -1))
        start = prev;
    return start;
}

// The control id a strip button made from `placeholder` enters the keyboard order after: its
// previous sibling, or the first radio button of the run that sibling ends; -1 without one.
int RadioGroupStartId(QWidget* placeholder)
{
    QWidget* prev = Sibling(placeholder, -1);
    if (!prev)
        return -1;
    return ControlId::Of(IsRadio(prev) ? RunStart(prev) : prev);
}

// Sets a radio button's state even where exclusivity would keep it checked.
void ForceChecked(QAbstractButton* button, bool on)
{
    QButtonGroup* group = button->group();
    const bool groupExclusive = group && group->exclusive();
    const bool autoExclusive = button->autoExclusive();
    if (group)
        group->setExclusive(false);
    button->setAutoExclusive(false);
    button->setChecked(on);
    button->setAutoExclusive(autoExclusive);
    if (group)
        group->setExclusive(groupExclusive);
}

} // namespace

// Sees every key press of the application first, so that the dialog's keyboard rules come before
// the focused control's own handling (Tab, Return, the arrows).
class DialogKeyWatcher : public QObject
{
public:
    explicit DialogKeyWatcher(CDlgBase* dialog) : QObject(dialog), m_dialog(dialog) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->window() != m_dialog || widget != m_dialog->focusWidget() || !m_dialog->m_initialized)
            return false;
        return m_dialog->HandleKey(widget, static_cast<QKeyEvent*>(event));
    }

private:
    CDlgBase* m_dialog;
};

IStripFactory* CDlgBase::StripFactory() const
{
    return m_pStripFactory ? m_pStripFactory : &RibBtnStripFactory::Instance();
}

CDlgBase::CDlgBase(quint32 templateId, QWidget* parent)
    : QDialog(parent), m_templateId(templateId), m_idleTimer(new QTimer(this))
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, BackgroundColor());
    pal.setColor(QPalette::Base, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    // No system menu: the dialogs close through their own buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    if (templateId == kNoTemplate)
        m_templateError.clear();
    else if (!DialogTemplateLoader::Load(templateId, this, &m_templateError))
        qWarning("%s", qPrintable(m_templateError));
    else
        m_templateError.clear();
    // The template's position is where the designer drew it, not a place on the screen: a dialog
    // that its code does not move opens over its parent (showEvent).
    setAttribute(Qt::WA_Moved, false);
    m_idleTimer->setInterval(200);
    connect(m_idleTimer, &QTimer::timeout, this, &CDlgBase::KickIdle);
    m_keyWatcher = new DialogKeyWatcher(this);
    qApp->installEventFilter(m_keyWatcher);
}

CDlgBase::~CDlgBase()
{
    delete m_keyWatcher;
    for (const QPointer<QWidget>& w : m_groupBoxes + m_subclassed)
        if (w)
            w->removeEventFilter(this);
    for (auto& strip : m_strips)
        strip.reset();
}

void CDlgBase::InitDialog()
{
    if (m_initialized)
        return;
    m_initialized = true;
    OnInitDialog();
}

bool CDlgBase::OnInitDialog()
{
    BuildStrips();
    BuildNavigation();
    // Clicks of the template's buttons arrive as commands with their control ids.
    for (QWidget* w : ChildWidgets(this)) {
        auto* button = qobject_cast<QAbstractButton*>(w);
        const int id = ControlId::Of(w);
        if (!button || id < 0)
            continue;
        connect(button, &QAbstractButton::clicked, this, [this, button, id] {
            CommandEvent command(quint32(id), 0, button);
            QCoreApplication::sendEvent(this, &command);
        });
    }
    const QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    setFont(font);
    for (QWidget* w : findChildren<QWidget*>())
        w->setFont(font);
    return true;
}

void CDlgBase::BuildStrips()
{
    QList<QWidget*> used;
    std::array<int, kStripCount> entries{};
    for (QWidget* w : ChildWidgets(this)) {
        if (qobject_cast<QGroupBox*>(w)) {
            m_groupBoxes.append(w);
            w->installEventFilter(this);
            continue;
        }
        const QString text = WindowText(w).left(127);
        if (!text.startsWith(QLatin1String("_RBC")))
            continue;
        auto digit = [&text](qsizetype at) {
            const char16_t c = text.at(at).unicode();
            return c >= u'0' && c <= u'9' ? int(c - u'0') : -1;
        };
        const int id = ControlId::Of(w);
        if (text.size() < 5 || digit(4) < 0 || id < 0)
            continue;
        const int index = digit(4);
        QString caption;
        IButtonStrip* strip = m_strips[index].get();
        if (!strip) {
            int flags[3] = {1, 1, 0};
            bool valid = true;
            for (int k = 0; k < 3 && 5 + k < text.size(); ++k) {
                flags[k] = digit(5 + k);
                valid = valid && flags[k] >= 0;
            }
            if (!valid)
                continue;
            QString title;
            if (text.size() > 8) {
                const qsizetype end = text.indexOf(QLatin1Char('_'), 8);
                const QString named = end < 0 ? text.mid(8) : text.mid(8, end - 8);
                caption = end < 0 ? QString() : text.mid(end + 1);
                if (flags[2] && !named.isEmpty())
                    title = named;
            }
            std::unique_ptr<IButtonStrip> made =
                StripFactory()->Create(flags[0] != 0, flags[1] != 0, flags[2] != 0, this, title);
            if (!made || !made->Window())
                continue;
            strip = made.get();
            m_strips[index] = std::move(made);
            const QRect place = w->geometry();
            strip->SetWindowPosAndShape(place.x(), place.y() + place.height() - strip->Window()->height(), 0);
            OnRibBtnContainerCreated(strip, id);
        } else {
            const qsizetype end = text.indexOf(QLatin1Char('_'), 5);
            caption = end < 0 ? QString() : text.mid(end + 1);
        }
        if (entries[index] > 0 && strip->AddSeparator(0) != -1)
            ++entries[index];
        if (strip->AddButton(id, this, caption))
            ++entries[index];
        used.append(w);
        int anchor = RadioGroupStartId(w);
        AdjustRibBtnNavNext(id, &anchor);
        strip->SetButtonRadioGroup(id, anchor);
    }
    qDeleteAll(used);
}

void CDlgBase::BuildNavigation()
{
    m_navigation.clear();
    bool inRadioRun = false;
    for (QWidget* w : ChildWidgets(this)) {
        if (OwnStripOfWindow(w) || w->isHidden() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        if (IsRadio(w)) {
            if (inRadioRun)
                continue;
            inRadioRun = true;
        } else {
            inRadioRun = false;
        }
        m_navigation.append(w);
    }
    QList<QWidget*> anchored;
    for (IButtonStrip* strip : AllStrips()) {
        for (int id : strip->ButtonIds())
            if (strip->GetButtonRadioGroup(id) != -1 && strip->ButtonWindow(id))
                anchored.append(strip->ButtonWindow(id));
    }
    QList<QWidget*> navigation = NavigationList();
    StripFactory()->MergeNavigation(anchored, navigation);
    m_navigation.clear();
    for (QWidget* w : navigation)
        m_navigation.append(w);
}

void CDlgBase::SetNavigation(const QList<QWidget*>& ring)
{
    m_navigation.clear();
    for (QWidget* w : ring)
        m_navigation.append(w);
}

QList<IButtonStrip*> CDlgBase::AllStrips() const
{
    QList<IButtonStrip*> strips;
    for (const auto& strip : m_strips)
        if (strip)
            strips.append(strip.get());
    for (IButtonStrip* strip : m_codeStrips)
        if (!strips.contains(strip))
            strips.append(strip);
    return strips;
}

void CDlgBase::AddStripToRing(IButtonStrip* strip)
{
    if (!strip || m_codeStrips.contains(strip))
        return;
    m_codeStrips.append(strip);
    if (m_initialized)
        BuildNavigation();
}

QList<QWidget*> CDlgBase::NavigationList() const
{
    QList<QWidget*> list;
    for (const QPointer<QWidget>& w : m_navigation)
        if (w)
            list.append(w);
    return list;
}

IButtonStrip* CDlgBase::Strip(int index) const
{
    return index >= 0 && index < kStripCount ? m_strips[index].get() : nullptr;
}

IButtonStrip* CDlgBase::FindRibBtnContainer(int id) const
{
    for (const auto& strip : m_strips)
        if (strip && strip->HasButton(id))
            return strip.get();
    return nullptr;
}

IButtonStrip* CDlgBase::OwnStripOfWindow(const QObject* window) const
{
    for (IButtonStrip* strip : AllStrips())
        if (window && strip->Window() == window)
            return strip;
    return nullptr;
}

bool CDlgBase::IsOwnStripButton(const QWidget* widget) const
{
    IButtonStrip* strip = StripFactory()->StripOfButton(widget);
    return strip && strip->Window() && strip->Window()->parentWidget() == this;
}

bool CDlgBase::SubclassCtrl(int id)
{
    QWidget* ctrl = findChild<QWidget*>(ControlId::ObjectName(id), Qt::FindDirectChildrenOnly);
    if (!ctrl)
        return false;
    if (!m_subclassed.contains(ctrl)) {
        m_subclassed.append(ctrl);
        ctrl->installEventFilter(this);
    }
    return true;
}

void CDlgBase::InvalidateCtrl(int id)
{
    if (QWidget* ctrl = findChild<QWidget*>(ControlId::ObjectName(id), Qt::FindDirectChildrenOnly)) {
        update(ctrl->geometry());
        ctrl->update();
    }
}

bool CDlgBase::DDXRadioGroup(bool save, int firstId, int* index)
{
    QWidget* first = findChild<QWidget*>(ControlId::ObjectName(firstId), Qt::FindDirectChildrenOnly);
    QList<QRadioButton*> run;
    for (QWidget* w = first; w && IsRadio(w); w = Sibling(w, 1))
        run.append(static_cast<QRadioButton*>(w));
    if (save) {
        *index = -1;
        for (qsizetype i = 0; i < run.size(); ++i)
            if (run.at(i)->isChecked())
                *index = int(i);
    } else {
        for (qsizetype i = 0; i < run.size(); ++i)
            ForceChecked(run.at(i), i == *index);
    }
    return true;
}

QWidget* CDlgBase::GetNextNavCtrl(QWidget* from, bool backwards) const
{
    if (!from)
        return nullptr;
    if (IsRadio(from))
        from = RunStart(from);
    const QList<QWidget*> list = NavigationList();
    const qsizetype at = list.indexOf(from);
    if (at < 0)
        return nullptr;
    const qsizetype n = list.size();
    for (qsizetype step = 1; step < n; ++step) {
        QWidget* candidate = list.at(((backwards ? at - step : at + step) % n + n) % n);
        if (candidate->isEnabled())
            return candidate;
    }
    return nullptr;
}

void CDlgBase::FocusNavTarget(QWidget* target, bool fromStrip, Qt::FocusReason reason)
{
    if (!IsRadio(target) || StripFactory()->StripOfButton(target)) {
        target->setFocus(reason);
        return;
    }
    for (QWidget* w = target; w && IsRadio(w); w = Sibling(w, 1)) {
        if (static_cast<QRadioButton*>(w)->isChecked()) {
            w->setFocus(reason);
            return;
        }
    }
    // No radio button of the run is checked: from a strip the focus stays, else it enters the run.
    if (!fromStrip)
        target->setFocus(reason);
}

bool CDlgBase::PressDefaultStripButton()
{
    IButtonStrip* strip = nullptr;
    const int id = StripFactory()->DefaultButton(this, &strip);
    QWidget* button = strip ? strip->ButtonWindow(id) : nullptr;
    if (id == -1) {
        OnReturnWithoutDefault();
        return true;
    }
    if (!button || !button->isEnabled())
        return true;
    CommandEvent command{quint32(id)};
    QCoreApplication::sendEvent(this, &command);
    return true;
}

bool CDlgBase::HandleKey(QWidget* focus, QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (IsOwnStripButton(focus)) {
            CommandEvent command{quint32(ControlId::Of(focus))};
            QCoreApplication::sendEvent(this, &command);
            return true;
        }
        if (StripFactory()->StripOfButton(focus))
            return false;
        if (auto* button = qobject_cast<QPushButton*>(focus)) {
            const int id = ControlId::Of(button);
            if (id < 0) {
                button->click();
            } else {
                CommandEvent command(quint32(id), 0, button);
                QCoreApplication::sendEvent(this, &command);
            }
            return true;
        }
        if (qobject_cast<QPlainTextEdit*>(focus) || qobject_cast<QTextEdit*>(focus))
            return false;
        // The edit field commits and announces Return first, then passes the key on to us.
        if (qobject_cast<CEditLast*>(focus))
            return false;
        return PressDefaultStripButton();
    }
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (!tab && !arrow)
        return false;
    if (tab && (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    IButtonStrip* focusStrip = StripFactory()->StripOfButton(focus);
    if (focusStrip && (!focusStrip->Window() || focusStrip->Window()->parentWidget() != this))
        return false;
    QWidget* from = focus;
    if (!focusStrip) {
        // A control inside a compound control (or a page): the nearest holder in the keyboard order
        // stands for it, else the dialog's child that holds it.
        const QList<QWidget*> ring = NavigationList();
        while (from && from != this && !ring.contains(from) && from->parentWidget() != this)
            from = from->parentWidget();
        if (!from || from == this)
            return false;
    }
    // Multi-line text keeps its arrow keys for the caret and scrolling.
    if (arrow && !focusStrip && (qobject_cast<QPlainTextEdit*>(focus) || qobject_cast<QTextEdit*>(focus)))
        return false;
    if (IsRadio(from)) {
        if (key == Qt::Key_Left && RunStart(from) != from)
            return false;
        if (key == Qt::Key_Right) {
            QWidget* next = Sibling(from, 1);
            if (!next || IsRadio(next))
                return false;
        }
    }
    const bool backwards = key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Backtab ||
                           (key == Qt::Key_Tab && (event->modifiers() & Qt::ShiftModifier));
    QWidget* next = GetNextNavCtrl(from, backwards);
    if (!next)
        return false;
    const Qt::FocusReason reason = backwards ? Qt::BacktabFocusReason : Qt::TabFocusReason;
    const bool nextIsStripButton = StripFactory()->StripOfButton(next) != nullptr;
    if (focusStrip) {
        FocusNavTarget(next, true, reason);
        return true;
    }
    if (nextIsStripButton) {
        next->setFocus(reason);
        return true;
    }
    // Tab, and Left or Right off the end of a radio run, follow the dialog's own order; other arrow
    // keys stay with the control (caret movement, moving within a radio group).
    if (tab || (IsRadio(from) && (key == Qt::Key_Left || key == Qt::Key_Right))) {
        FocusNavTarget(next, false, reason);
        return true;
    }
    return false;
}

void CDlgBase::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        PressDefaultStripButton();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        OnCancel();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CDlgBase::event(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == CommandEvent::kType) {
        auto* command = static_cast<CommandEvent*>(event);
        OnCommand(int(command->Id()), command->NotifyCode(), command->Control());
        return true;
    }
    if (type == NotifyEvent::kType) {
        auto* note = static_cast<NotifyEvent*>(event);
        IButtonStrip* strip = OwnStripOfWindow(note->From());
        if (note->Code() == IButtonStrip::kButtonAdded && strip)
            OnRibBtnAdded(strip, int(note->Id()));
        else
            OnNotify(*note);
        return true;
    }
    if (type == EditCommitEvent::kType) {
        auto* commit = static_cast<EditCommitEvent*>(event);
        OnEditCommit(commit->CtrlId(), commit->Value(), 0);
        return true;
    }
    if (type == kKickIdleEvent) {
        RunIdleUpdate();
        return true;
    }
    if (type == CommandUpdateEvent::EventType()) {
        OnUpdateCommand(*static_cast<CommandUpdateEvent*>(event));
        return true;
    }
    return QDialog::event(event);
}

void CDlgBase::KickIdle()
{
    QEvent idle(kKickIdleEvent);
    QCoreApplication::sendEvent(this, &idle);
}

void CDlgBase::RunIdleUpdate()
{
    if (!m_idleUpdate)
        return;
    StripFactory()->UpdateAllStrips();
    for (QWidget* child : ChildWidgets(this)) {
        const int id = ControlId::Of(child);
        if (id < 0 || OwnStripOfWindow(child))
            continue;
        CommandUpdateEvent query(quint32(id), child);
        QCoreApplication::sendEvent(this, &query);
        ApplyUpdate(child, query);
    }
}

void CDlgBase::ApplyUpdate(QWidget* control, const CommandUpdateEvent& query)
{
    if (query.enabled && control->isEnabled() != *query.enabled) {
        if (!*query.enabled && control->hasFocus())
            focusNextChild();
        control->setEnabled(*query.enabled);
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control);
        button && query.checked && button->isCheckable())
        button->setChecked(*query.checked != 0);
    if (query.text) {
        if (auto* box = qobject_cast<QGroupBox*>(control))
            box->setTitle(*query.text);
        else if (control->property("text").isValid())
            control->setProperty("text", *query.text);
    }
}

void CDlgBase::showEvent(QShowEvent* event)
{
    InitDialog();
    m_idleTimer->start();
    // Unless its code placed it, the dialog opens centred over the window it belongs to and on that
    // window's screen; a dialog without a parent opens over the active window.
    const bool place = !event->spontaneous() && !testAttribute(Qt::WA_Moved);
    if (place) {
        QWidget* over = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
        adjustPosition(over != this ? over : nullptr);
    }
    QDialog::showEvent(event);
    if (place)
        setAttribute(Qt::WA_Moved, false);
}

void CDlgBase::hideEvent(QHideEvent* event)
{
    m_idleTimer->stop();
    QDialog::hideEvent(event);
}

bool CDlgBase::eventFilter(QObject* watched, QEvent* event)
{
    if (!watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (m_groupBoxes.contains(widget)) {
        if (event->type() == QEvent::Paint) {
            PaintGroupBox(widget);
            return true;
        }
        return false;
    }
    if (m_subclassed.contains(widget)) {
        if (event->type() == QEvent::Paint)
            return PaintCtrl(widget);
        return OnCtrlMessage(widget, event);
    }
    return false;
}

void CDlgBase::PaintGroupBox(QWidget* box)
{
    QColor c1 = m_frameColor1;
    QColor c2 = m_frameColor2;
    AdjustButtonColors(&c1, &c2);
    QPainter p(box);
    p.setBrush(Qt::NoBrush);
    const int w = box->width();
    const int h = box->height();
    const int top = 6;
    // The light inner line, the light outer rounded line, then the dark rounded line one pixel
    // shorter, so the light line shows under it.
    p.setPen(QPen(c1, 1));
    p.drawRect(QRect(1, top + 1, w - 3, h - top - 3));
    p.drawRoundedRect(QRect(0, top, w - 1, h - top - 1), 2, 4);
    p.setPen(QPen(c2, 1));
    p.drawRoundedRect(QRect(0, top, w - 1, h - top - 2), 2, 4);
    const QString caption = WindowText(box);
    if (!caption.isEmpty()) {
        const QString shown = caption + QLatin1Char(' ');
        p.setFont(box->font());
        const QFontMetrics metrics(box->font());
        const QRect area(9, 1, metrics.horizontalAdvance(shown), metrics.height());
        p.fillRect(area, BackgroundColor());
        p.setPen(box->palette().color(QPalette::WindowText));
        p.drawText(area, Qt::AlignLeft | Qt::AlignTop, shown);
    }
}

bool CDlgBase::PaintCtrl(QWidget* ctrl)
{
    QPixmap buffer(ctrl->size());
    buffer.fill(BackgroundColor());
    QPainter memory(&buffer);
    memory.setFont(font());
    const bool painted = OnPaintCtrl(ctrl, ControlId::Of(ctrl), memory);
    memory.end();
    if (painted) {
        QPainter p(ctrl);
        p.drawPixmap(0, 0, buffer);
    }
    return painted;
}

bool CDlgBase::OnPaintCtrl(QWidget*, int, QPainter&)
{
    return false;
}

bool CDlgBase::OnCtrlMessage(QWidget*, QEvent*)
{
    return false;
}

void CDlgBase::AdjustButtonColors(QColor*, QColor*) {}

void CDlgBase::OnRibBtnContainerCreated(IButtonStrip*, int) {}

void CDlgBase::OnRibBtnAdded(IButtonStrip* strip, int buttonId)
{
    strip->SetButtonSize(buttonId, 31, 31);
    strip->SetButtonToolTipMode(buttonId, 0);
}

void CDlgBase::AdjustRibBtnNavNext(int, int*) {}

void CDlgBase::OnEditCommit(int, EditValue&, int) {}

bool CDlgBase::OnCommandHook(int)
{
    return false;
}

bool CDlgBase::OnCommand(int id, int notifyCode, QObject*)
{
    if (notifyCode != 0)
        return false;
    if (OnCommandHook(id))
        return true;
    if (id == kIdCancel) {
        OnCancel();
        return true;
    }
    if (id == kIdOk) {
        // A refused entry is not taken as its old value: the dialog stays open with it.
        for (CEditLast* edit : findChildren<CEditLast*>())
            if (!edit->CommitPending())
                return true;
        OnOK();
        return true;
    }
    return false;
}

void CDlgBase::OnNotify(NotifyEvent&) {}

void CDlgBase::OnUpdateCommand(CommandUpdateEvent&) {}

void CDlgBase::OnOK()
{
    accept();
}

void CDlgBase::OnCancel()
{
    reject();
}
