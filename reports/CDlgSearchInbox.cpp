// The inbox search: the messages of the mail folder that carry a vehicle or exchange file, to check.
#include "reports/CDlgSearchInbox.h"

#include "model/text/TextProvider.h"
#include "reports/ReportTexts.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>

using ReportTexts::Caption;
using ReportTexts::Text;

CDlgSearchInbox::CDlgSearchInbox(const QString& maildir, QWidget* parent) : CDlgBase(kNoTemplate, parent)
{
    setWindowTitle(Text(83).trimmed());
    resize(640, 420);
    auto* layout = new QVBoxLayout(this);
    m_status = new QLabel(QStringLiteral("%1 %2").arg(Text(83)).arg(MaildirReader::kMaxMessages), this);
    layout->addWidget(m_status);
    auto* options = new QHBoxLayout;
    for (int id : {kIdAll, kIdWeek, kIdMonth, kIdYear, kIdUnread}) {
        auto* radio = new QRadioButton(Text(quint32(id)), this);
        ControlId::Set(radio, id);
        radio->setChecked(id == kIdAll);
        options->addWidget(radio);
    }
    layout->addLayout(options);
    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({Text(84), Text(85), Text(90), Text(91)});
    m_list->header()->resizeSection(0, 180);
    m_list->header()->resizeSection(1, 150);
    m_list->header()->resizeSection(2, 200);
    layout->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(Caption(668), this);
    ControlId::Set(ok, kIdOk);
    auto* cancel = new QPushButton(Caption(705), this);
    ControlId::Set(cancel, kIdCancel);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(m_list, &QTreeWidget::itemChanged, this, [this] { KickIdle(); });

    // Reading a large folder takes a while: the window stays free meanwhile.
    auto result = std::make_shared<QVector<InboxMessage>>();
    auto error = std::make_shared<QString>();
    auto ok2 = std::make_shared<bool>(false);
    m_worker = QThread::create(
        [maildir, result, error, ok2] { *ok2 = MaildirReader::List(maildir, *result, error.get()); });
    connect(m_worker, &QThread::finished, this, [this, result, error, ok2] {
        m_read = *result;
        m_strError = *error;
        m_bReadOk = *ok2;
        OnListed();
    });
    m_worker->start();
}

CDlgSearchInbox::~CDlgSearchInbox()
{
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

bool CDlgSearchInbox::IsImportAttachment(const QString& name)
{
    for (const char* ending : {".qorei", ".kmbei", ".qor", ".kmb"})
        if (name.contains(QLatin1String(ending), Qt::CaseInsensitive))
            return true;
    return false;
}

void CDlgSearchInbox::OnListed()
{
    m_bListed = true;
    if (!m_bReadOk) {
        m_status->setText(QStringLiteral("Error while reading inbox"));
        return;
    }
    Fill();
}

void CDlgSearchInbox::SetOption(int id)
{
    m_nOption = id;
    if (auto* radio = qobject_cast<QRadioButton*>(ControlId::Find(this, id)))
        radio->setChecked(true);
    if (m_bListed && m_bReadOk)
        Fill();
}

void CDlgSearchInbox::Fill()
{
    const QDateTime now = QDateTime::currentDateTime();
    int days = -1;
    switch (m_nOption) {
    case kIdWeek:
        days = 7;
        break;
    case kIdMonth:
        days = 30;
        break;
    case kIdYear:
        days = 365;
        break;
    default:
        break;
    }
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    m_shown.clear();
    for (const InboxMessage& message : m_read) {
        int count = 0;
        for (const QString& name : message.attachmentNames)
            if (IsImportAttachment(name))
                ++count;
        if (count == 0 || (m_nOption == kIdUnread && !message.unread) ||
            (days > 0 && message.received.isValid() && message.received < now.addDays(-days)))
            continue;
        auto* row = new QTreeWidgetItem(m_list);
        row->setText(0, QLocale().toString(message.received, QLocale::ShortFormat));
        row->setText(1, message.senderName);
        row->setText(2, message.subject);
        row->setText(3, QStringLiteral("%1").arg(count));
        row->setCheckState(0, Qt::Unchecked);
        if (message.unread) {
            QFont bold = row->font(0);
            bold.setBold(true);
            for (int column = 0; column < 4; ++column)
                row->setFont(column, bold);
        }
        m_shown.append(message);
    }
    KickIdle();
}

bool CDlgSearchInbox::OnCommand(int id, int notifyCode, QObject* control)
{
    switch (id) {
    case kIdAll:
    case kIdWeek:
    case kIdMonth:
    case kIdYear:
    case kIdUnread:
        SetOption(id);
        return true;
    default:
        return CDlgBase::OnCommand(id, notifyCode, control);
    }
}

void CDlgSearchInbox::OnUpdateCommand(CommandUpdateEvent& query)
{
    if (query.Id() == quint32(kIdOk)) {
        bool checked = false;
        for (int i = 0; i < m_list->topLevelItemCount() && !checked; ++i)
            checked = m_list->topLevelItem(i)->checkState(0) == Qt::Checked;
        query.Enable(checked);
        return;
    }
    CDlgBase::OnUpdateCommand(query);
}

void CDlgSearchInbox::OnOK()
{
    m_chosen.clear();
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (m_list->topLevelItem(i)->checkState(0) == Qt::Checked)
            m_chosen.append(m_shown.at(i));
    if (m_chosen.isEmpty())
        return;
    done(kIdOk);
}
