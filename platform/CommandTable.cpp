// Handlers and update handlers of commands by command id.
#include "platform/CommandTable.h"

#include "platform/CCmdUI.h"

void CommandTable::OnRange(unsigned first, unsigned last, Handler handler)
{
    m_handlers.push_back({first, last, std::move(handler)});
}

void CommandTable::OnUpdateRange(unsigned first, unsigned last, UpdateHandler handler)
{
    m_updates.push_back({first, last, std::move(handler)});
}

const CommandTable::Handler* CommandTable::FindHandler(unsigned id) const
{
    for (auto it = m_handlers.rbegin(); it != m_handlers.rend(); ++it) {
        if (id >= it->first && id <= it->last && it->handler)
            return &it->handler;
    }
    return nullptr;
}

const CommandTable::UpdateHandler* CommandTable::FindUpdate(unsigned id) const
{
    for (auto it = m_updates.rbegin(); it != m_updates.rend(); ++it) {
        if (id >= it->first && id <= it->last && it->handler)
            return &it->handler;
    }
    return nullptr;
}

bool CommandTable::Execute(unsigned id) const
{
    const Handler* handler = FindHandler(id);
    if (!handler)
        return false;
    // A copy: the handler may change the table.
    const Handler run = *handler;
    run(id);
    return true;
}

bool CommandTable::Update(CCmdUI& cmdUI) const
{
    const UpdateHandler* handler = FindUpdate(cmdUI.m_nID);
    if (!handler)
        return false;
    (*handler)(cmdUI);
    return true;
}

void CommandTable::UpdateOrDefault(CCmdUI& cmdUI) const
{
    if (!Update(cmdUI))
        cmdUI.Enable(HasHandler(cmdUI.m_nID));
}
