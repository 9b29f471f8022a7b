#pragma once
// Work items 0..count-1 run on up to `jobs` threads, each taking the next
// item not yet taken; their results are handed on in item order, each as
// soon as it and every item before it are done, so the output does not
// depend on which thread finished first. One thread: the items run in turn
// on the caller's thread.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace sextrix {

// work(i) must not throw; deliver(result) runs on the caller's thread. While
// the caller's thread waits for the next result, idle() runs on it every
// idleEvery (a window keeps answering); the results do not depend on it.
template <class Work, class Deliver>
void runInOrder(int count, int jobs, Work&& work, Deliver&& deliver, const std::function<void()>& idle = {},
                std::chrono::milliseconds idleEvery = std::chrono::milliseconds(50)) {
    const int threads = std::clamp(jobs, 1, std::max(count, 1));
    if (threads == 1) {
        for (int i = 0; i < count; ++i) deliver(work(i));
        return;
    }
    using Result = decltype(work(0));
    std::vector<std::optional<Result>> done(static_cast<std::size_t>(count));
    std::mutex lock;
    std::condition_variable finished;
    std::atomic<int> next{0};
    std::vector<std::jthread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&] {
            for (int i = next++; i < count; i = next++) {
                Result result = work(i);
                const std::lock_guard<std::mutex> hold(lock);
                done[static_cast<std::size_t>(i)] = std::move(result);
                finished.notify_one();
            }
        });
    for (std::size_t i = 0; i < done.size(); ++i) {
        std::unique_lock<std::mutex> hold(lock);
        if (!idle) finished.wait(hold, [&] { return done[i].has_value(); });
        while (!done[i].has_value()) {
            if (finished.wait_for(hold, idleEvery, [&] { return done[i].has_value(); })) break;
            hold.unlock();
            idle();
            hold.lock();
        }
        Result result = std::move(*done[i]);
        done[i].reset();
        hold.unlock();
        deliver(std::move(result));
    }
}

}  // namespace sextrix
