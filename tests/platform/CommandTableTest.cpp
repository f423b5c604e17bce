// Command handlers and update handlers by id and by range.
#include "platform/CommandTable.h"
#include "platform/CCmdUI.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// An update query that only notes the answers.
class NotingCmdUI : public CCmdUI
{
public:
    explicit NotingCmdUI(unsigned id) { m_nID = id; }
    void Enable(bool on) override { enabled.push_back(on); }
    void SetCheck(int state) override { checks.push_back(state); }
    std::vector<bool> enabled;
    std::vector<int> checks;
};

TEST(CommandTableTest, HandlersByIdAndRangeTheLaterEntryWins)
{
    CommandTable table;
    std::vector<unsigned> ran;
    table.OnRange(1400, 1431, [&](unsigned id) { ran.push_back(id); });
    table.On(1402, [&](unsigned id) { ran.push_back(id + 10000); });
    table.On(633, [&](unsigned id) { ran.push_back(id); });

    for (unsigned id : {1400u, 1402u, 1431u, 633u})
        EXPECT_TRUE(table.Execute(id));
    for (unsigned id : {1399u, 1432u, 634u})
        EXPECT_FALSE(table.Execute(id)) << id;
    EXPECT_EQ(ran, (std::vector<unsigned>{1400, 11402, 1431, 633}));
}

TEST(CommandTableTest, WithoutUpdateHandlerACommandIsEnabledExactlyWhenItHasAHandler)
{
    CommandTable table;
    table.On(633, [](unsigned) {});
    table.OnUpdate(656, [](CCmdUI& ui) { ui.Enable(false); });
    table.OnUpdateRange(1400, 1401, [](CCmdUI& ui) { ui.SetCheck(ui.m_nID == 1401 ? 1 : 0); });
    struct Case
    {
        unsigned id;
        std::vector<bool> enabled;
        std::vector<int> checks;
    };
    const Case cases[] = {
        {633, {true}, {}}, {656, {false}, {}}, {9999, {false}, {}}, {1400, {}, {0}}, {1401, {}, {1}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        NotingCmdUI ui(c.id);
        table.UpdateOrDefault(ui);
        EXPECT_EQ(ui.enabled, c.enabled);
        EXPECT_EQ(ui.checks, c.checks);
    }
}

} // namespace
