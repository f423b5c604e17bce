// The address book offscreen: search without regard to case, checking, OK and the result.
#include "reports/CDlgAddressees.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

QVector<MailContact> Contacts()
{
    QVector<MailContact> c;
    VCardReader::Parse("BEGIN:VCARD\r\nFN:anna berg\r\nEMAIL:anna@example.org\r\nEND:VCARD\r\n"
                       "BEGIN:VCARD\r\nFN:Bernd Kurz\r\nEMAIL:bk@example.com\r\nEND:VCARD\r\n"
                       "BEGIN:VCARD\r\nFN:Carla Dorn\r\nEMAIL:carla@hannah.example\r\nEND:VCARD\r\n"
                       "BEGIN:VCARD\r\nFN:Dieter Eck\r\nEMAIL:de@example.com\r\nEND:VCARD\r\n",
                       c);
    return c;
}

QList<int> Rows(const QTreeWidget* list, bool checked)
{
    QList<int> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        if (checked ? item->checkState(0) == Qt::Checked : item->isSelected())
            rows.append(i);
    }
    return rows;
}

} // namespace

TEST(CDlgAddressees, SearchInCapitalsHighlightsAndChecksWithTheBox)
{
    CDlgAddressees dlg(Contacts());
    dlg.InitDialog();
    dlg.show();
    EXPECT_FALSE(dlg.OkButton()->isEnabled());

    // Without the box: rows are only highlighted; name or address may match.
    dlg.SearchField()->setText(QStringLiteral("ANNA"));
    EXPECT_EQ(Rows(dlg.List(), false), (QList<int>{0, 2}));
    EXPECT_TRUE(Rows(dlg.List(), true).isEmpty());
    EXPECT_FALSE(dlg.OkButton()->isEnabled());

    // With the box: found rows are checked, the others unchecked.
    dlg.CheckWithSearch()->setChecked(true);
    dlg.SearchField()->setText(QStringLiteral("EXAMPLE.COM"));
    EXPECT_EQ(Rows(dlg.List(), false), (QList<int>{1, 3}));
    EXPECT_EQ(Rows(dlg.List(), true), (QList<int>{1, 3}));
    EXPECT_TRUE(dlg.OkButton()->isEnabled());
    dlg.SearchField()->setText(QStringLiteral("Dorn"));
    EXPECT_EQ(Rows(dlg.List(), true), (QList<int>{2}));

    // An empty text clears the highlights and keeps the checks.
    dlg.SearchField()->clear();
    EXPECT_TRUE(Rows(dlg.List(), false).isEmpty());
    EXPECT_EQ(Rows(dlg.List(), true), (QList<int>{2}));

    const QString dir = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/reports");
    QDir().mkpath(dir);
    dlg.SearchField()->setText(QStringLiteral("ANNA"));
    EXPECT_TRUE(dlg.grab().save(dir + QStringLiteral("/address_book.png")));
}

TEST(CDlgAddressees, CheckAllAndTheResultInListOrder)
{
    CDlgAddressees dlg(Contacts());
    dlg.InitDialog();
    dlg.show();
    dlg.CheckAll()->setChecked(true);
    EXPECT_EQ(Rows(dlg.List(), true), (QList<int>{0, 1, 2, 3}));
    dlg.CheckAll()->setChecked(false);
    EXPECT_TRUE(Rows(dlg.List(), true).isEmpty());
    EXPECT_FALSE(dlg.OkButton()->isEnabled());

    // Checked in reverse order: the result follows the list.
    dlg.List()->topLevelItem(3)->setCheckState(0, Qt::Checked);
    dlg.List()->topLevelItem(0)->setCheckState(0, Qt::Checked);
    ASSERT_TRUE(dlg.OkButton()->isEnabled());
    dlg.OkButton()->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Result(), QStringLiteral("anna@example.org;de@example.com"));
}
