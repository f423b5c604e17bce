// Tests of the vetoable tab bar: the owner's answer keeps or changes the tab, notices in order.
#include "ui/CXTPTabControlMM.h"
#include "ui/TabControlEvent.h"

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

namespace {

using Notice = std::tuple<int, int, int>; // message, first, second

// Records the tab bar's notices and answers the selection query with `veto`.
class TabOwner : public QWidget
{
public:
    std::vector<Notice> notices;
    int veto = 0;

protected:
    bool event(QEvent* e) override
    {
        const int type = int(e->type());
        if (type == TabControlEvent::kClickingType || type == TabControlEvent::kClickedType ||
            type == TabControlEvent::kSelectingType) {
            auto* tab = static_cast<TabControlEvent*>(e);
            notices.emplace_back(type, tab->First(), tab->Second());
            if (type == TabControlEvent::kSelectingType)
                tab->SetResult(veto);
            return true;
        }
        return QWidget::event(e);
    }
};

void Wheel(QWidget* target, int dy)
{
    const QPointF at(5, 5);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, dy), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &wheel);
}

class TabControlTest : public testing::Test
{
protected:
    void SetUp() override
    {
        owner.resize(400, 40);
        bar = new CXTPTabControlMM(&owner);
        for (const char* name : {"Template", "Plan", "Multi", "3D"})
            bar->addTab(QString::fromLatin1(name));
        bar->setCurrentIndex(1);
        bar->adjustSize();
        owner.show();
    }

    TabOwner owner;
    CXTPTabControlMM* bar = nullptr;
};

} // namespace

TEST_F(TabControlTest, OwnersAnswerDecidesForMouseKeysAndWheel)
{
    constexpr int kClicking = TabControlEvent::kClickingType;
    constexpr int kClicked = TabControlEvent::kClickedType;
    constexpr int kSelecting = TabControlEvent::kSelectingType;
    struct Case
    {
        const char* name;
        std::function<void(CXTPTabControlMM*)> act;
        int veto;
        int expectedIndex;
        std::vector<Notice> expected;
    };
    auto click = [](int tab) {
        return [tab](CXTPTabControlMM* b) {
            QTest::mouseClick(b, Qt::LeftButton, {}, b->tabRect(tab).center());
        };
    };
    auto key = [](Qt::Key k) { return [k](CXTPTabControlMM* b) { QTest::keyClick(b, k); }; };
    const Case cases[] = {
        {"click allowed", click(2), 0, 2, {{kClicking, 1, 2}, {kSelecting, 2, -1}, {kClicked, 1, 2}}},
        {"click refused", click(2), 1, 1, {{kClicking, 1, 2}, {kSelecting, 2, -1}, {kClicked, 1, 2}}},
        {"click on the selected tab asks nothing", click(1), 1, 1, {{kClicking, 1, 1}, {kClicked, 1, 1}}},
        {"Right allowed", key(Qt::Key_Right), 0, 2, {{kSelecting, 2, -1}}},
        {"Left refused", key(Qt::Key_Left), 7, 1, {{kSelecting, 0, -1}}},
        {"wheel down allowed", [](CXTPTabControlMM* b) { Wheel(b, -120); }, 0, 2, {{kSelecting, 2, -1}}},
        {"wheel up refused", [](CXTPTabControlMM* b) { Wheel(b, 120); }, -1, 1, {{kSelecting, 0, -1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar->setCurrentIndex(1);
        owner.notices.clear();
        owner.veto = c.veto;
        QSignalSpy changed(bar, &QTabBar::currentChanged);
        c.act(bar);
        EXPECT_EQ(bar->currentIndex(), c.expectedIndex);
        EXPECT_EQ(owner.notices, c.expected);
        EXPECT_EQ(changed.count(), c.expectedIndex == 1 ? 0 : 1) << "a refusal changes nothing";
    }
}

TEST_F(TabControlTest, KeysSkipDisabledTabsAndStopAtTheEnds)
{
    bar->setTabEnabled(2, false);
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(bar->currentIndex(), 3);
    EXPECT_EQ(owner.notices, (std::vector<Notice>{{TabControlEvent::kSelectingType, 3, -1}}));
    owner.notices.clear();
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(bar->currentIndex(), 3);
    EXPECT_TRUE(owner.notices.empty()) << "no tab beyond the last: nobody is asked";
}

TEST_F(TabControlTest, AnotherNoticeTargetAndSelectionByCode)
{
    TabOwner host;
    bar->SetNotifyTarget(&host);
    host.veto = 1;
    EXPECT_FALSE(bar->RequestSelect(0));
    EXPECT_EQ(bar->currentIndex(), 1);
    EXPECT_EQ(host.notices.size(), 1u);
    EXPECT_TRUE(owner.notices.empty());
    // The owner's own choice by code is not put to it again.
    bar->setCurrentIndex(3);
    EXPECT_EQ(bar->currentIndex(), 3);
    EXPECT_EQ(host.notices.size(), 1u);
}
