// malloc and free for this binary: the library's calls resolve here, so its allocations can be
// counted, tracked and failed on demand; GoogleTest's own pass straight through.
#include "watch.h"

#include <cstdlib>

extern "C" void* __libc_malloc(size_t);
extern "C" void __libc_free(void*);

namespace alloc_watch {
int allocations = 0;
size_t largest = 0;
std::vector<void*>* live = nullptr;
bool watching = false;
int fail_at = 0;
}  // namespace alloc_watch

using namespace alloc_watch;

void watch(int fail) {
  if (!live) live = new std::vector<void*>;
  live->clear();
  live->reserve(4096);
  fail_at = fail;
  allocations = 0;
  largest = 0;
  watching = true;
}

void unwatch() { watching = false; }
void pause_watch() { watching = false; }
void resume_watch() { watching = true; }

extern "C" void* malloc(size_t n) {
  if (!watching) return __libc_malloc(n);
  ++allocations;
  if (n > largest) largest = n;
  if (allocations == fail_at) return nullptr;
  void* p = __libc_malloc(n);
  if (p && live->size() < live->capacity()) live->push_back(p);
  return p;
}

extern "C" void free(void* p) {
  if (live)
    for (size_t i = 0; i < live->size(); ++i)
      if ((*live)[i] == p) {
        (*live)[i] = live->back();
        live->pop_back();
        break;
      }
  __libc_free(p);
}
