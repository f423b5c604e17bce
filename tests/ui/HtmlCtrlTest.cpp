// Tests of the embedded HTML control: "app:" links, placement over a placeholder, loading and keys.
#include "ui/AppCommandEvent.h"
#include "ui/CHtmlCtrl.h"
#include "ui/CHtmlCtrlEx.h"
#include "ui/CQorBrowser.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"
#include "ui/NotifyEvent.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

const HtmlCommandEntry kCommands[] = {
    {"print", 101},
    {"Save", 102},
    {"save", 999}, // a later duplicate never wins
    {nullptr, 0},
};

struct Posted
{
    unsigned id;
    QString argument;
};

// The parent of a control under test: records the commands posted to it.
class CommandSpy : public QWidget
{
public:
    int count() const { return int(received.size()); }
    std::vector<Posted> received;
    std::vector<QObject*> senders;
    std::vector<std::pair<quint32, int>> notifications; // control id, code

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == NotifyEvent::kType) {
            const auto* note = static_cast<NotifyEvent*>(e);
            notifications.push_back({note->Id(), note->Code()});
            return true;
        }
        if (e->type() != CommandEvent::kType)
            return QWidget::event(e);
        const auto* command = static_cast<CommandEvent*>(e);
        EXPECT_EQ(command->NotifyCode(), 0);
        received.push_back({command->Id(), AppCommandEvent::ArgumentOf(e)});
        senders.push_back(command->Control());
        return true;
    }
};

// Lets posted commands arrive and answers what was delivered.
std::vector<Posted> Deliver(CommandSpy& spy)
{
    QCoreApplication::sendPostedEvents(&spy);
    return std::exchange(spy.received, {});
}

// The viewport position of the middle of the first character of the anchor whose href is `href`.
QPoint AnchorPoint(QTextBrowser& browser, const QString& href)
{
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() == href) {
                QTextCursor cursor(browser.document());
                cursor.setPosition(fragment.position() + 1);
                return browser.cursorRect(cursor).center();
            }
        }
    }
    ADD_FAILURE() << "no anchor " << href.toStdString();
    return {};
}

void Click(QTextBrowser& browser, QPoint at)
{
    QWidget* viewport = browser.viewport();
    const QPointF local(at);
    const QPointF global(viewport->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &press);
    QCoreApplication::sendEvent(viewport, &release);
}

} // namespace

TEST(HtmlCtrlTest, AppLinksWithArgumentsReachTheirCommand)
{
    struct Case
    {
        const char* url;
        bool cancelled;
        std::vector<Posted> posted;
    };
    const Case cases[] = {
        {"app:print", true, {{101, QString()}}},
        {"APP:PRINT", true, {{101, QString()}}},
        {"App:sAvE", true, {{102, QString()}}},
        {"app:save/C:/plans/day 1/truck.qor", true, {{102, "C:/plans/day 1/truck.qor"}}},
        {"app:print/", true, {{101, QString()}}},
        {"app:", true, {}},
        {"app:/orphan/argument", true, {}},
        {"app:unknown/x", true, {}},
        {"apps:print", false, {}},
        {"https://example.com/app:print", false, {}},
    };
    CommandSpy spy;
    CHtmlCtrlEx html(&spy);
    html.SetCommandTable(kCommands);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(html.OnBeforeNavigate(QString::fromUtf8(c.url)), c.cancelled);
        EXPECT_EQ(spy.count(), 0) << "commands are posted, not sent";
        const std::vector<Posted> posted = Deliver(spy);
        ASSERT_EQ(posted.size(), c.posted.size());
        for (size_t i = 0; i < posted.size(); ++i) {
            EXPECT_EQ(posted[i].id, c.posted[i].id);
            EXPECT_EQ(posted[i].argument, c.posted[i].argument);
            EXPECT_EQ(posted[i].argument.isNull(), c.posted[i].argument.isNull());
        }
    }
}

TEST(HtmlCtrlTest, PlainControlTakesTheWholeRestAsCommandName)
{
    CommandSpy spy;
    CHtmlCtrl html(&spy);
    html.SetCommandTable(kCommands);
    EXPECT_TRUE(html.OnBeforeNavigate("APP:Print"));
    EXPECT_TRUE(html.OnBeforeNavigate("app:print/x"));
    const std::vector<Posted> posted = Deliver(spy);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].id, 101u);
}

TEST(HtmlCtrlTest, WithoutTableNothingIsPosted)
{
    CommandSpy spy;
    CHtmlCtrlEx html(&spy);
    EXPECT_TRUE(html.OnBeforeNavigate("app:print"));
    EXPECT_TRUE(Deliver(spy).empty());
}

TEST(HtmlCtrlTest, ClickedLinksPostAppCommandsAndNeverNavigate)
{
    CommandSpy spy;
    CQorBrowser html(&spy);
    html.SetCommandTable(kCommands);
    spy.resize(400, 200);
    html.resize(400, 200);
    spy.show();
    ASSERT_TRUE(html.LoadHtmlString(
        "<p>Save as <a href=\"app:save/plans/a b.qor\">plan</a> or see "
        "<a href=\"https://example.com/\">the web</a> or <a href=\"other.html\">another page</a>.</p>"));
    const QString before = html.toHtml();

    Click(html, AnchorPoint(html, "app:save/plans/a b.qor"));
    std::vector<Posted> posted = Deliver(spy);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].id, 102u);
    EXPECT_EQ(posted[0].argument, "plans/a b.qor");
    EXPECT_EQ(spy.senders.back(), &html);

    for (const char* href : {"https://example.com/", "other.html"}) {
        SCOPED_TRACE(href);
        Click(html, AnchorPoint(html, href));
        EXPECT_TRUE(Deliver(spy).empty());
        EXPECT_TRUE(html.source().isEmpty());
        EXPECT_EQ(html.toHtml(), before);
    }
}

TEST(HtmlCtrlTest, SettingAnAppSourceRunsTheCommandInsteadOfLoading)
{
    CommandSpy spy;
    CHtmlCtrlEx html(&spy);
    html.SetCommandTable(kCommands);
    html.LoadHtmlString("<p>kept</p>");
    EXPECT_FALSE(html.NavigateOnce(QUrl("app:print")));
    EXPECT_EQ(Deliver(spy).size(), 1u);
    EXPECT_EQ(html.toPlainText(), "kept");
}

TEST(HtmlCtrlTest, ReplacesPlaceholderInLayoutOrAtItsGeometry)
{
    for (bool inLayout : {true, false}) {
        for (bool tabStop : {true, false}) {
            SCOPED_TRACE(testing::Message() << "layout " << inLayout << " tab stop " << tabStop);
            QWidget dialog;
            auto* before = new QLabel("before", &dialog);
            auto* placeholder = new QLabel("placeholder", &dialog);
            placeholder->setObjectName(ControlId::ObjectName(1224));
            placeholder->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
            auto* after = new QLabel("after", &dialog);
            if (inLayout) {
                auto* layout = new QVBoxLayout(&dialog);
                layout->addWidget(before);
                layout->addWidget(placeholder);
                layout->addWidget(after);
            } else {
                placeholder->setGeometry(10, 20, 300, 150);
            }
            QPointer<QLabel> watch(placeholder);
            auto* html = new CQorBrowser;
            ASSERT_TRUE(html->ReplaceDlgItem(1224, &dialog));
            EXPECT_TRUE(watch.isNull());
            EXPECT_EQ(html->parentWidget(), &dialog);
            EXPECT_EQ(html->objectName(), ControlId::ObjectName(1224));
            EXPECT_EQ(bool(html->focusPolicy() & Qt::TabFocus), tabStop);
            if (inLayout)
                EXPECT_EQ(dialog.layout()->indexOf(html), 1);
            else
                EXPECT_EQ(html->geometry(), QRect(10, 20, 300, 150));
            EXPECT_FALSE(html->isHidden());
        }
    }
    QWidget dialog;
    CQorBrowser html;
    EXPECT_FALSE(html.ReplaceDlgItem(1224, &dialog));
    EXPECT_FALSE(html.CreateFromDlgItem(1224, &dialog));
}

TEST(HtmlCtrlTest, LoadWhileALoadIsPendingIsRefused)
{
    // An owner that reacts to the change of text by loading again runs while the first load is still
    // under way: without the guard this would recurse without end.
    CHtmlCtrlEx html;
    std::vector<bool> nested;
    QObject::connect(&html, &QTextEdit::textChanged, [&] {
        if (nested.size() < 4) {
            nested.push_back(html.LoadHtmlString("<p>nested</p>"));
            nested.push_back(html.NavigateOnce(QUrl("nested.html")));
        }
    });
    EXPECT_TRUE(html.LoadHtmlString("<p>outer</p>"));
    ASSERT_FALSE(nested.empty());
    // The nested HTML string is refused (false) and the nested navigation reports "still pending".
    for (size_t i = 0; i < nested.size(); ++i)
        EXPECT_EQ(nested[i], i % 2 == 1) << i;
    EXPECT_EQ(html.toPlainText(), "outer");
    EXPECT_FALSE(html.IsNavigationPending());
    QObject::disconnect(&html, &QTextEdit::textChanged, nullptr, nullptr);
    EXPECT_TRUE(html.LoadHtmlString("<p>again</p>"));
    EXPECT_EQ(html.toPlainText(), "again");
}

TEST(HtmlCtrlTest, NavigateOnceReportsPagesThatDoNotLoad)
{
    QTemporaryDir dir;
    const QString page = dir.filePath("page.html");
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body><p>From a file</p></body></html>");
    file.close();

    CommandSpy parent;
    CHtmlCtrlEx html(&parent);
    ControlId::Set(&html, 1224);
    EXPECT_FALSE(html.NavigateOnce(QUrl::fromLocalFile(page)));
    EXPECT_EQ(html.toPlainText(), "From a file");
    EXPECT_TRUE(html.NavigateOnce(QUrl::fromLocalFile(dir.filePath("missing.html"))));
    EXPECT_FALSE(html.IsNavigationPending());
    EXPECT_TRUE(html.LoadHtmlString("<p>x</p>"));
    EXPECT_FALSE(html.NavigateOnce(QUrl("app:print")));
    // Every load ends with a notification to the parent; the app: link loads nothing.
    const std::pair<quint32, int> done{1224, CHtmlCtrlEx::kDownloadComplete};
    EXPECT_EQ(parent.notifications, (std::vector<std::pair<quint32, int>>{done, done, done}));
}

TEST(HtmlCtrlTest, QorBrowserSwallowsF5AndCtrlKeys)
{
    struct Case
    {
        int key;
        Qt::KeyboardModifiers modifiers;
        bool swallowed;
    };
    const Case cases[] = {
        {Qt::Key_F5, Qt::NoModifier, true},     {Qt::Key_P, Qt::ControlModifier, true},
        {Qt::Key_F, Qt::ControlModifier, true}, {Qt::Key_A, Qt::ControlModifier, true},
        {Qt::Key_C, Qt::ControlModifier, true}, {Qt::Key_P, Qt::NoModifier, false},
        {Qt::Key_Down, Qt::NoModifier, false},
    };
    CQorBrowser html;
    html.LoadHtmlString("<p>Some text that can be selected.</p>");
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " " << c.modifiers);
        QKeyEvent shortcut(QEvent::ShortcutOverride, c.key, c.modifiers);
        shortcut.ignore();
        QCoreApplication::sendEvent(&html, &shortcut);
        EXPECT_EQ(shortcut.isAccepted(), c.swallowed);
        EXPECT_EQ(CQorBrowser::IsSwallowedKey(&shortcut), c.swallowed);
    }
    // Ctrl+A selects all in a plain control but does nothing in the dialogs' browser.
    CHtmlCtrlEx plain;
    plain.LoadHtmlString("<p>Some text that can be selected.</p>");
    for (QTextBrowser* browser : {static_cast<QTextBrowser*>(&plain), static_cast<QTextBrowser*>(&html)}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
        QCoreApplication::sendEvent(browser, &press);
    }
    EXPECT_TRUE(plain.textCursor().hasSelection());
    EXPECT_FALSE(html.textCursor().hasSelection());
}

TEST(HtmlCtrlTest, ContextMenuCanBeSwitchedOff)
{
    CQorBrowser html;
    EXPECT_EQ(html.contextMenuPolicy(), Qt::DefaultContextMenu);
    html.SetNoContextMenu(true);
    EXPECT_EQ(html.contextMenuPolicy(), Qt::NoContextMenu);
    EXPECT_EQ(html.frameShape(), QFrame::NoFrame);
}

TEST(HtmlCtrlTest, PrintsThePage)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("page.pdf");
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    CQorBrowser html;
    html.LoadHtmlString("<h1>Loading plan</h1><p>Truck 1</p>");
    EXPECT_TRUE(html.PrintPage(printer, false));
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF-"));
}
