// The allocation watch of this binary: malloc and free are interposed (watch.cpp), and calls
// made between watch() and unwatch() are counted, recorded while live, and may be made to fail.
#pragma once

#include <cstddef>
#include <vector>

namespace alloc_watch {
extern int allocations;       // watched allocations so far
extern size_t largest;        // the largest watched request
extern std::vector<void*>* live;  // watched blocks not yet freed
}  // namespace alloc_watch

// Starts watching; the fail-th watched allocation returns null (1-based; 0: none fails).
void watch(int fail);
void unwatch();
// Suspends and resumes counting inside a watched call (for set-up that is not under test).
void pause_watch();
void resume_watch();

using alloc_watch::allocations;
using alloc_watch::largest;
using alloc_watch::live;
