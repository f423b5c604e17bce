// The plain message box shows its text as it is: a file name that looks like markup stays text.
#include "ui/QtMessageBoxService.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

TEST(PlainMessageBoxTest, UserTextIsShownAsPlainText)
{
    const QString name = QStringLiteral("<a href=\"https://example.org\">open me</a><b>.qor");
    Qt::TextFormat format = Qt::RichText;
    QString shown;
    bool seen = false;
    // The box runs its own loop; the check runs in it and closes the box.
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = true;
        format = box->textFormat();
        for (QLabel* label : box->findChildren<QLabel*>()) {
            if (label->text() == name && label->textFormat() == Qt::PlainText)
                shown = label->text();
        }
        box->done(QMessageBox::Ok);
    });
    QtMessageBoxService::Instance().Show(nullptr, QStringLiteral("Error"), name,
                                         IMessageBoxService::Icon::Error, IMessageBoxService::Buttons::Ok);
    ASSERT_TRUE(seen);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(shown, name);
}
