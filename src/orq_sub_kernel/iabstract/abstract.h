// Abstract streams: numbers come from the caller's ring buffer, refilled by the caller's
// function when it runs dry. The three kinds (integer, double, float) differ only in the
// element type and in how a buffered number becomes an output; the ring logic lives here once.
#pragma once
#include <stddef.h>

#include "orq_sub_kernel/_service/stream.h"
#include "zaforq/orq_quasi.h"

namespace zaforq::orq {

// State after the header. The ring has `size` slots, the next undelivered number is in slot
// `next`, and `room` slots hold numbers already delivered (so size - room numbers wait, from
// slot next on, wrapping).
struct IAbstractState {
  int32_t size, next, room;
  uint32_t* buffer;
  OrqiAbstractRefill refill;
};
struct DAbstractState {
  int32_t size, next, room;
  double lower, upper;
  double* buffer;
  OrqdAbstractRefill refill;
};
struct SAbstractState {
  int32_t size, next, room;
  float lower, upper;
  float* buffer;
  OrqsAbstractRefill refill;
};

// Record sizes. The i386 layouts are 36, 52 and 44 bytes; the x86-64 build holds 8-byte
// pointers (aligned), so its records are larger: 48, 64 and 56 bytes.
constexpr int32_t kIAbstractRecord = kHeaderBytes + static_cast<int32_t>(sizeof(IAbstractState));
constexpr int32_t kDAbstractRecord = kHeaderBytes + static_cast<int32_t>(sizeof(DAbstractState));
constexpr int32_t kSAbstractRecord = kHeaderBytes + static_cast<int32_t>(sizeof(SAbstractState));
#if defined(__i386__)
static_assert(kIAbstractRecord == 36 && kDAbstractRecord == 52 && kSAbstractRecord == 44, "i386 records");
#else
static_assert(kIAbstractRecord == 48 && kDAbstractRecord == 64 && kSAbstractRecord == 56, "x86-64 records");
#endif

// The creation functions pass the initialisation function a block of 64-bit slots, each
// holding one pointer (so the block reads the same in both builds); n counts 32-bit words:
// pointer to n, buffer, [pointer to lower, pointer to upper,] refill.
constexpr int32_t kIntParamWords = 6;
constexpr int32_t kRealParamWords = 10;

inline uint64_t param_slot(const void* p) { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p)); }
template <class P>
inline P slot_pointer(const uint32_t* params, int i) {
  uint64_t v;
  memcpy(&v, reinterpret_cast<const unsigned char*>(params) + 8 * i, 8);
  return reinterpret_cast<P>(static_cast<uintptr_t>(v));
}

// Delivers count numbers from the ring into out through put(out_index, slot_pointer, k), which
// handles k consecutive slots; wraps at the end of the ring by splitting a block in two.
// Refills as needed. On a refill error next and room stay as they were before the call;
// numbers already delivered stay in the output.
template <class State, class Put>
inline int32_t ring_generate(OrqStream stream, State* st, int32_t count, Put put) {
  auto* const buf = st->buffer;
  if (!buf) return ORQ_STATUS_NULL_POINTER;
  const int32_t size = st->size;
  auto copy = [&](int32_t from_slot, int32_t k, int32_t out_at) {
    const int32_t first = k < size - from_slot ? k : size - from_slot;
    put(out_at, buf + from_slot, first);
    if (k > first) put(out_at + first, buf, k - first);
  };
  const int32_t unread = size - st->room;
  if (count <= unread) {
    copy(st->next, count, 0);
    st->next = static_cast<int32_t>((static_cast<int64_t>(st->next) + count) % size);
    st->room += count;
    return ORQ_STATUS_OK;
  }
  copy(st->next, unread, 0);
  int32_t done = unread, still = count - unread;
  int32_t next = static_cast<int32_t>((static_cast<int64_t>(st->next) + unread) % size);
  const int32_t room = size;  // every slot has been delivered at this point
  for (;;) {
    const int32_t start = next, wanted = room < still ? room : still;
    // The function gets copies: what it writes back to size, start or room is not used, so a
    // careless refill function cannot move the ring out of its buffer.
    int32_t a_size = size, a_wanted = wanted, a_room = room, a_start = start;
    const int32_t k = st->refill(stream, &a_size, buf, &a_wanted, &a_room, &a_start);
    if (k < 0 || k > room) return ORQ_STATUS_ABSTRACT_BAD_COUNT;
    if (k == 0) return ORQ_STATUS_ABSTRACT_NO_NUMBERS;
    if (still <= k) {
      copy(start, still, done);
      st->next = static_cast<int32_t>((static_cast<int64_t>(start) + still) % size);
      st->room = room - k + still;
      return ORQ_STATUS_OK;
    }
    copy(start, k, done);
    done += k;
    still -= k;
    next = static_cast<int32_t>((static_cast<int64_t>(start) + k) % size);
  }
}

// Allocates the record of an abstract kind and initialises it from the parameter block; a
// record whose initialisation fails is freed again.
inline int32_t create_abstract(OrqStream* stream, int32_t id, int32_t words, const uint64_t* block) {
  int32_t row, offset;
  BrngRow* table = __orqGetBrngBaseOffset(id, &row, &offset);
  int32_t status = __orqAllocateStream(stream, table, id, row, offset);
  if (status < 0) return status;
  status = table[row].InitFn(0, *stream, words, reinterpret_cast<const uint32_t*>(block));
  if (status < 0) __orqDeleteStream(stream);
  return status;
}

// Methods 1 and 2 (leapfrog, skip-ahead) are refused, others unknown.
inline int32_t abstract_refusal(int32_t method) {
  return method == 1 ? ORQ_STATUS_NO_LEAPFROG : method == 2 ? ORQ_STATUS_NO_SKIPAHEAD : ORQ_STATUS_UNKNOWN_METHOD;
}

// The double and float kinds, which differ only in their element type: initialisation from
// the parameter block (the checks repeated for callers that reach it through the registry),
// and creation, whose checks come before anything is allocated. `!(lower < upper)` also
// refuses NaN bounds.
template <class State, class T, class Refill>
int32_t init_real_abstract(int32_t method, OrqStream stream, int32_t n, const uint32_t* params) {
  if (method != 0) return abstract_refusal(method);
  if (n < kRealParamWords || !params) return ORQ_STATUS_BAD_ARGUMENT;
  const int32_t size = *slot_pointer<const int32_t*>(params, 0);
  T* buffer = slot_pointer<T*>(params, 1);
  const T lower = *slot_pointer<const T*>(params, 2), upper = *slot_pointer<const T*>(params, 3);
  Refill refill = slot_pointer<Refill>(params, 4);
  if (size <= 0 || !buffer || !(lower < upper) || !refill) return ORQ_STATUS_BAD_ARGUMENT;
  State* st = StateOf<State>(stream);
  st->size = size;
  st->next = 0;
  st->room = size;
  st->lower = lower;
  st->upper = upper;
  st->buffer = buffer;
  st->refill = refill;
  return ORQ_STATUS_OK;
}

template <class T, class Refill>
int32_t new_real_abstract(OrqStream* stream, int32_t id, int32_t n, T* buffer, T lower, T upper, Refill refill) {
  if (n <= 0 || !buffer || !(lower < upper) || !refill) return ORQ_STATUS_BAD_ARGUMENT;
  const uint64_t block[5] = {param_slot(&n), param_slot(buffer), param_slot(&lower), param_slot(&upper),
                             param_slot(reinterpret_cast<const void*>(refill))};
  return create_abstract(stream, id, kRealParamWords, block);
}

}  // namespace zaforq::orq

// The row functions of the three kinds (reached through the registry; not exported).
extern "C" {
int32_t __orqBRngiAbstractInitStream(int32_t method, OrqStream stream, int32_t n, const uint32_t* params);
int32_t __orqiBRngiAbstract(OrqStream stream, int32_t n, void* r);
int32_t __orqdBRngiAbstract(OrqStream stream, int32_t n, double* r, double a, double b);
int32_t __orqsBRngiAbstract(OrqStream stream, int32_t n, float* r, float a, float b);
int32_t __orqBRngdAbstractInitStream(int32_t method, OrqStream stream, int32_t n, const uint32_t* params);
int32_t __orqiBRngdAbstract(OrqStream stream, int32_t n, void* r);
int32_t __orqdBRngdAbstract(OrqStream stream, int32_t n, double* r, double a, double b);
int32_t __orqsBRngdAbstract(OrqStream stream, int32_t n, float* r, float a, float b);
int32_t __orqBRngsAbstractInitStream(int32_t method, OrqStream stream, int32_t n, const uint32_t* params);
int32_t __orqiBRngsAbstract(OrqStream stream, int32_t n, void* r);
int32_t __orqdBRngsAbstract(OrqStream stream, int32_t n, double* r, double a, double b);
int32_t __orqsBRngsAbstract(OrqStream stream, int32_t n, float* r, float a, float b);
}
