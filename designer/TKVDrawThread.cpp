#include "designer/TKVDrawThread.h"

#include "types/TKVCanvas.h"

#include <QThread>

TKVDrawThread::TKVDrawThread() : Thread([this] { Run(); }) {}

TKVDrawThread::~TKVDrawThread()
{
    {
        const std::lock_guard<std::mutex> hold(Lock);
        Quit = true;
    }
    Changed.notify_all();
    Thread.join();
}

bool TKVDrawThread::Worthwhile() { return QThread::idealThreadCount() > 1; }

void TKVDrawThread::Start(TJob Next)
{
    std::unique_lock<std::mutex> hold(Lock);
    Changed.wait(hold, [this] { return !Busy; });
    Job = std::move(Next);
    Failure = nullptr;
    Busy = true;
    hold.unlock();
    Changed.notify_all();
}

std::exception_ptr TKVDrawThread::Wait() noexcept
{
    std::unique_lock<std::mutex> hold(Lock);
    Changed.wait(hold, [this] { return !Busy; });
    return std::exchange(Failure, nullptr);
}

void TKVDrawThread::Run()
{
    auto fonts = std::make_shared<TKVFontCache>();
    std::unique_lock<std::mutex> hold(Lock);
    for (;;) {
        Changed.wait(hold, [this] { return Busy || Quit; });
        if (!Busy)
            break;
        TJob job = std::move(Job);
        hold.unlock();
        std::exception_ptr failure;
        try {
            job(fonts);
        } catch (...) {
            failure = std::current_exception();
        }
        // What the job held goes before its caller hears that it ended.
        job = nullptr;
        hold.lock();
        Failure = failure;
        Busy = false;
        Changed.notify_all();
    }
    hold.unlock();
    // The fonts' engines belong to this thread's font cache, which Qt
    // destroys when the thread ends: they are released before that.
    fonts.reset();
}
