#pragma once

#include <functional>

class KnowledgeStore;

// Where a write of the open base that may take long (moving or deleting an
// item with many thousands of materials) is carried out. The window runs it
// on a worker thread with a connection of its own and keeps answering
// meanwhile; without a runner the model writes at once on its own store.
class StoreWriteRunner {
public:
    // Runs on the worker: every statement through the store it is given,
    // all or nothing; true when it committed.
    using Write = std::function<bool(KnowledgeStore&)>;
    // Runs back on the caller's thread once the write has ended.
    using Then = std::function<void(bool written)>;

    virtual ~StoreWriteRunner() = default;

    // False when the write cannot start (another long operation runs, no
    // base is open); `then` is not called then.
    virtual bool run(Write write, Then then) = 0;
};
