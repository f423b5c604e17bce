// The stand-in strip: push buttons in a framed row.
#include "PlainButtonStrip.h"

#include "PlainStripFactory.h"
#include "model/text/TextProvider.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"
#include "ui/NotifyEvent.h"

#include <QCoreApplication>
#include <QFrame>
#include <QPushButton>

PlainButtonStrip::PlainButtonStrip(bool autoWidth, bool iconBesideText, bool titleBand, QWidget* parent,
                                   const QString& title)
    : m_frame(new QFrame(parent)), m_flags{autoWidth, iconBesideText, titleBand}, m_title(title)
{
    m_frame->setObjectName(QStringLiteral("PlainButtonStrip"));
    m_frame->setFrameShape(QFrame::StyledPanel);
    m_frame->setGeometry(0, 0, 48, kHeight);
    m_frame->show();
    PlainStripFactory::Instance().Register(this);
}

PlainButtonStrip::~PlainButtonStrip()
{
    PlainStripFactory::Instance().Unregister(this);
    delete m_frame.data();
}

QWidget* PlainButtonStrip::Window()
{
    return m_frame;
}

bool PlainButtonStrip::AddButton(int id, QObject* notify, const QString& caption)
{
    if (!m_frame || m_buttons.contains(id))
        return false;
    QString text = caption;
    if (text.isEmpty()) {
        // Caption from the string with the button's id: its last line.
        const QStringList parts = QString::fromStdString(LoadResString(quint32(id))).split(QLatin1Char('\n'));
        text = parts.size() >= 3 ? parts.mid(2).join(QLatin1Char('\n')) : parts.last();
    }
    auto* button = new QPushButton(text, m_frame);
    ControlId::Set(button, id);
    button->setFocusPolicy(Qt::StrongFocus);
    QPointer<QObject> target(notify);
    QObject::connect(button, &QPushButton::clicked, button, [target, id] {
        if (target) {
            CommandEvent event{quint32(id)};
            QCoreApplication::sendEvent(target, &event);
        }
    });
    m_buttons.insert(id, button);
    m_notify.insert(id, target);
    m_entries.append(id);
    Relayout();
    button->show();
    if (notify) {
        NotifyEvent event(quint32(id), NotifyEvent::kButtonAdded, m_frame);
        QCoreApplication::sendEvent(notify, &event);
    }
    return true;
}

int PlainButtonStrip::AddSeparator(int id)
{
    if (!m_frame)
        return -1;
    if (id == -1)
        id = m_lastSeparator + 1;
    m_lastSeparator = std::max(m_lastSeparator, id);
    m_entries.append(-1);
    Relayout();
    return id;
}

bool PlainButtonStrip::HasButton(int id) const
{
    return m_frame && m_buttons.contains(id);
}

QWidget* PlainButtonStrip::ButtonWindow(int id) const
{
    return m_buttons.value(id);
}

QList<int> PlainButtonStrip::ButtonIds() const
{
    QList<int> ids;
    for (int entry : m_entries)
        if (entry != -1)
            ids.append(entry);
    return ids;
}

void PlainButtonStrip::SetButtonRadioGroup(int id, int anchorId)
{
    if (m_buttons.contains(id))
        m_anchors.insert(id, anchorId);
}

int PlainButtonStrip::GetButtonRadioGroup(int id) const
{
    return m_anchors.value(id, -1);
}

void PlainButtonStrip::SetButtonSize(int, int, int) {}

void PlainButtonStrip::SetButtonToolTipMode(int id, int mode)
{
    if (m_buttons.contains(id))
        m_toolTipModes.insert(id, mode);
}

void PlainButtonStrip::SetWindowPosAndShape(int x, int y, int width)
{
    if (!m_frame)
        return;
    m_frame->move(x, y);
    if (width > 0)
        m_frame->resize(std::max(width, 48), kHeight);
}

QString PlainButtonStrip::Caption(int id) const
{
    const QPushButton* button = m_buttons.value(id);
    return button ? button->text() : QString();
}

void PlainButtonStrip::Relayout()
{
    int x = 4;
    for (int entry : m_entries) {
        if (entry == -1) {
            x += 8;
            continue;
        }
        QPushButton* button = m_buttons.value(entry);
        const int w = std::max(42, button->sizeHint().width());
        button->setGeometry(x, 4, w, kHeight - 8);
        x += w + 2;
    }
    if (m_flags[0])
        m_frame->resize(std::max(48, x + 2), kHeight);
}
