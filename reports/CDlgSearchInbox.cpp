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

namespace {

constexpr quint32 kTextOrdnerFehler = 1460;
constexpr quint32 kTextKeinOrdner = 1461;
constexpr quint32 kTextFehlt = 1462;
constexpr quint32 kTextKeinMaildir = 1463;
constexpr quint32 kTextGesperrt = 1464;
constexpr quint32 kTextLesefehler = 1465;

// The text with each "%s" replaced by the next value.
QString Fuelle(QString text, const QStringList& werte)
{
    qsizetype ab = 0;
    for (const QString& wert : werte) {
        const qsizetype at = text.indexOf(QLatin1String("%s"), ab);
        if (at < 0)
            break;
        text.replace(at, 2, wert);
        ab = at + wert.size();
    }
    return text;
}

} // namespace

QString CDlgSearchInbox::FolderProblem(const QString& maildir)
{
    QString gesperrt;
    QString grund;
    switch (MaildirReader::Check(maildir, &gesperrt)) {
    case MaildirReader::FolderState::Readable:
        return QString();
    case MaildirReader::FolderState::NotSet:
        grund = Text(kTextKeinOrdner);
        break;
    case MaildirReader::FolderState::Missing:
        grund = Text(kTextFehlt);
        break;
    case MaildirReader::FolderState::NotMaildir:
        grund = Text(kTextKeinMaildir);
        break;
    case MaildirReader::FolderState::Unreadable:
        grund = Fuelle(Text(kTextGesperrt), {gesperrt});
        break;
    }
    return Fuelle(Text(kTextOrdnerFehler),
                  {maildir.trimmed().isEmpty() ? QStringLiteral("./.") : maildir, grund});
}

CDlgSearchInbox::CDlgSearchInbox(const QString& maildir, QWidget* parent)
    : CDlgBase(kNoTemplate, parent), m_strMaildir(maildir)
{
    setWindowTitle(Text(95));
    resize(640, 420);
    auto* layout = new QVBoxLayout(this);
    m_status = new QLabel(QStringLiteral("%1 %2").arg(Text(83)).arg(MaildirReader::kMaxMessages), this);
    layout->addWidget(m_status);
    m_detail = new QLabel(this);
    m_detail->setWordWrap(true);
    m_detail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_detail->hide();
    layout->addWidget(m_detail);
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
        m_status->setText(Text(kTextLesefehler));
        // The folder may have changed since the listing: then the reader's own words.
        QString detail = FolderProblem(m_strMaildir);
        if (detail.isEmpty())
            detail = m_strError;
        m_detail->setText(detail);
        m_detail->setVisible(!detail.isEmpty());
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
