// TKVDrawThread: a second thread on which the designer draws part of a
// crowded label picture while its own thread draws the rest. Qt keeps font
// engines per thread, so the thread resolves fonts of its own, keeps them
// from one picture to the next, and lets them go on itself when it ends.
#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

class TKVFontCache;

class TKVDrawThread
{
public:
    using TJob = std::function<void(const std::shared_ptr<TKVFontCache>& Fonts)>;

    TKVDrawThread();
    ~TKVDrawThread();
    TKVDrawThread(const TKVDrawThread&) = delete;
    TKVDrawThread& operator=(const TKVDrawThread&) = delete;

    // Whether the machine has a core to spare for a second drawing thread.
    static bool Worthwhile();
    // Runs Job on the thread with the thread's fonts and returns at once;
    // a job still running is waited for first.
    void Start(TJob Job);
    // Waits until the job has ended; what it threw, if anything.
    std::exception_ptr Wait() noexcept;

private:
    void Run();

    std::mutex Lock;
    std::condition_variable Changed;
    TJob Job;
    bool Busy = false;
    bool Quit = false;
    std::exception_ptr Failure;
    std::thread Thread; // started last, once the members it uses exist
};
