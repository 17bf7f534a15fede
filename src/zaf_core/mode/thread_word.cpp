#include "zaf_core/mode/thread_word.h"

#include <stdlib.h>

#include "zaf.h"

namespace zaforq {

uint32_t* thread_word(pthread_once_t* once, void (*create_key)(), const pthread_key_t* key,
                      uint32_t initial, uint32_t* fallback) {
  pthread_once(once, create_key);
  if (void* p = pthread_getspecific(*key)) return static_cast<uint32_t*>(p);
  // Room for the word, or for a callback pointer on a 64-bit build. Cleared by a plain store,
  // not memset, which the compiler would fold with malloc into a calloc import.
  union Slot {
    uint32_t word;
    void* pointer;
    uint64_t all;
  };
  Slot* block = static_cast<Slot*>(malloc(sizeof(Slot)));
  if (!block) return fallback;
  block->all = 0;
  block->word = initial;
  if (pthread_setspecific(*key, block) != 0) {
    free(block);
    return fallback;
  }
  return &block->word;
}

}  // namespace zaforq

namespace {

pthread_key_t Mode_key;
pthread_once_t Mode_konce = PTHREAD_ONCE_INIT;
uint32_t Mode_fallback = ZAF_MODE_DEFAULT;
void Mode_destroy(void* p) { free(p); }
void Mode_alloc_key() { pthread_key_create(&Mode_key, Mode_destroy); }

pthread_key_t ErrStatus_key;
pthread_once_t ErrStatus_konce = PTHREAD_ONCE_INIT;
uint32_t ErrStatus_fallback = 0;
void ErrStatus_destroy(void* p) { free(p); }
void ErrStatus_alloc_key() { pthread_key_create(&ErrStatus_key, ErrStatus_destroy); }

pthread_key_t CallBack_key;
pthread_once_t CallBack_konce = PTHREAD_ONCE_INIT;
// Two words of fallback so that a pointer of either width fits.
alignas(8) uint32_t CallBack_fallback[2] = {0, 0};
void CallBack_destroy(void* p) { free(p); }
void CallBack_alloc_key() { pthread_key_create(&CallBack_key, CallBack_destroy); }

}  // namespace

uint32_t* _GetMode() {
  return zaforq::thread_word(&Mode_konce, Mode_alloc_key, &Mode_key, ZAF_MODE_DEFAULT, &Mode_fallback);
}
uint32_t* _GetErrStatus() {
  return zaforq::thread_word(&ErrStatus_konce, ErrStatus_alloc_key, &ErrStatus_key, 0, &ErrStatus_fallback);
}
uint32_t* _GetCallBack() {
  return zaforq::thread_word(&CallBack_konce, CallBack_alloc_key, &CallBack_key, 0, CallBack_fallback);
}
void** _GetCallBackSlot() {
  static_assert(sizeof(void*) <= 8, "the callback block holds one pointer");
  return reinterpret_cast<void**>(_GetCallBack());
}
