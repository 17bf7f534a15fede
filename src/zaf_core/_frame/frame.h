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
// Output arrays may be the input arrays (in place); partially overlapping arrays are not
// supported. In place, each group's arguments are staged first so the special routine and the
// error record still see the caller's arguments.
#pragma once
#include <stdint.h>
#include <string.h>

#include "common/fpenv.h"
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

template <class P, class T = typename P::T>
inline void run_unary(int32_t n, const T* a, T* r) {
  if (n <= 0) return;
  constexpr int G = P::group;
  FpEnv env(P::x87);
  const bool in_place = a == r;
  alignas(16) T sa[G];
  int32_t i = 0;
  for (; i + G <= n; i += G) {
    const T* ga = a + i;
    if (in_place) {
      memcpy(sa, ga, sizeof sa);
      ga = sa;
    }
    const uint32_t m = P::fast(ga, r + i);
    if (m) detail::each_lane(m, [&](int k) {
      P::special(ga[k], r[i + k], Report<T>(P::name, i + k, ga[k], ga[k], r + i + k, r + i + k));
    });
  }
  if (i < n) {
    const int32_t count = n - i;
    alignas(16) T sr[G];
    detail::stage(sa, a + i, count);
    const uint32_t m = P::fast(sa, sr) & detail::lanes_below<G>(count);
    memcpy(r + i, sr, sizeof(T) * count);
    if (m) detail::each_lane(m, [&](int k) {
      P::special(sa[k], r[i + k], Report<T>(P::name, i + k, sa[k], sa[k], r + i + k, r + i + k));
    });
  }
}

template <class P, class T = typename P::T>
inline void run_binary(int32_t n, const T* a, const T* b, T* r) {
  if (n <= 0) return;
  constexpr int G = P::group;
  FpEnv env(P::x87);
  const bool in_place = a == r || b == r;
  alignas(16) T sa[G], sb[G];
  int32_t i = 0;
  for (; i + G <= n; i += G) {
    const T* ga = a + i;
    const T* gb = b + i;
    if (in_place) {
      memcpy(sa, ga, sizeof sa);
      memcpy(sb, gb, sizeof sb);
      ga = sa;
      gb = sb;
    }
    const uint32_t m = P::fast(ga, gb, r + i);
    if (m) detail::each_lane(m, [&](int k) {
      P::special(ga[k], gb[k], r[i + k], Report<T>(P::name, i + k, ga[k], gb[k], r + i + k, r + i + k));
    });
  }
  if (i < n) {
    const int32_t count = n - i;
    alignas(16) T sr[G];
    detail::stage(sa, a + i, count);
    detail::stage(sb, b + i, count);
    const uint32_t m = P::fast(sa, sb, sr) & detail::lanes_below<G>(count);
    memcpy(r + i, sr, sizeof(T) * count);
    if (m) detail::each_lane(m, [&](int k) {
      P::special(sa[k], sb[k], r[i + k], Report<T>(P::name, i + k, sa[k], sb[k], r + i + k, r + i + k));
    });
  }
}

template <class P, class T = typename P::T>
inline void run_scalar(int32_t n, const T* a, T b, T* r) {
  if (n <= 0) return;
  constexpr int G = P::group;
  FpEnv env(P::x87);
  const bool in_place = a == r;
  alignas(16) T sa[G];
  int32_t i = 0;
  for (; i + G <= n; i += G) {
    const T* ga = a + i;
    if (in_place) {
      memcpy(sa, ga, sizeof sa);
      ga = sa;
    }
    const uint32_t m = P::fast(ga, b, r + i);
    if (m) detail::each_lane(m, [&](int k) {
      P::special(ga[k], b, r[i + k], Report<T>(P::name, i + k, ga[k], b, r + i + k, r + i + k));
    });
  }
  if (i < n) {
    const int32_t count = n - i;
    alignas(16) T sr[G];
    detail::stage(sa, a + i, count);
    const uint32_t m = P::fast(sa, b, sr) & detail::lanes_below<G>(count);
    memcpy(r + i, sr, sizeof(T) * count);
    if (m) detail::each_lane(m, [&](int k) {
      P::special(sa[k], b, r[i + k], Report<T>(P::name, i + k, sa[k], b, r + i + k, r + i + k));
    });
  }
}

template <class P, class T = typename P::T>
inline void run_two_out(int32_t n, const T* a, T* r1, T* r2) {
  if (n <= 0) return;
  constexpr int G = P::group;
  FpEnv env(P::x87);
  const bool in_place = a == r1 || a == r2;
  alignas(16) T sa[G];
  int32_t i = 0;
  for (; i + G <= n; i += G) {
    const T* ga = a + i;
    if (in_place) {
      memcpy(sa, ga, sizeof sa);
      ga = sa;
    }
    const uint32_t m = P::fast(ga, r1 + i, r2 + i);
    if (m) detail::each_lane(m, [&](int k) {
      P::special(ga[k], r1[i + k], r2[i + k], Report<T>(P::name, i + k, ga[k], ga[k], r1 + i + k, r2 + i + k));
    });
  }
  if (i < n) {
    const int32_t count = n - i;
    alignas(16) T s1[G], s2[G];
    detail::stage(sa, a + i, count);
    const uint32_t m = P::fast(sa, s1, s2) & detail::lanes_below<G>(count);
    memcpy(r1 + i, s1, sizeof(T) * count);
    memcpy(r2 + i, s2, sizeof(T) * count);
    if (m) detail::each_lane(m, [&](int k) {
      P::special(sa[k], r1[i + k], r2[i + k], Report<T>(P::name, i + k, sa[k], sa[k], r1 + i + k, r2 + i + k));
    });
  }
}

// The default quiet NaN a domain error writes: sign bit set.
template <class T> inline T domain_nan();
template <> inline float domain_nan<float>() { float f; const uint32_t b = 0xFFC00000u; memcpy(&f, &b, 4); return f; }
template <> inline double domain_nan<double>() { double d; const uint64_t b = 0xFFF8000000000000ull; memcpy(&d, &b, 8); return d; }

}  // namespace zaforq::vm
