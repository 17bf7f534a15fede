// Accuracy harness: every vector-math kernel registers itself here with its exact function
// (MPFR), the argument ranges to sample, its special and threshold arguments, and the status
// each argument must report. The harness draws arguments over the ranges (log-uniform
// magnitudes over every binade, both signs, subnormals), runs the kernel on whole arrays so
// the vector path and the tail are both measured, and reports the maximum error in ulp with
// the worst argument, and the counts of wrong special values and wrong statuses.
#pragma once
#include <mpfr.h>
#include <stdint.h>

#include <vector>

namespace acc {

enum class Prec { f32, f64 };
// The bound each class must meet: _HA below 1 ulp; double _50 and float _21 below 4 ulp;
// float _11 relative error at most 2^-11.
enum class Class { f11, f21, fHA, d50, dHA };
enum class Shape { unary, binary, scalar_b, two_out };

using MpfrUnary = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
using MpfrBinary = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);

// A sampling range: magnitudes between lo and hi (both > 0), log-uniform over the binades,
// with the sign chosen by `signs` (+1 positive only, -1 negative only, 0 both).
struct Range {
  double lo, hi;
  int signs = 0;
};

struct Special {
  double a, b;      // b ignored for one-argument kernels
};

struct Kernel {
  const char* name;  // exported name, also the --kernel selector
  Prec prec;
  Class cls;
  Shape shape;
  void* fn;  // the entry, cast back by shape and precision:
             // unary (int32_t, const T*, T*); binary (int32_t, const T*, const T*, T*);
             // scalar_b (int32_t, const T*, T, T*); two_out (int32_t, const T*, T*, T*)
  MpfrUnary exact1 = nullptr;    // unary, two_out (first result)
  MpfrUnary exact1b = nullptr;   // two_out (second result)
  MpfrBinary exact2 = nullptr;   // binary, scalar_b
  std::vector<Range> ranges_a;   // where to sample a
  std::vector<Range> ranges_b;   // where to sample b (binary, scalar_b)
  std::vector<Special> specials; // special and threshold arguments, checked exactly
  // The status the element must report (0 for none); called for every sampled and special
  // argument. Null means the kernel never reports.
  int (*expected_status)(double a, double b) = nullptr;
};

void register_kernel(const Kernel& k);

// Registers at static-initialisation time: `static acc::Registration r({...});`
struct Registration {
  explicit Registration(const Kernel& k) { register_kernel(k); }
};

}  // namespace acc
