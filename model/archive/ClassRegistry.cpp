// The class table and the registration helper.
#include "model/archive/ClassRegistry.h"

#include <map>
#include <mutex>
#include <string>

namespace {

struct Table
{
    std::mutex mutex;
    std::map<std::string, const ClassInfo*, std::less<>> classes;
};

// Built on first use, so registrations from other files' static objects always find it.
Table& TheTable()
{
    static Table table;
    return table;
}

} // namespace

ClassRegistration::ClassRegistration(const ClassInfo& info)
{
    ClassRegistry::Register(info);
}

void ClassRegistry::Register(const ClassInfo& info)
{
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    t.classes.emplace(info.name, &info);
}

const ClassInfo* ClassRegistry::Find(std::string_view name)
{
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    const auto it = t.classes.find(name);
    return it == t.classes.end() ? nullptr : it->second;
}

std::vector<const ClassInfo*> ClassRegistry::All()
{
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    std::vector<const ClassInfo*> out;
    for (const auto& [name, info] : t.classes)
        out.push_back(info);
    return out;
}
