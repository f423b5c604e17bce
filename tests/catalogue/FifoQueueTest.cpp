// The bounded queue: an owning queue frees what falls out, a non-owning one may hand it back.
#include "catalogue/CFifoQueue.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(FifoQueue, OwningQueueFreesTheOldestAndKeepsItsCapacity)
{
    std::vector<int> freed;
    int values[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    {
        CFifoQueue queue;
        queue.Setup(444, 6, true, {}, [&](void* entry) { freed.push_back(*static_cast<int*>(entry)); });
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(queue.Push(&values[i]), nullptr);
        EXPECT_TRUE(freed.empty());
        EXPECT_EQ(queue.Push(&values[6]), nullptr);
        EXPECT_EQ(freed, std::vector<int>{0});
        EXPECT_EQ(queue.Count(), 6);
        EXPECT_EQ(queue.At(0), &values[1]);
        EXPECT_EQ(queue.At(5), &values[6]);
        queue.Push(&values[7]);
        queue.Clear();
        EXPECT_EQ(queue.Count(), 0);
        EXPECT_EQ(freed.size(), 8u);
        queue.Push(&values[0]);
    }
    EXPECT_EQ(freed.size(), 9u); // the destructor frees what is left
}

TEST(FifoQueue, NonOwningQueueHandsTheDroppedEntryBackWhenItsOwnerAnswersZero)
{
    int values[4] = {};
    for (std::intptr_t answer : {0, 1}) {
        SCOPED_TRACE(answer);
        std::vector<std::pair<int, void*>> told;
        CFifoQueue queue;
        queue.Setup(17, 2, false, [&](int id, void* entry) {
            told.emplace_back(id, entry);
            return answer;
        });
        queue.Push(&values[0]);
        queue.Push(&values[1]);
        void* back = queue.Push(&values[2]);
        EXPECT_EQ(back, answer == 0 ? &values[0] : nullptr);
        EXPECT_EQ(told, (std::vector<std::pair<int, void*>>{{17, &values[0]}}));
        EXPECT_EQ(queue.Count(), 2);
        EXPECT_EQ(queue.At(0), &values[1]);
    }
}

} // namespace
