// The wait notice: start message to the worker, dots, late Cancel, the worker's answer.
#include "ui/CDlgMessageOnly.h"

#include "ui/ControlId.h"
#include "ui/IButtonStrip.h"

#include <QLabel>
#include <QPainter>
#include <QTimerEvent>

CDlgMessageOnly::CDlgMessageOnly(QWidget* parent) : CDlgBase(kTemplateId, parent) {}

CDlgMessageOnly::~CDlgMessageOnly()
{
    if (m_channel)
        m_channel->Close();
}

QString CDlgMessageOnly::ShownText() const
{
    return m_message + QString(m_dotCount, QLatin1Char('.'));
}

bool CDlgMessageOnly::CancelShown() const
{
    IButtonStrip* strip = FindRibBtnContainer(kIdCancel);
    return strip && strip->Window() && !strip->Window()->isHidden();
}

void CDlgMessageOnly::ShowCancel(bool show)
{
    if (IButtonStrip* strip = FindRibBtnContainer(kIdCancel); strip && strip->Window())
        strip->Window()->setVisible(show);
}

bool CDlgMessageOnly::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    ShowCancel(false);
    SubclassCtrl(kTextId);
    m_dotTimer.start(kDotTimerMs, this);
    m_cancelTimer.start(kCancelDelayMs, this);
    if (auto* text = findChild<QLabel*>(ControlId::ObjectName(kTextId)))
        text->setText(m_message);
    m_channel = std::make_shared<WaitStartEvent::Channel>(this, WaitStartEvent::kDoneType);
    if (m_worker)
        QCoreApplication::postEvent(m_worker, new WaitStartEvent(m_channel));
    return true;
}

void CDlgMessageOnly::OnTimer(int which)
{
    if (which == 1) {
        m_dotCount = m_dotCount >= kMaxDots ? 1 : m_dotCount + 1;
        InvalidateCtrl(kTextId);
        if (QWidget* text = findChild<QWidget*>(ControlId::ObjectName(kTextId)))
            text->repaint();
    } else if (which == 2) {
        ShowCancel(true);
        m_cancelTimer.stop();
    }
}

void CDlgMessageOnly::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_dotTimer.timerId())
        OnTimer(1);
    else if (event->timerId() == m_cancelTimer.timerId())
        OnTimer(2);
    else
        CDlgBase::timerEvent(event);
}

bool CDlgMessageOnly::OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter)
{
    if (id != kTextId)
        return false;
    painter.fillRect(ctrl->rect(), BackgroundColor());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(ctrl->rect(), Qt::AlignLeft | Qt::AlignTop, ShownText());
    return true;
}

bool CDlgMessageOnly::event(QEvent* event)
{
    if (event->type() == WaitStartEvent::kDoneType) {
        OnOK();
        return true;
    }
    return CDlgBase::event(event);
}

void CDlgMessageOnly::done(int result)
{
    // The notice waits no longer: a later answer of the worker is dropped.
    if (m_channel)
        m_channel->Close();
    m_dotTimer.stop();
    m_cancelTimer.stop();
    CDlgBase::done(result);
}
