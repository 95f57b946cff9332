#pragma once

#include <QObject>
#include <QThreadPool>

#include <functional>

namespace tavenzo {

// Work that would keep the user-interface thread from answering (reading and decoding a sound) runs elsewhere; what
// it found comes back to the thread that asked for it.
class BackgroundWork {
public:
    virtual ~BackgroundWork() = default;
    // Runs `work` on another thread, then `done` on the asking thread, both in the order asked.
    virtual void run(std::function<void()> work, std::function<void()> done) = 0;
};

// One worker thread of its own, so work is done in the order asked and never takes both cores from the screens;
// `done` comes back through the asking thread's event loop. Destroying it waits for the work under way and drops
// whatever has not come back yet.
class ThreadPoolWork final : public BackgroundWork {
public:
    ThreadPoolWork();
    ~ThreadPoolWork() override;
    ThreadPoolWork(const ThreadPoolWork&) = delete;
    ThreadPoolWork& operator=(const ThreadPoolWork&) = delete;

    void run(std::function<void()> work, std::function<void()> done) override;

private:
    QObject m_receiver; // lives in the asking thread; what is posted to it dies with it
    QThreadPool m_pool;
};

} // namespace tavenzo
