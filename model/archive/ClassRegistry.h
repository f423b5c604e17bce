// The program-wide table of persistent classes by name, from which readers create objects.
#pragma once

#include "model/archive/PersistentObject.h"

#include <string_view>
#include <vector>

class ClassRegistry
{
public:
    // Adds a class; a second class of the same name is ignored (the first one stays).
    static void Register(const ClassInfo& info);
    // The class of that exact name, or null.
    static const ClassInfo* Find(std::string_view name);
    // All registered classes, in name order.
    static std::vector<const ClassInfo*> All();
};
