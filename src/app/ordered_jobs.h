#pragma once
// Work items 0..count-1 run on up to `jobs` threads, each taking the next
// item not yet taken; their results are handed on in item order, each as
// soon as it and every item before it are done, so the output does not
// depend on which thread finished first. One thread: the items run in turn
// on the caller's thread.
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace sextrix {

// work(i) must not throw; deliver(result) runs on the caller's thread.
template <class Work, class Deliver>
void runInOrder(int count, int jobs, Work&& work, Deliver&& deliver) {
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
        finished.wait(hold, [&] { return done[i].has_value(); });
        Result result = std::move(*done[i]);
        done[i].reset();
        hold.unlock();
        deliver(std::move(result));
    }
}

}  // namespace sextrix
