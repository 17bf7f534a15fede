// Per-thread 32-bit words (mode, error status, error callback) in 8-byte heap blocks behind
// lazily created thread-specific keys.
#pragma once
#include <pthread.h>
#include <stdint.h>

namespace zaforq {

// Returns the calling thread's word, creating it with `initial` on first use. When the block
// cannot be allocated the thread falls back to `*fallback`, a process-wide word that starts at
// the same initial value: callers never see null, and the next call tries to allocate again.
uint32_t* thread_word(pthread_once_t* once, void (*create_key)(), const pthread_key_t* key,
                      uint32_t initial, uint32_t* fallback);

}  // namespace zaforq

// The calling thread's words; never null.
uint32_t* _GetMode();
uint32_t* _GetErrStatus();
uint32_t* _GetCallBack();
// The callback pointer does not fit a 32-bit word on x86-64: its block holds the full pointer.
void** _GetCallBackSlot();
