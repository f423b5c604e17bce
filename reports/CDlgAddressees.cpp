// The address book dialog.
#include "reports/CDlgAddressees.h"

#include "reports/ReportTexts.h"
#include "ui/ControlId.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using ReportTexts::Caption;
using ReportTexts::Text;

CDlgAddressees::CDlgAddressees(const QVector<MailContact>& contacts, QWidget* parent)
    : CDlgBase(kNoTemplate, parent)
{
    setWindowTitle(Text(1680));
    auto* layout = new QVBoxLayout(this);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(Text(1681), this));
    m_search = new QLineEdit(this);
    ControlId::Set(m_search, kIdSearch);
    searchRow->addWidget(m_search, 1);
    m_checkWithSearch = new QCheckBox(Text(1682), this);
    searchRow->addWidget(m_checkWithSearch);
    layout->addLayout(searchRow);

    m_list = new QTreeWidget(this);
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("E-Mail")});
    m_list->setColumnWidth(0, 125);
    m_list->setColumnWidth(1, 125);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    for (const MailContact& c : contacts) {
        auto* item = new QTreeWidgetItem(m_list, {c.name, c.email});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
    }
    layout->addWidget(m_list, 1);

    auto* buttons = new QHBoxLayout;
    m_checkAll = new QCheckBox(Text(1683), this);
    ControlId::Set(m_checkAll, kIdCheckAll);
    buttons->addWidget(m_checkAll);
    buttons->addStretch(1);
    m_ok = new QPushButton(Caption(668), this);
    ControlId::Set(m_ok, kIdOk);
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(Text(708), this);
    ControlId::Set(cancel, kIdCancel);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    resize(420, 360);

    connect(m_search, &QLineEdit::textChanged, this, &CDlgAddressees::Search);
    connect(m_checkAll, &QCheckBox::toggled, this, [this](bool on) {
        for (int i = 0; i < m_list->topLevelItemCount(); ++i)
            m_list->topLevelItem(i)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    });
    connect(m_list, &QTreeWidget::itemChanged, this, &CDlgAddressees::UpdateOk);
    UpdateOk();
}

void CDlgAddressees::Search(const QString& text)
{
    const bool check = m_checkWithSearch->isChecked();
    QTreeWidgetItem* first = nullptr;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        const bool match = !text.isEmpty() && (item->text(0).contains(text, Qt::CaseInsensitive) ||
                                               item->text(1).contains(text, Qt::CaseInsensitive));
        item->setSelected(match);
        // Without the box the user's own checks stay as they are; an empty text only clears highlights.
        if (check && !text.isEmpty())
            item->setCheckState(0, match ? Qt::Checked : Qt::Unchecked);
        if (match && !first)
            first = item;
    }
    if (first)
        m_list->scrollToItem(first);
}

void CDlgAddressees::UpdateOk()
{
    bool any = false;
    for (int i = 0; i < m_list->topLevelItemCount() && !any; ++i)
        any = m_list->topLevelItem(i)->checkState(0) == Qt::Checked;
    m_ok->setEnabled(any);
}

void CDlgAddressees::OnOK()
{
    QStringList addresses;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (m_list->topLevelItem(i)->checkState(0) == Qt::Checked)
            addresses.append(m_list->topLevelItem(i)->text(1));
    if (addresses.isEmpty())
        return;
    m_result = addresses.join(u';');
    CDlgBase::OnOK();
}
