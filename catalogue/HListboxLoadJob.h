// What one tile load shares between the strip and the worker thread that runs it.
#pragma once

#include "HListboxRecords.h"

#include <condition_variable>
#include <memory>
#include <mutex>

class CHListbox;

// One load of one tile, shared by the tile and the worker until both are done with it.
struct HListboxLoadJob
{
    HListboxLoadRequest request;
    std::shared_ptr<HListboxLoaderLink> link;
    // Written by the worker under the link's mutex, read by the window's thread after done.
    bool done = false;
    bool ok = false;
    QVariant output;
};

// What the workers of one list share with it; list is cleared when the list goes away.
struct HListboxLoaderLink
{
    std::mutex mutex;
    std::condition_variable finished;
    CHListbox* list = nullptr;
};
