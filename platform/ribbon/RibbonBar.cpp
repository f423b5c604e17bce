// A ribbon on Qt widgets.
#include "platform/ribbon/RibbonBar.h"

#include "platform/ribbon/QuickAccessBar.h"
#include "platform/ribbon/RibbonGroup.h"
#include "platform/ribbon/RibbonToolTip.h"

#include <algorithm>

#include <QAction>
#include <QDataStream>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIODevice>
#include <QMenu>
#include <QPainter>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kTabRowHeight = 26;
// The saved layout: a mark, its version, then the flags; from version 2 on the quick access commands
// (a count, then the ids) and the key table (a count, then id and key in Qt's portable text).
constexpr quint32 kLayoutMark = 0x51524C59; // "QRLY"
constexpr quint16 kLayoutVersion = 2;
constexpr quint32 kLayoutMinimized = 1;
constexpr quint32 kLayoutQuickAccessBelow = 2;
// Bounds a layout of this program stays far below; a larger count is damage.
constexpr quint32 kMaxQuickAccess = 200;
constexpr quint32 kMaxKeys = 2000;

const char* const kStyle =
    "QToolButton, QCheckBox, QLabel, QComboBox, QTabBar { font-size: 11px; }"
    "QToolButton { border: 1px solid transparent; border-radius: 3px; padding: 1px 2px; color: #15428B; }"
    "QToolButton:hover { border-color: #DBC27A; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
    "stop:0 #FFFBE0, stop:0.45 #FFF1B8, stop:0.55 #FFE38C, stop:1 #FFEBA6); }"
    "QToolButton:pressed { border-color: #9E7A48; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
    "stop:0 #FBC07E, stop:1 #F69A3C); }"
    "QToolButton:checked { border-color: #C29B5E; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
    "stop:0 #FFE0A8, stop:1 #FFC26A); }"
    "QToolButton:disabled { color: #8D8D8D; }"
    "QToolButton[popupMode=\"1\"] { padding-right: 14px; }"
    "QToolButton::menu-button { border-left: 1px solid #C5D5EA; width: 12px; }"
    "QCheckBox { color: #15428B; spacing: 4px; padding-left: 3px; }"
    "QCheckBox:disabled { color: #8D8D8D; }"
    "QLabel { color: #15428B; }"
    "QComboBox { border: 1px solid #ABC1DE; background: #FFFFFF; padding: 0 4px; color: #000000; }"
    "QComboBox:disabled { background: #F0F3F8; color: #8D8D8D; }"
    "QToolButton#ribbonSystemButton { border: none; background: transparent; }"
    "QToolButton#ribbonSystemButton::menu-indicator { image: none; width: 0px; }"
    "QTabBar::tab { color: #15428B; padding: 3px 16px; margin-top: 2px; border: 1px solid transparent; }"
    "QTabBar::tab:selected { background: #F4F8FD; border: 1px solid #9CBBE3; border-bottom: none; "
    "border-top-left-radius: 3px; border-top-right-radius: 3px; }";

} // namespace

RibbonBar::RibbonBar(QWidget* parent)
    : QWidget(parent), m_tabs(new QTabBar(this)), m_tip(new RibbonToolTip(this))
{
    setObjectName(QStringLiteral("ribbonBar"));
    setStyleSheet(QString::fromLatin1(kStyle));
    QFont small = font();
    small.setPixelSize(11);
    setFont(small); // the group captions
    auto* column = new QVBoxLayout(this);
    m_column = column;
    column->setContentsMargins(0, 0, 0, 3);
    column->setSpacing(0);
    auto* tabRowWidget = new QWidget(this);
    tabRowWidget->setFixedHeight(kTabRowHeight);
    m_tabRow = new QHBoxLayout(tabRowWidget);
    m_tabRow->setContentsMargins(2, 0, 4, 0);
    m_tabRow->setSpacing(4);
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    m_tabRow->addWidget(m_tabs, 0, Qt::AlignBottom);
    m_tabRow->addStretch(1);
    column->addWidget(tabRowWidget);
    // Groups are placed side by side; when they do not fit, the largest collapse first.
    m_groupArea = new QWidget(this);
    m_groupArea->setMinimumHeight(RibbonGroup::kMargin + RibbonGroup::kRowHeight * RibbonGroup::kRows + 2 +
                                  RibbonGroup::kCaptionHeight + 3);
    m_groupArea->installEventFilter(this);
    column->addWidget(m_groupArea, 1);
    m_quickAccess = new QuickAccessBar(m_tip, this);
    m_tabRow->insertWidget(0, m_quickAccess, 0, Qt::AlignVCenter);
    connect(m_quickAccess, &QuickAccessBar::Command, this, &RibbonBar::Command);
    connect(m_tabs, &QTabBar::currentChanged, this, &RibbonBar::TabSelected);
    connect(m_tabs, &QTabBar::tabBarDoubleClicked, this, [this](int index) {
        if (index >= 0)
            SetMinimized(!m_minimized);
    });
}

void RibbonBar::SetMinimized(bool minimized)
{
    if (minimized == m_minimized)
        return;
    m_minimized = minimized;
    if (minimized)
        m_tip->hide();
    m_groupArea->setVisible(!minimized);
    updateGeometry();
    emit MinimizedChanged(minimized);
}

QByteArray RibbonBar::SaveLayout() const
{
    QByteArray layout;
    QDataStream out(&layout, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    const quint32 flags =
        (m_minimized ? kLayoutMinimized : 0) | (m_quickAccessBelow ? kLayoutQuickAccessBelow : 0);
    out << kLayoutMark << kLayoutVersion << flags;
    const QList<int> quick = QuickAccessCommands();
    out << quint32(quick.size());
    for (int id : quick)
        out << qint32(id);
    const QList<KeyBindings::Binding>& keys = m_keys.Bindings();
    out << quint32(keys.size());
    for (const KeyBindings::Binding& binding : keys)
        out << qint32(binding.id) << binding.key.toString(QKeySequence::PortableText);
    return layout;
}

bool RibbonBar::RestoreLayout(const QByteArray& layout)
{
    QDataStream in(layout);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 mark = 0, flags = 0;
    quint16 version = 0;
    in >> mark >> version >> flags;
    if (in.status() != QDataStream::Ok || mark != kLayoutMark || version < 1 || version > kLayoutVersion)
        return false;
    if (version == 1) {
        if (!in.atEnd() || (flags & ~kLayoutMinimized) != 0)
            return false;
        SetMinimized((flags & kLayoutMinimized) != 0);
        return true;
    }
    if ((flags & ~(kLayoutMinimized | kLayoutQuickAccessBelow)) != 0)
        return false;
    quint32 count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok || count > kMaxQuickAccess)
        return false;
    QList<int> quick;
    for (quint32 i = 0; i < count; ++i) {
        qint32 id = 0;
        in >> id;
        if (id <= 0 || quick.contains(id))
            return false;
        quick.append(id);
    }
    in >> count;
    if (in.status() != QDataStream::Ok || count > kMaxKeys)
        return false;
    QList<KeyBindings::Binding> keys;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        qint32 id = 0;
        QString text;
        in >> id >> text;
        const QKeySequence key = QKeySequence::fromString(text, QKeySequence::PortableText);
        // A key that does not read back as written is not one this program saved.
        if (key.toString(QKeySequence::PortableText) != text)
            return false;
        keys.append({id, key});
    }
    if (in.status() != QDataStream::Ok || !in.atEnd() || !KeyBindings::IsValid(keys))
        return false;
    SetMinimized((flags & kLayoutMinimized) != 0);
    SetQuickAccessBelow((flags & kLayoutQuickAccessBelow) != 0);
    SetQuickAccessCommands(quick);
    SetKeyBindings(keys);
    return true;
}

bool RibbonBar::SetKeyBindings(const QList<KeyBindings::Binding>& bindings)
{
    if (!m_keys.SetBindings(bindings))
        return false;
    emit KeysChanged();
    return true;
}

std::optional<RibbonControlSpec> RibbonBar::DescribeCommand(int id) const
{
    if (m_describe) {
        if (std::optional<RibbonControlSpec> spec = m_describe(id))
            return spec;
    }
    for (const ControlRef& ref : Controls()) {
        if (ref.spec.id == id)
            return ref.spec;
    }
    return std::nullopt;
}

void RibbonBar::SetQuickAccessCommands(const QList<int>& ids)
{
    QList<RibbonControlSpec> specs;
    QList<int> taken;
    for (int id : ids) {
        if (taken.contains(id))
            continue;
        if (std::optional<RibbonControlSpec> spec = DescribeCommand(id)) {
            specs.append(*spec);
            taken.append(id);
        }
    }
    if (taken == QuickAccessCommands())
        return;
    m_quickAccess->SetCommands(specs);
    emit QuickAccessChanged();
}

QList<int> RibbonBar::QuickAccessCommands() const
{
    return m_quickAccess->Commands();
}

void RibbonBar::SetQuickAccessBelow(bool below)
{
    if (below == m_quickAccessBelow)
        return;
    m_quickAccessBelow = below;
    if (below) {
        m_tabRow->removeWidget(m_quickAccess);
        m_column->addWidget(m_quickAccess, 0, Qt::AlignLeft);
    } else {
        m_column->removeWidget(m_quickAccess);
        m_tabRow->insertWidget(m_system ? 1 : 0, m_quickAccess, 0, Qt::AlignVCenter);
    }
    m_quickAccess->show();
    updateGeometry();
    update();
    emit QuickAccessChanged();
}

QToolButton* RibbonBar::SetSystemButton(int id, const QIcon& icon, QMenu* popup)
{
    if (!m_system) {
        m_system = new QToolButton(this);
        m_system->setObjectName(QStringLiteral("ribbonSystemButton"));
        m_system->setIconSize(QSize(20, 20));
        m_system->setFixedSize(44, kTabRowHeight - 2);
        m_system->setPopupMode(QToolButton::InstantPopup);
        m_tabRow->insertWidget(0, m_system, 0, Qt::AlignVCenter);
    }
    m_system->setIcon(icon);
    m_system->setMenu(popup);
    OnControlAdded(m_system, id);
    return m_system;
}

int RibbonBar::AddTab(const QString& caption)
{
    return m_tabs->addTab(caption);
}

QWidget* RibbonBar::AddTabRowControl(const RibbonControlSpec& spec, QMenu* popup)
{
    auto* button = new QToolButton(this);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(spec.icon);
    button->setIconSize(QSize(16, 16));
    button->setText(spec.caption);
    button->setToolButtonStyle(
        spec.caption.isEmpty() || spec.style == RIBBON_STYLE_ICON
            ? Qt::ToolButtonIconOnly
            : (spec.icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonTextBesideIcon));
    if (popup && spec.type == RIBBON_POPUP) {
        button->setMenu(popup);
        button->setPopupMode(QToolButton::InstantPopup);
    } else {
        connect(button, &QToolButton::clicked, this, [this, id = spec.id] { emit Command(id, -1); });
    }
    button->setProperty("ribbonCommand", spec.id);
    m_tabRow->addWidget(button, 0, Qt::AlignVCenter);
    m_tabRowControls.append({spec, button});
    Wire(button, spec, popup);
    return button;
}

RibbonGroup* RibbonBar::AddGroup(int id, const QString& caption)
{
    if (RibbonGroup* there = Group(id))
        return there;
    auto* group = new RibbonGroup(id, caption, m_groupArea);
    connect(group, &RibbonGroup::Command, this, &RibbonBar::Command);
    group->installEventFilter(this);
    m_groups.append(group);
    group->show();
    LayoutGroups();
    return group;
}

RibbonGroup* RibbonBar::Group(int id) const
{
    for (RibbonGroup* group : m_groups) {
        if (group->Id() == id)
            return group;
    }
    return nullptr;
}

bool RibbonBar::RemoveGroup(int id)
{
    RibbonGroup* group = Group(id);
    if (!group)
        return false;
    m_groups.removeOne(group);
    if (m_tip->Shown() && group->isAncestorOf(m_tip->Shown()))
        m_tip->hide();
    delete group;
    LayoutGroups();
    return true;
}

QWidget* RibbonBar::AddControl(RibbonGroup* group, const RibbonControlSpec& spec, QMenu* popup)
{
    QWidget* control = group->AddControl(spec, popup);
    Wire(control, spec, popup);
    return control;
}

void RibbonBar::Wire(QWidget* control, const RibbonControlSpec& spec, QMenu* popup)
{
    OnControlAdded(control, spec.id);
    m_tip->Watch(control, spec.tipTitle, spec.tipText, spec.icon);
    if (popup && popup->property("ribbonWired").isNull()) {
        // A chosen menu item is a command like a click.
        popup->setProperty("ribbonWired", true);
        connect(popup, &QMenu::triggered, this, [this](QAction* action) {
            bool ok = false;
            const int id = action->data().toInt(&ok);
            if (ok && id > 0)
                emit Command(id, -1);
        });
    }
}

void RibbonBar::OnControlAdded(QWidget*, int) {}

void RibbonBar::LayoutGroups()
{
    if (m_layingOut)
        return;
    m_layingOut = true;
    constexpr int kLeft = 4, kGap = 3;
    // Only a shown ribbon knows its width; a hidden one keeps every group open.
    const bool bounded = m_groupArea->isVisible();
    const int room = m_groupArea->width() - kLeft;
    int needed = 0;
    for (RibbonGroup* group : m_groups)
        needed += group->ExpandedWidth() + kGap;
    QList<RibbonGroup*> largestFirst = m_groups;
    std::stable_sort(
        largestFirst.begin(), largestFirst.end(),
        [](const RibbonGroup* a, const RibbonGroup* b) { return a->ExpandedWidth() > b->ExpandedWidth(); });
    QList<RibbonGroup*> collapse;
    for (RibbonGroup* group : largestFirst) {
        if (!bounded || needed <= room)
            break;
        if (group->CollapsedWidth() >= group->ExpandedWidth())
            continue;
        collapse.append(group);
        needed -= group->ExpandedWidth() - group->CollapsedWidth();
    }
    int x = kLeft;
    for (RibbonGroup* group : m_groups) {
        group->SetCollapsed(collapse.contains(group));
        group->move(x, 3);
        x += group->width() + kGap;
    }
    m_layingOut = false;
}

bool RibbonBar::eventFilter(QObject* watched, QEvent* event)
{
    // A group grows with each control it gets; the groups' area changes with the window.
    if (event->type() == QEvent::Resize || (watched == m_groupArea && event->type() == QEvent::Show))
        LayoutGroups();
    return QWidget::eventFilter(watched, event);
}

QList<RibbonBar::ControlRef> RibbonBar::Controls() const
{
    QList<ControlRef> controls;
    for (const RibbonGroup* group : m_groups) {
        for (const RibbonGroup::Entry& entry : group->Entries())
            controls.append({entry.spec, entry.widget});
    }
    controls.append(m_tabRowControls);
    return controls;
}

QWidget* RibbonBar::Control(int id) const
{
    for (const ControlRef& ref : Controls()) {
        if (ref.spec.id == id)
            return ref.widget;
    }
    return nullptr;
}

bool RibbonBar::ShowsControl(const QWidget* control) const
{
    for (const RibbonGroup* group : m_groups) {
        if (group->IsCollapsed() && group->DropDown() && group->DropDown()->isAncestorOf(control))
            return group->isVisibleTo(this) && group->CollapsedButton()->isVisibleTo(this) &&
                   control->isVisibleTo(group->DropDown());
    }
    return control->isVisibleTo(this);
}

QSize RibbonBar::sizeHint() const
{
    // The quick access row below the ribbon adds its height, also to the minimised ribbon.
    const int below = m_quickAccessBelow ? QuickAccessBar::kButtonSize : 0;
    if (m_minimized)
        return QSize(QWidget::sizeHint().width(), kTabRowHeight + 3 + below);
    const int groupHeight =
        RibbonGroup::kMargin + RibbonGroup::kRowHeight * RibbonGroup::kRows + 2 + RibbonGroup::kCaptionHeight;
    return QSize(QWidget::sizeHint().width(), kTabRowHeight + 3 + groupHeight + 3 + below);
}

void RibbonBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // The tab row on the frame's light blue, the groups' area a shade lighter.
    p.fillRect(QRect(0, 0, width(), kTabRowHeight), QColor(0xC8, 0xD8, 0xED));
    QLinearGradient body(0, kTabRowHeight, 0, height());
    body.setColorAt(0.0, QColor(0xE7, 0xEF, 0xFA));
    body.setColorAt(1.0, QColor(0xD0, 0xDF, 0xF2));
    p.fillRect(QRect(0, kTabRowHeight, width(), height() - kTabRowHeight), body);
    p.setPen(QColor(0x9C, 0xBB, 0xE3));
    p.drawLine(0, kTabRowHeight - 1, width(), kTabRowHeight - 1);
    if (m_system) {
        // The system button: a dark blue, glossy rounded plate (lighter while the pointer is on it).
        const bool hot = m_system->underMouse() || m_system->isDown();
        QLinearGradient plate(0, m_system->y(), 0, m_system->geometry().bottom());
        plate.setColorAt(0.0, hot ? QColor(0x8D, 0xB5, 0xEC) : QColor(0x6F, 0x9B, 0xD8));
        plate.setColorAt(0.5, hot ? QColor(0x55, 0x88, 0xD0) : QColor(0x3F, 0x70, 0xB8));
        plate.setColorAt(0.51, hot ? QColor(0x3A, 0x6B, 0xB4) : QColor(0x2C, 0x5A, 0xA0));
        plate.setColorAt(1.0, hot ? QColor(0x6B, 0x9E, 0xE0) : QColor(0x4F, 0x85, 0xCF));
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QColor(0x4A, 0x6F, 0xA5));
        p.setBrush(plate);
        p.drawRoundedRect(QRectF(m_system->geometry()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        p.setRenderHint(QPainter::Antialiasing, false);
    }
    p.setPen(QColor(0x8D, 0xAE, 0xD9));
    if (m_quickAccessBelow) {
        // The quick access row below the ribbon: a band of its own under a line.
        const int top = m_quickAccess->y() - 1;
        p.fillRect(QRect(0, top, width(), height() - top), QColor(0xDE, 0xE8, 0xF5));
        p.drawLine(0, top, width(), top);
    }
    p.drawLine(0, height() - 1, width(), height() - 1);
}
