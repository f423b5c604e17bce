// Handlers and update handlers of commands, looked up by command id (single ids and ranges).
#pragma once

#include <functional>
#include <vector>

class CCmdUI;

class CommandTable
{
public:
    using Handler = std::function<void(unsigned id)>;
    using UpdateHandler = std::function<void(CCmdUI& cmdUI)>;

    // The handler of `id`, or of every id in first .. last. A later entry for an id wins.
    void On(unsigned id, Handler handler) { OnRange(id, id, std::move(handler)); }
    void OnRange(unsigned first, unsigned last, Handler handler);
    void OnUpdate(unsigned id, UpdateHandler handler) { OnUpdateRange(id, id, std::move(handler)); }
    void OnUpdateRange(unsigned first, unsigned last, UpdateHandler handler);

    bool HasHandler(unsigned id) const { return FindHandler(id) != nullptr; }
    bool HasUpdateHandler(unsigned id) const { return FindUpdate(id) != nullptr; }

    // Runs the handler of `id`; false when there is none.
    bool Execute(unsigned id) const;
    // Runs the update handler of the query's command; false when there is none.
    bool Update(CCmdUI& cmdUI) const;
    // The update of a command: its update handler when there is one; otherwise the command is enabled
    // exactly when it has a handler.
    void UpdateOrDefault(CCmdUI& cmdUI) const;

private:
    template <class F> struct Range
    {
        unsigned first;
        unsigned last;
        F handler;
    };
    const Handler* FindHandler(unsigned id) const;
    const UpdateHandler* FindUpdate(unsigned id) const;

    std::vector<Range<Handler>> m_handlers;
    std::vector<Range<UpdateHandler>> m_updates;
};
