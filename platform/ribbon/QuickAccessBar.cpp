// The quick access toolbar of the ribbon.
#include "platform/ribbon/QuickAccessBar.h"

#include "platform/ribbon/RibbonToolTip.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>

QuickAccessBar::QuickAccessBar(RibbonToolTip* tip, QWidget* parent)
    : QWidget(parent), m_tip(tip), m_row(new QHBoxLayout(this)), m_menuButton(new QToolButton(this)),
      m_menu(new QMenu(this))
{
    setObjectName(QStringLiteral("quickAccessBar"));
    m_row->setContentsMargins(2, 0, 2, 0);
    m_row->setSpacing(1);
    m_menuButton->setObjectName(QStringLiteral("quickAccessMenu"));
    m_menuButton->setAutoRaise(true);
    m_menuButton->setFocusPolicy(Qt::NoFocus);
    m_menuButton->setArrowType(Qt::DownArrow);
    m_menuButton->setFixedSize(14, kButtonSize);
    m_menuButton->setMenu(m_menu);
    m_menuButton->setPopupMode(QToolButton::InstantPopup);
    m_menuButton->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
    m_row->addWidget(m_menuButton);
    setFixedHeight(kButtonSize);
}

void QuickAccessBar::SetCommands(const QList<RibbonControlSpec>& commands)
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
    for (const RibbonControlSpec& spec : commands) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("quickAccess_%1").arg(spec.id));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(kButtonSize, kButtonSize);
        button->setIconSize(QSize(16, 16));
        button->setProperty("ribbonCommand", spec.id);
        // Without an icon the caption's first letters stand in.
        if (spec.icon.isNull()) {
            button->setText(spec.caption.left(2));
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        } else {
            button->setIcon(spec.icon);
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        }
        button->setCheckable(spec.type == RIBBON_CHECK_BOX);
        if (m_tip)
            m_tip->Watch(button, spec.tipTitle.isEmpty() ? spec.caption : spec.tipTitle, spec.tipText,
                         spec.icon);
        connect(button, &QToolButton::clicked, this, [this, id = spec.id] { emit Command(id, -1); });
        m_row->insertWidget(int(m_buttons.size()), button);
        m_buttons.append(button);
    }
}

QList<int> QuickAccessBar::Commands() const
{
    QList<int> ids;
    for (const QToolButton* button : m_buttons)
        ids.append(button->property("ribbonCommand").toInt());
    return ids;
}

QToolButton* QuickAccessBar::Button(int id) const
{
    for (QToolButton* button : m_buttons) {
        if (button->property("ribbonCommand").toInt() == id)
            return button;
    }
    return nullptr;
}
