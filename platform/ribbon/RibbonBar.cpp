// A ribbon on Qt widgets.
#include "platform/ribbon/RibbonBar.h"

#include "platform/ribbon/RibbonGroup.h"
#include "platform/ribbon/RibbonToolTip.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kTabRowHeight = 26;

const char* const kStyle =
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
    "QTabBar::tab { color: #15428B; padding: 3px 16px; margin-top: 2px; border: 1px solid transparent; }"
    "QTabBar::tab:selected { background: #F4F8FD; border: 1px solid #9CBBE3; border-bottom: none; "
    "border-top-left-radius: 3px; border-top-right-radius: 3px; }";

} // namespace

RibbonBar::RibbonBar(QWidget* parent)
    : QWidget(parent), m_tabs(new QTabBar(this)), m_tip(new RibbonToolTip(this))
{
    setObjectName(QStringLiteral("ribbonBar"));
    setStyleSheet(QString::fromLatin1(kStyle));
    auto* column = new QVBoxLayout(this);
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
    auto* groupRowWidget = new QWidget(this);
    m_groupRow = new QHBoxLayout(groupRowWidget);
    m_groupRow->setContentsMargins(4, 3, 4, 0);
    m_groupRow->setSpacing(3);
    m_groupRow->addStretch(1);
    column->addWidget(groupRowWidget);
    connect(m_tabs, &QTabBar::currentChanged, this, &RibbonBar::TabSelected);
}

QToolButton* RibbonBar::SetSystemButton(int id, const QIcon& icon, QMenu* popup)
{
    if (!m_system) {
        m_system = new QToolButton(this);
        m_system->setObjectName(QStringLiteral("ribbonSystemButton"));
        m_system->setIconSize(QSize(20, 20));
        m_system->setFixedSize(44, kTabRowHeight - 2);
        m_system->setPopupMode(QToolButton::InstantPopup);
        m_system->setStyleSheet(QStringLiteral(
            "#ribbonSystemButton { border: 1px solid #5A7FB5; border-radius: 4px; background: "
            "qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #5F8FD0, stop:0.5 #3A6BB4, stop:0.51 #2C5AA0, "
            "stop:1 #4F85CF); }"
            "#ribbonSystemButton:hover { border-color: #2F5990; background: qlineargradient(x1:0, y1:0, "
            "x2:0, y2:1, stop:0 #7BA7E3, stop:0.5 #4E82CB, stop:0.51 #3A6BB4, stop:1 #6B9EE0); }"
            "#ribbonSystemButton::menu-indicator { image: none; }"));
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
    auto* group = new RibbonGroup(id, caption, this);
    connect(group, &RibbonGroup::Command, this, &RibbonBar::Command);
    m_groupRow->insertWidget(int(m_groups.size()), group, 0, Qt::AlignTop);
    m_groups.append(group);
    group->show();
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
    m_groupRow->removeWidget(group);
    if (m_tip->Shown() && group->isAncestorOf(m_tip->Shown()))
        m_tip->hide();
    delete group;
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

QSize RibbonBar::sizeHint() const
{
    const int groupHeight =
        RibbonGroup::kMargin + RibbonGroup::kRowHeight * RibbonGroup::kRows + 2 + RibbonGroup::kCaptionHeight;
    return QSize(QWidget::sizeHint().width(), kTabRowHeight + 3 + groupHeight + 3);
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
    p.setPen(QColor(0x8D, 0xAE, 0xD9));
    p.drawLine(0, height() - 1, width(), height() - 1);
}
