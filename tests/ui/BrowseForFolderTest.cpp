// Tests of the folder picker: where it opens, the choice and a cancel.
#include "ui/BrowseForFolder.h"

#include <QDir>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

// Puts a scripted picker in place for one test and records what it was asked.
class BrowseForFolderTest : public testing::Test
{
protected:
    void SetUp() override
    {
        before = SetFolderPicker([this](QWidget*, const QString& title, const QString& start, bool withEdit) {
            askedTitle = title;
            askedStart = start;
            askedEdit = withEdit;
            ++calls;
            return answer;
        });
    }
    void TearDown() override { SetFolderPicker(before); }

    FolderPickerFunction before;
    QString answer;
    QString askedTitle;
    QString askedStart;
    bool askedEdit = false;
    int calls = 0;
};

} // namespace

TEST_F(BrowseForFolderTest, OpensAtTheStartFolder)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    struct Case
    {
        const char* name;
        FolderStart start;
        int root;
        QString expected;
    };
    const Case cases[] = {
        {"a path",
         {QStringLiteral("/srv/plans"), FolderStart::kNone},
         FolderStart::kNone,
         QStringLiteral("/srv/plans")},
        {"a special folder", {QString(), FolderStart::kDocuments}, FolderStart::kNone, documents},
        {"the root without a start", {}, FolderStart::kPictures, pictures},
        {"neither", {}, FolderStart::kNone, QDir::currentPath()},
        {"an unknown special folder", {QString(), 0x7777}, FolderStart::kNone, QDir::currentPath()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BrowseForFolder(nullptr, c.start, c.root, QStringLiteral("Export folder"), true);
        EXPECT_EQ(askedStart, c.expected);
        EXPECT_EQ(askedTitle, QStringLiteral("Export folder"));
        EXPECT_TRUE(askedEdit);
    }
}

TEST_F(BrowseForFolderTest, AnswersTheChoiceOrNothingWhenCancelled)
{
    answer = QStringLiteral("/srv/plans/2026/");
    EXPECT_EQ(BrowseForFolder(nullptr, {}, FolderStart::kNone, QString(), false),
              QDir::toNativeSeparators(QStringLiteral("/srv/plans/2026")));
    answer.clear();
    EXPECT_TRUE(BrowseForFolder(nullptr, {QStringLiteral("/srv"), FolderStart::kNone}, FolderStart::kNone,
                                QString(), false)
                    .isEmpty());
    EXPECT_EQ(calls, 2);
}
