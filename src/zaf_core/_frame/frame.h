// The one frame every vector-math kernel runs in. A family supplies a small policy; the frame
// supplies the floating-point environment, the group loop with one range-mask test per group,
// the out-of-line special routine for flagged lanes (lowest index first, after the group's
// fast results are stored), the tail through the same computation, and the reports.
//
// A policy P provides:
//   using T = float or double;
//   static constexpr int group;        // elements per fast call (at most 32)
//   static constexpr X87 x87;          // x87 precision the kernel needs, or X87::untouched
//   static constexpr char name[];      // the kernel's exported name, used in its reports
//   fast:    computes `group` elements and returns a bit mask of lanes (bit k = element k)
//            whose result the special routine must recompute. It must load every input of the
//            group before storing any output.
//   special: recomputes one element from its argument values, writes the result(s), then, if
//            the element is exceptional, calls report(code).
// Shapes and their signatures:
//   unary   fast(const T* a, T* r)                    special(T a, T& r, const Report<T>&)
//   binary  fast(const T* a, const T* b, T* r)        special(T a, T b, T& r, const Report<T>&)
//   scalar  fast(const T* a, T b, T* r)               special(T a, T b, T& r, const Report<T>&)
//   two-out fast(const T* a, T* r1, T* r2)            special(T a, T& r1, T& r2, const Report<T>&)
//
// A policy whose computation is written for any register width names it:
//   using Wide = Core;   // Core::T, and template <class V> static uint32_t fast(...) over
//                        // the register type V, with the signature of fast above
// and the family's wider sources instantiate the core for their paths (wide.h). The frame
// picks the routine once per call; a core computes every lane as on SSE2, so the path in use
// never changes a result.
//
// Output arrays may be the input arrays (in place); partially overlapping arrays are not
// supported. In place, each group's arguments are staged first so the special routine and the
// error record still see the caller's arguments.
#pragma once
#include <stdint.h>
#include <string.h>

#include "common/fpenv.h"
#include "cpu/path.h"
#include "zaf.h"
#include "zaf_core/errors/report.h"

namespace zaforq::vm {

// One element's report: binds the kernel's name, the element index, its arguments and where
// its results live. The callback may replace those results.
template <class T>
class Report {
 public:
  Report(const char* name, int32_t index, T a1, T a2, T* r1, T* r2)
      : name_(name), index_(index), a1_(a1), a2_(a2), r1_(r1), r2_(r2) {}
  void operator()(int32_t code) const { report_element(code, index_, a1_, a2_, r1_, r2_, name_); }
  int32_t index() const { return index_; }  // element index, for callouts that report under their own name

 private:
  const char* name_;
  int32_t index_;
  T a1_, a2_;
  T* r1_;
  T* r2_;
};

namespace detail {

inline int lowest_lane(uint32_t m) { return __builtin_ctz(m); }

// Calls f(k) for every set bit k of m, lowest first.
template <class F>
inline void each_lane(uint32_t m, F&& f) {
  for (; m; m &= m - 1) f(lowest_lane(m));
}

template <int G>
inline uint32_t lanes_below(int32_t count) {
  static_assert(G >= 1 && G <= 32, "group of 1 to 32 elements");
  return count >= 32 ? 0xFFFFFFFFu : ((1u << count) - 1u);
}

// Copies count elements and fills the rest of a group with 1, a value inside every fast range.
template <int G, class T>
inline void stage(T (&dst)[G], const T* src, int32_t count) {
  for (int32_t k = 0; k < G; ++k) dst[k] = k < count ? src[k] : T(1);
}

}  // namespace detail

namespace detail {

enum class Shape { unary, binary, scalar, two_out };

// Adapts the frame's generic operands (input arrays, an optional scalar, output arrays) to the
// policy's signature for its shape, and says which values the error record carries.
template <class P, Shape S>
struct Call;

template <class P>
struct Call<P, Shape::unary> {
  using T = typename P::T;
  using Fast = uint32_t (*)(const T*, T*);
  static uint32_t fast(Fast f, const T* const* in, T, T* const* out) { return f(in[0], out[0]); }
  static void special(const T* const* in, T, int k, T& r1, T&, const Report<T>& rep) {
    P::special(in[0][k], r1, rep);
  }
  static T arg2(const T* const* in, T, int k) { return in[0][k]; }
};

template <class P>
struct Call<P, Shape::binary> {
  using T = typename P::T;
  using Fast = uint32_t (*)(const T*, const T*, T*);
  static uint32_t fast(Fast f, const T* const* in, T, T* const* out) { return f(in[0], in[1], out[0]); }
  static void special(const T* const* in, T, int k, T& r1, T&, const Report<T>& rep) {
    P::special(in[0][k], in[1][k], r1, rep);
  }
  static T arg2(const T* const* in, T, int k) { return in[1][k]; }
};

template <class P>
struct Call<P, Shape::scalar> {
  using T = typename P::T;
  using Fast = uint32_t (*)(const T*, T, T*);
  static uint32_t fast(Fast f, const T* const* in, T b, T* const* out) { return f(in[0], b, out[0]); }
  static void special(const T* const* in, T b, int k, T& r1, T&, const Report<T>& rep) {
    P::special(in[0][k], b, r1, rep);
  }
  static T arg2(const T* const*, T b, int) { return b; }
};

template <class P>
struct Call<P, Shape::two_out> {
  using T = typename P::T;
  using Fast = uint32_t (*)(const T*, T*, T*);
  static uint32_t fast(Fast f, const T* const* in, T, T* const* out) { return f(in[0], out[0], out[1]); }
  static void special(const T* const* in, T, int k, T& r1, T& r2, const Report<T>& rep) {
    P::special(in[0][k], r1, r2, rep);
  }
  static T arg2(const T* const* in, T, int k) { return in[0][k]; }
};

}  // namespace detail

// The register loop of a unary core's group: G elements in registers of type V, `value` giving
// a register's results and `out` the bits of its lanes the special routine must redo.
template <class V, int G, class T, class Value, class Out>
__attribute__((always_inline)) inline uint32_t unary_group(const T* a, T* r, Value value, Out out) {
  uint32_t m = 0;
#pragma GCC unroll 8
  for (int k = 0; k < G; k += V::lanes) {
    const V x = V::load(a + k);
    value(x).store(r + k);
    m |= out(x) << k;
  }
  return m;
}

#if defined(__x86_64__)
// The wide fast routines, one per core and path, instantiated by the family's *_avx2.cpp and
// *_avx512.cpp sources (see wide.h).
namespace avx2 {
template <class Core, class... A>
uint32_t wide_fast(A... args);
}
namespace avx512 {
template <class Core, class... A>
uint32_t wide_fast(A... args);
}
#endif

namespace detail {

template <class P>
constexpr auto has_wide(int) -> decltype(sizeof(typename P::Wide), true) { return true; }
template <class P>
constexpr bool has_wide(...) { return false; }

// The fast routine for this call: a wider path's when the policy has one for the path in use.
template <class P, class R, class... A>
inline auto fast_for_call(R (*sse2)(A...)) -> R (*)(A...) {
#if defined(__x86_64__)
  if constexpr (has_wide<P>(0)) {
    const cpu::Path p = cpu::current();
    if (p == cpu::kAvx512) return &vm::avx512::wide_fast<typename P::Wide, A...>;
    if (p == cpu::kAvx2) return &vm::avx2::wide_fast<typename P::Wide, A...>;
  }
#endif
  return sse2;
}

// The loop every kernel runs: NI input arrays (plus a scalar for the scalar shape), NO output
// arrays. Whole groups compute straight into the caller's outputs; the tail is staged, padded
// with 1, computed by the same fast path and copied out; flagged lanes are recomputed by the
// special routine, lowest index first, after the group's results are stored.
template <class P, Shape S, int NI, int NO, class T = typename P::T>
inline void run(int32_t n, const T* const (&in)[NI], T scalar, T* const (&out)[NO]) {
  if (n <= 0) return;
  using C = Call<P, S>;
  const typename C::Fast fast = fast_for_call<P>(static_cast<typename C::Fast>(&P::fast));
  constexpr int G = P::group;
  FpEnv env(P::x87);
  bool in_place = false;
  for (int j = 0; j < NI; ++j)
    for (int o = 0; o < NO; ++o) in_place = in_place || in[j] == out[o];
  alignas(16) T staged_in[NI][G];
  alignas(16) T staged_out[NO][G];
  const T* g_in[NI];
  T* g_out[NO];
  auto specials = [&](uint32_t m, int32_t i) {
    each_lane(m, [&](int k) {
      T* r1 = out[0] + i + k;
      T* r2 = out[NO - 1] + i + k;
      C::special(g_in, scalar, k, *r1, *r2,
                 Report<T>(P::name, i + k, g_in[0][k], C::arg2(g_in, scalar, k), r1, r2));
    });
  };
  int32_t i = 0;
  for (; i + G <= n; i += G) {
    for (int j = 0; j < NI; ++j) {
      g_in[j] = in[j] + i;
      if (in_place) {
        memcpy(staged_in[j], g_in[j], sizeof staged_in[j]);
        g_in[j] = staged_in[j];
      }
    }
    for (int o = 0; o < NO; ++o) g_out[o] = out[o] + i;
    if (const uint32_t m = C::fast(fast, g_in, scalar, g_out)) specials(m, i);
  }
  if (i < n) {
    const int32_t count = n - i;
    if (count >= G) __builtin_unreachable();  // a tail is shorter than a group (tells the compiler)
    for (int j = 0; j < NI; ++j) {
      stage(staged_in[j], in[j] + i, count);
      g_in[j] = staged_in[j];
    }
    for (int o = 0; o < NO; ++o) g_out[o] = staged_out[o];
    const uint32_t m = C::fast(fast, g_in, scalar, g_out) & lanes_below<G>(count);
    for (int o = 0; o < NO; ++o) memcpy(out[o] + i, staged_out[o], sizeof(T) * count);
    if (m) specials(m, i);
  }
}

}  // namespace detail

template <class P, class T = typename P::T>
inline void run_unary(int32_t n, const T* a, T* r) {
  detail::run<P, detail::Shape::unary>(n, {a}, T(0), {r});
}

template <class P, class T = typename P::T>
inline void run_binary(int32_t n, const T* a, const T* b, T* r) {
  detail::run<P, detail::Shape::binary>(n, {a, b}, T(0), {r});
}

template <class P, class T = typename P::T>
inline void run_scalar(int32_t n, const T* a, T b, T* r) {
  detail::run<P, detail::Shape::scalar>(n, {a}, b, {r});
}

template <class P, class T = typename P::T>
inline void run_two_out(int32_t n, const T* a, T* r1, T* r2) {
  detail::run<P, detail::Shape::two_out>(n, {a}, T(0), {r1, r2});
}

// The default quiet NaN a domain error writes: sign bit set.
template <class T> inline T domain_nan();
template <> inline float domain_nan<float>() { float f; const uint32_t b = 0xFFC00000u; memcpy(&f, &b, 4); return f; }
template <> inline double domain_nan<double>() { double d; const uint64_t b = 0xFFF8000000000000ull; memcpy(&d, &b, 8); return d; }

}  // namespace zaforq::vm
