// Full linear convolution: direct summation for short work, otherwise FFT products, as one
// transform of the whole result or as overlap-save blocks when one operand is much longer.
#include <pthread.h>
#include <stdlib.h>
#include <string.h>

#include <atomic>

#include "cpu/path.h"
#include "gax/fft.h"

namespace zaforq::gax {

namespace {

constexpr size_t kFftMinTotal = 512;   // result length from which the FFT pays
constexpr size_t kFftMinShort = 64;    // shorter operand length from which the FFT pays
constexpr size_t kBlockedRatio = 3;    // longer >= 3 x shorter: overlap-save
constexpr size_t kDirectChunk = 4096;  // direct path: longer operand in chunks of this size

// Plain (cached) stores: the padded operands are transformed right after, so the block
// clears' streaming stores, which bypass the cache, would only send them to memory and back.
template <class T>
void zero(T* p, size_t n) {
  if (n) memset(p, 0, n * sizeof(T));
}
template <class T>
void copy(const T* s, T* d, size_t n) {
  if (n) memcpy(d, s, n * sizeof(T));
}

// Descriptors of the convolution's transforms (inverse scaled by 1/P), one per precision and
// order, built on first use and kept until the library is unloaded: building the tables costs
// more than the transforms of a mid-sized convolution. Transforms only read a descriptor, so
// one serves every thread. Threads that race on a first use each build one; the first to
// publish it wins and the others free theirs (no lock, which would pull in the C++ runtime).
// Orders above kCachedOrders are built per call: their transforms outweigh the tables, and
// holding them would pin much memory.
constexpr int kCachedOrders = 20;

template <class T>
std::atomic<typename Fft<T>::Spec*> spec_cache[kCachedOrders + 1];

template <class T>
int32_t cached_spec(int order, typename Fft<T>::Spec** out) {
  auto& slot = spec_cache<T>[order];
  if ((*out = slot.load(std::memory_order_acquire))) return GAXS_STATUS_OK;
  typename Fft<T>::Spec* mine;
  if (const int32_t st = create_spec<T>(&mine, order, GAXS_FFT_DIV_INV_BY_N, 0)) return st;  // nothing kept
  typename Fft<T>::Spec* expected = nullptr;
  if (slot.compare_exchange_strong(expected, mine, std::memory_order_acq_rel, std::memory_order_acquire)) {
    *out = mine;
  } else {
    delete_spec<T>(mine);
    *out = expected;
  }
  return GAXS_STATUS_OK;
}

// The operand blocks and work area, kept per thread between calls up to kKeptBytes: a fresh
// block of megabytes is page-faulted in on every call, which costs about as much as the
// transforms. Held behind a thread-specific key, freed when the thread ends.
constexpr size_t kKeptBytes = size_t(16) << 20;
struct Scratch {
  void* block;
  size_t bytes;
};
pthread_key_t scratch_key;
pthread_once_t scratch_once = PTHREAD_ONCE_INIT;
bool scratch_ok = false;
void scratch_free(void* p) {
  if (!p) return;
  release(static_cast<Scratch*>(p)->block);
  free(p);
}
void scratch_create_key() { scratch_ok = pthread_key_create(&scratch_key, scratch_free) == 0; }

// The calling thread's kept block of at least bytes, or null (then the caller takes its own).
void* kept_block(size_t bytes) {
  if (bytes > kKeptBytes) return nullptr;
  pthread_once(&scratch_once, scratch_create_key);
  if (!scratch_ok) return nullptr;
  auto* s = static_cast<Scratch*>(pthread_getspecific(scratch_key));
  if (!s) {
    s = static_cast<Scratch*>(malloc(sizeof(Scratch)));
    if (!s) return nullptr;
    s->block = nullptr, s->bytes = 0;
    if (pthread_setspecific(scratch_key, s) != 0) {
      free(s);
      return nullptr;
    }
  }
  if (s->bytes < bytes) {
    release(s->block);
    s->bytes = 0;
    if (!(s->block = alloc_aligned(bytes, 64))) return nullptr;
    s->bytes = bytes;
  }
  return s->block;
}

// At unload: the cached descriptors, and the block of the thread that unloads (the main
// thread's at exit, whose keys are not destroyed).
__attribute__((destructor)) void release_kept() {
  for (int o = 0; o <= kCachedOrders; ++o) {
    if (auto* s = spec_cache<float>[o].exchange(nullptr)) delete_spec<float>(s);
    if (auto* s = spec_cache<double>[o].exchange(nullptr)) delete_spec<double>(s);
  }
  if (scratch_ok) {
    scratch_free(pthread_getspecific(scratch_key));
    pthread_setspecific(scratch_key, nullptr);
  }
}

// The descriptor of the given order with its typed view, and one aligned block of 2P values
// followed by the transform's work area (and one spare value). Transforms run in place on the
// path read once for the whole convolution.
template <class T>
struct FftWork {
  typename Fft<T>::Spec* owned = nullptr;  // a descriptor too large for the cache
  void* own_block = nullptr;               // a block too large to keep
  Plan<T> plan;
  T* block = nullptr;
  T* buf = nullptr;
  int path = cpu::current();
  int32_t open(int order) {
    typename Fft<T>::Spec* spec;
    if (order <= kCachedOrders) {
      if (const int32_t st = cached_spec<T>(order, &spec)) return st;
    } else {
      if (const int32_t st = create_spec<T>(&owned, order, GAXS_FFT_DIV_INV_BY_N, 0)) return st;
      spec = owned;
    }
    plan = plan_of<T>(spec);
    const size_t P = size_t(1) << order;
    // the work area from a 16-byte boundary: whole values, rounded up to an even count
    const size_t buf_values = ((static_cast<size_t>(plan.work_bytes) + 15) & ~size_t(15)) / sizeof(T);
    size_t total;
    if (!mul_size(2 * P + buf_values + 1, sizeof(T), total)) return GAXS_STATUS_MEM_ALLOC_ERR;
    if (!(block = static_cast<T*>(kept_block(total)))) {
      own_block = alloc_aligned(total, 64);
      if (!own_block) return GAXS_STATUS_MEM_ALLOC_ERR;
      block = static_cast<T*>(own_block);
    }
    buf = plan.work_bytes > 0 ? block + 2 * P : nullptr;
    return GAXS_STATUS_OK;
  }
  void fwd(T* x) const { transform(plan, x, x, buf, false, path); }
  void inv(T* x) const { transform(plan, x, x, buf, true, path); }
  void mul(const T* a, T* b, size_t n) const { mul_perm_unchecked(a, b, n, path); }
  ~FftWork() {
    release(own_block);
    if (owned) delete_spec<T>(owned);
  }
};

int order_for(size_t n, int at_least) {
  int o = at_least;
  while ((size_t(1) << o) < n && o < 31) ++o;
  return o;
}

template <class T>
int32_t conv_single(const T* lng, size_t L, const T* shrt, size_t S, T* dst, size_t N) {
  const int order = order_for(N, 2);
  FftWork<T> w;
  if (const int32_t st = w.open(order)) return st;
  const size_t P = size_t(1) << order;
  T* a = w.block;
  T* b = w.block + P;
  copy(lng, a, L);
  zero(a + L, P - L);
  copy(shrt, b, S);
  zero(b + S, P - S);
  w.fwd(a);
  w.fwd(b);
  w.mul(a, b, P);
  w.inv(b);
  copy(b, dst, N);
  return GAXS_STATUS_OK;
}

template <class T>
int32_t conv_blocked(const T* lng, size_t L, const T* shrt, size_t S, T* dst, size_t N) {
  const int o1 = order_for(2 * S, 1);
  FftWork<T> w;
  if (const int32_t st = w.open(o1 + 1)) return st;
  const size_t P = size_t(1) << (o1 + 1), step = P - S + 1;
  T* h = w.block;  // the shorter operand's spectrum
  T* blk = w.block + P;
  copy(shrt, h, S);
  zero(h + S, P - S);
  w.fwd(h);
  for (size_t m = 0; m < N; m += step) {
    const size_t lead = m == 0 ? 0 : S - 1;
    size_t count = L - m + lead;  // positive: m < N = L + S - 1
    if (count > lead + step) count = lead + step;
    if (count > L) count = L;
    copy(lng + (m - lead), blk, count);
    zero(blk + count, P - count);
    w.fwd(blk);
    w.mul(h, blk, P);
    w.inv(blk);
    copy(blk + lead, dst + m, N - m < step ? N - m : step);
  }
  return GAXS_STATUS_OK;
}

template <class T>
void conv_direct(const T* lng, size_t L, const T* shrt, size_t S, T* dst, size_t N) {
  const int path = cpu::current();  // one path for every chunk
  auto direct = [path](const T* l, size_t n, const T* s, size_t m, T* d) {
    own_conv_on(path, l, static_cast<int32_t>(n), s, static_cast<int32_t>(m), d);
  };
  if (L < kDirectChunk) {
    zero(dst, N);
    direct(lng, L, shrt, S, dst);
    return;
  }
  // Each chunk adds onto the tail the previous chunk left and clears only what it first reaches.
  zero(dst, S - 1);
  for (size_t o = 0; o < L; o += kDirectChunk) {
    const size_t c = L - o < kDirectChunk ? L - o : kDirectChunk;
    zero(dst + o + S - 1, c);
    direct(lng + o, c, shrt, S, dst + o);
  }
}

template <class T>
int32_t conv(const T* src1, int32_t len1, const T* src2, int32_t len2, T* dst) {
  if (!src1 || !src2 || !dst) return GAXS_STATUS_NULL_PTR_ERR;
  if (len1 < 1 || len2 < 1) return GAXS_STATUS_SIZE_ERR;
  const T* lng = src1;
  const T* shrt = src2;
  size_t L = static_cast<size_t>(len1), S = static_cast<size_t>(len2);
  if (len1 < len2) lng = src2, shrt = src1, L = static_cast<size_t>(len2), S = static_cast<size_t>(len1);
  const size_t N = L + S - 1;
  if (N >= kFftMinTotal && S >= kFftMinShort)
    return L < kBlockedRatio * S ? conv_single(lng, L, shrt, S, dst, N) : conv_blocked(lng, L, shrt, S, dst, N);
  conv_direct(lng, L, shrt, S, dst, N);
  return GAXS_STATUS_OK;
}

}  // namespace

int32_t conv_full(const float* src1, int32_t len1, const float* src2, int32_t len2, float* dst) {
  return conv(src1, len1, src2, len2, dst);
}
int32_t conv_full(const double* src1, int32_t len1, const double* src2, int32_t len2, double* dst) {
  return conv(src1, len1, src2, len2, dst);
}

}  // namespace zaforq::gax

extern "C" ZAFORQ_API int32_t gaxsConv_32f(const float* src1, int32_t len1, const float* src2, int32_t len2, float* dst) {
  return zaforq::gax::conv_full(src1, len1, src2, len2, dst);
}
extern "C" ZAFORQ_API int32_t gaxsConv_64f(const double* src1, int32_t len1, const double* src2, int32_t len2,
                                           double* dst) {
  return zaforq::gax::conv_full(src1, len1, src2, len2, dst);
}
