#include "workerthreads.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace pyhcp {

namespace {

constexpr auto kIdleLife = std::chrono::seconds(30);

struct Worker {
    std::condition_variable wake;
    std::function<void()> work;   // set under the pool's lock
    std::function<void()> done;
};

// Never destroyed: detached workers may still wait on it while the process
// exits.
struct Pool {
    std::mutex mutex;
    std::vector<Worker*> idle;
    pid_t pid = 0;
};

Pool* ThePool()
{
    // Callers hold the GIL, so the pool is made by one thread at a time. A
    // forked child has none of its parent's workers (and maybe a lock one
    // of them held): it leaves the parent's pool alone and makes its own.
    static Pool* pool = nullptr;
    const pid_t pid = ::getpid();
    if (pool == nullptr || pool->pid != pid) {
        pool = new Pool;
        pool->pid = pid;
    }
    return pool;
}

void WorkerLoop(Pool* pool, Worker* self)
{
    std::unique_lock<std::mutex> lock(pool->mutex);
    for (;;) {
        if (self->work) {
            std::function<void()> work = std::move(self->work);
            std::function<void()> done = std::move(self->done);
            self->work = nullptr;
            self->done = nullptr;
            lock.unlock();
            work();
            work = nullptr;
            // Idle before the caller hears of it, so that its next call finds
            // this worker. A task handed over meanwhile waits in self->work.
            lock.lock();
            pool->idle.push_back(self);
            lock.unlock();
            done();
            done = nullptr;
            lock.lock();
        }
        if (!self->wake.wait_for(lock, kIdleLife, [&] { return static_cast<bool>(self->work); })) {
            // Nobody picked this worker while the lock was free: leave.
            pool->idle.erase(std::find(pool->idle.begin(), pool->idle.end(), self));
            lock.unlock();
            delete self;
            return;
        }
    }
}

}  // namespace

void RunOnWorker(std::function<void()> work, std::function<void()> done)
{
    Pool* pool = ThePool();
    std::lock_guard<std::mutex> lock(pool->mutex);
    if (!pool->idle.empty()) {
        Worker* w = pool->idle.back();
        pool->idle.pop_back();
        w->work = std::move(work);
        w->done = std::move(done);
        w->wake.notify_one();
        return;
    }
    auto* w = new Worker;
    w->work = std::move(work);
    w->done = std::move(done);
    try {
        std::thread(WorkerLoop, pool, w).detach();
    } catch (...) {
        delete w;
        throw;
    }
}

}  // namespace pyhcp
