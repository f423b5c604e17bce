// The address book: picks mail recipients from the contacts, with a search that highlights and checks.
#pragma once

#include "platform/mail/VCardReader.h"
#include "ui/CDlgBase.h"

#include <QString>
#include <QVector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

class CDlgAddressees : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr int kIdCheckAll = 1344;
    static constexpr int kIdSearch = 1345;

    // `contacts` in the order they are listed (VCardReader sorts them by name, then address).
    explicit CDlgAddressees(const QVector<MailContact>& contacts, QWidget* parent = nullptr);

    // After OK: the addresses of the checked rows in list order, joined with ";".
    QString Result() const { return m_result; }

    QTreeWidget* List() const { return m_list; }
    QLineEdit* SearchField() const { return m_search; }
    // Set: the search checks the rows it finds (and unchecks the others).
    QCheckBox* CheckWithSearch() const { return m_checkWithSearch; }
    QCheckBox* CheckAll() const { return m_checkAll; }
    QPushButton* OkButton() const { return m_ok; }

protected:
    void OnOK() override;

private:
    void Search(const QString& text);
    void UpdateOk();

    QTreeWidget* m_list = nullptr;
    QLineEdit* m_search = nullptr;
    QCheckBox* m_checkWithSearch = nullptr;
    QCheckBox* m_checkAll = nullptr;
    QPushButton* m_ok = nullptr;
    QString m_result;
};
