#pragma once

#include <atomic>

// Asked now and then during long work on one style (a payload can declare 16 MiB): once set, the
// work ends early and what it was making is not known.
using StopFlag = std::atomic<bool>;

[[nodiscard]] inline bool stopAsked(const StopFlag *stop)
{
    return stop != nullptr && stop->load(std::memory_order_relaxed);
}
