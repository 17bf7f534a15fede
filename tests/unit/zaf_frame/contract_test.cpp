// The kernel contract, checked on every exported vector-math kernel (the list is read from
// the export lists, so a new family is covered as soon as its names are exported):
//   - a count of 0 or less writes and reports nothing;
//   - an element's result does not depend on its position in the array or on the group it
//     falls in (each element alone gives the same bits as in the array);
//   - in-place use (result over an argument) gives the same bits as out-of-place;
//   - the caller's MXCSR rounding mode and flush-to-zero are ignored, and MXCSR and the x87
//     control word come back unchanged (denormals-are-zero is the caller's choice of inputs;
//     and the x87 precision is set only by the kernels that need a particular one, so the
//     float logarithms' x87 path for special arguments follows the caller's);
//   - reports arrive in index order, each after its element's result has been written;
//   - every instruction-set path gives the same results and reports as the SSE2 one.
// Accuracy and the specials of each family are the accuracy harness's; this checks the frame.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "cpu_paths.h"
#include "fpregs.h"
#include "zaf.h"

namespace {

enum class Shape { unary, binary, scalar_b, two_out };

struct Kernel {
  std::string name;
  bool single;
  Shape shape;
  void* fn;
};

std::vector<Kernel> exported_kernels() {
  static const std::regex kernel("^_zaf([sd])([A-Za-z0-9]+)_(HA|50|21|11)$");
  std::vector<Kernel> out;
  for (const char* file : {"zaf_algebraic.txt", "zaf_explog.txt", "zaf_trig.txt", "zaf_hyperbolic.txt",
                           "zaf_invtrig.txt", "zaf_erf.txt"}) {
    std::ifstream in(std::string(ZAFORQ_EXPORTS_DIR) + "/" + file);
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
      if (!std::regex_match(line, m, kernel)) continue;
      const std::string family = m[2];
      Shape shape = Shape::unary;
      if (family == "Pow" || family == "Div" || family == "Atan2") shape = Shape::binary;
      if (family == "Powx") shape = Shape::scalar_b;
      if (family == "SinCos") shape = Shape::two_out;
      out.push_back({line, m[1] == "s", shape, dlsym(RTLD_DEFAULT, line.c_str())});
    }
  }
  return out;
}

// Arguments that reach the fast path, every special path and every report: signed zeros,
// subnormals, values near 1, thresholds of the exponential and trigonometric families,
// huge values, infinities and NaN, and a spread of ordinary values.
std::vector<double> arguments() {
  std::vector<double> v = {0.0, -0.0, 5e-324, -4e-320, 1e-310, 1e-40, -1e-39, 1e-20, 0.1, -0.25, 0.5, -0.75,
                           0.999, 1.0, -1.0, 1.001, 2.0, -3.0, 3.14159, 10.0, -20.0, 30.5, 88.7, -87.4, 89.0,
                           -104.0, 100.0, 709.8, -745.2, 1e5, -1e6, 3e8, 1e19, -1e30, 3e38, 1e300, -1.7e308,
                           INFINITY, -INFINITY, NAN, -NAN};
  for (int i = 0; i < 26; ++i) v.push_back(std::ldexp(1.0 + i / 7.0, (i * 37) % 90 - 45) * (i % 3 ? 1 : -1));
  return v;  // 67 elements: not a multiple of any group size
}

struct Report {
  int32_t index, code;
  bool written;  // the element's result was in the array when the callback ran
};
std::vector<Report>* reports = nullptr;
const void* results = nullptr;  // the first result array of the call under test
bool single_results = false;

int32_t record(zafErrorRecord* rec) {
  bool written;
  if (single_results) {
    const float r = static_cast<const float*>(results)[rec->index];
    const float want = static_cast<float>(rec->res1);
    written = std::memcmp(&r, &want, 4) == 0 || (r != r && want != want);
  } else {
    const double r = static_cast<const double*>(results)[rec->index];
    written = std::memcmp(&r, &rec->res1, 8) == 0 || (r != r && rec->res1 != rec->res1);
  }
  reports->push_back({rec->index, rec->code, written});
  return 1;  // keep the kernel's result; no errno, no exception flags
}

// One call of kernel k over n elements of its arguments, results in r (and r2 for SinCos).
template <class T>
void call(const Kernel& k, int32_t n, const T* a, const T* b, T* r, T* r2) {
  switch (k.shape) {
    case Shape::unary: reinterpret_cast<void (*)(int32_t, const T*, T*)>(k.fn)(n, a, r); break;
    case Shape::binary: reinterpret_cast<void (*)(int32_t, const T*, const T*, T*)>(k.fn)(n, a, b, r); break;
    case Shape::scalar_b: reinterpret_cast<void (*)(int32_t, const T*, T, T*)>(k.fn)(n, a, b[0], r); break;
    case Shape::two_out: reinterpret_cast<void (*)(int32_t, const T*, T*, T*)>(k.fn)(n, a, r, r2); break;
  }
}

template <class T>
bool same(const std::vector<T>& x, const std::vector<T>& y) {
  return x.size() == y.size() && std::memcmp(x.data(), y.data(), x.size() * sizeof(T)) == 0;
}

template <class T>
void check(const Kernel& k) {
  SCOPED_TRACE(k.name);
  std::vector<T> a, b;
  const std::vector<double> args = arguments();
  for (double x : args) a.push_back(static_cast<T>(x));
  // Second operands: the same values in another order, so pairs mix specials and ordinary
  // values; Powx takes one exponent for the whole call.
  for (size_t i = 0; i < args.size(); ++i) b.push_back(static_cast<T>(args[(i * 29 + 5) % args.size()]));
  if (k.shape == Shape::scalar_b) b.assign(a.size(), static_cast<T>(2.5));
  const int32_t n = static_cast<int32_t>(a.size());
  std::vector<Report> seen;
  reports = &seen;
  single_results = sizeof(T) == 4;
  _zafSetErrorCallBack(record);

  // Reference call, with the reports it makes.
  std::vector<T> r(n), r2(n);
  results = r.data();
  call<T>(k, n, a.data(), b.data(), r.data(), r2.data());
  for (size_t i = 0; i < seen.size(); ++i) {
    EXPECT_TRUE(seen[i].written) << "report of element " << seen[i].index << " came before its result";
    if (i) EXPECT_LT(seen[i - 1].index, seen[i].index) << "reports out of index order";
  }
  const std::vector<Report> reference_reports = seen;

  // Each element alone.
  for (int32_t i = 0; i < n; ++i) {
    T one, one2;
    results = &one;
    seen.clear();
    call<T>(k, 1, &a[i], &b[i], &one, &one2);
    EXPECT_EQ(std::memcmp(&one, &r[i], sizeof(T)), 0) << "element " << i << " (" << double(a[i]) << ", "
                                                      << double(b[i]) << ") alone differs";
    if (k.shape == Shape::two_out) EXPECT_EQ(std::memcmp(&one2, &r2[i], sizeof(T)), 0) << "element " << i;
  }

  // In place, over each argument in turn.
  for (int over = 0; over < (k.shape == Shape::binary ? 2 : 1); ++over) {
    std::vector<T> x = a, y = b, s2(n);
    T* out = over ? y.data() : x.data();
    results = out;
    seen.clear();
    call<T>(k, n, x.data(), y.data(), out, s2.data());
    EXPECT_EQ(std::memcmp(out, r.data(), n * sizeof(T)), 0) << "in place over argument " << over + 1;
    EXPECT_EQ(seen.size(), reference_reports.size()) << "in place over argument " << over + 1;
  }

  // Counts of 0 and less.
  for (int32_t bad : {0, -1, -67}) {
    std::vector<T> untouched(n, static_cast<T>(-7.0)), s2 = untouched;
    seen.clear();
    _zafClearErrStatus();
    call<T>(k, bad, a.data(), b.data(), untouched.data(), s2.data());
    EXPECT_TRUE(std::all_of(untouched.begin(), untouched.end(), [](T v) { return v == T(-7.0); })) << "count " << bad;
    EXPECT_TRUE(seen.empty()) << "count " << bad;
    EXPECT_EQ(_zafGetErrStatus(), 0) << "count " << bad;
  }

  // The caller's environment: round toward zero with flush-to-zero in MXCSR; then a 24-bit
  // x87 unit rounding up, which must come back as it was.
  const uint32_t mx0 = test_stmxcsr();
  const uint16_t cw0 = test_fnstcw();
  const uint32_t mx = (mx0 & ~0x6000u) | 0x6000u | 0x8000u;
  const uint16_t cw = static_cast<uint16_t>((cw0 & ~0xF00u) | 0x800u);
  std::vector<T> e(n), e2(n);
  results = e.data();
  seen.clear();
  test_ldmxcsr(mx);
  call<T>(k, n, a.data(), b.data(), e.data(), e2.data());
  const uint32_t mx_after = test_stmxcsr();
  test_ldmxcsr(mx0);
  EXPECT_EQ(mx_after & ~0x3Fu, mx & ~0x3Fu) << "MXCSR control bits not restored";
  for (int32_t i = 0; i < n; ++i)
    EXPECT_EQ(std::memcmp(&e[i], &r[i], sizeof(T)), 0)
        << "element " << i << " (" << double(a[i]) << "): " << double(e[i]) << " under the caller's MXCSR, "
        << double(r[i]) << " under the default one";
  if (k.shape == Shape::two_out) EXPECT_TRUE(same(e2, r2)) << "second results depend on the caller's MXCSR";
  EXPECT_EQ(seen.size(), reference_reports.size()) << "reports depend on the caller's MXCSR";
  test_fldcw(cw);
  call<T>(k, n, a.data(), b.data(), e.data(), e2.data());
  const uint16_t cw_after = test_fnstcw();
  test_fldcw(cw0);
  EXPECT_EQ(cw_after, cw) << "x87 control word not restored";

  _zafClearErrorCallBack();
  _zafClearErrStatus();
}

// The contract's arguments and a spread over the ranges where the families change method
// (|x| < 1, binades from 2^-60 to 2^20, |x| < 60, just around 1), in a count that leaves a
// tail after every group size.
std::vector<double> path_arguments() {
  std::vector<double> v = arguments();
  uint64_t s = 0x9E3779B97F4A7C15ull;
  auto u = [&s]() { return ((s = s * 6364136223846793005ull + 1442695040888963407ull) >> 11) * 0x1p-53; };
  for (int i = 0; i < 4000; ++i) {
    const double x = u();
    switch (i % 4) {
      case 0: v.push_back(2 * x - 1); break;
      case 1: v.push_back(std::ldexp(1 + x, static_cast<int>(u() * 80) - 60) * (u() < 0.5 ? -1 : 1)); break;
      case 2: v.push_back(120 * x - 60); break;
      default: v.push_back(1 + (2 * x - 1) * 1e-3); break;
    }
  }
  return v;
}

template <class T>
void check_paths(const Kernel& k) {
  SCOPED_TRACE(k.name);
  const std::vector<double> args = path_arguments();
  const int32_t n = static_cast<int32_t>(args.size());
  std::vector<T> a(args.begin(), args.end()), b(n);
  for (int32_t i = 0; i < n; ++i) b[i] = static_cast<T>(args[(i * 7919 + 3) % n]);
  if (k.shape == Shape::scalar_b) b.assign(n, static_cast<T>(2.5));
  std::vector<Report> seen;
  reports = &seen;
  single_results = sizeof(T) == 4;
  _zafSetErrorCallBack(record);
  std::vector<T> r0(n), r0b(n);
  std::vector<Report> reports0;
  for_each_cpu_path([&](int p) {
    std::vector<T> r(n), r2(n);
    results = r.data();
    seen.clear();
    call<T>(k, n, a.data(), b.data(), r.data(), r2.data());
    if (p == ZAFORQ_PATH_SSE2) {
      r0 = r, r0b = r2, reports0 = seen;
      return;
    }
    for (int32_t i = 0; i < n; ++i)
      if (std::memcmp(&r[i], &r0[i], sizeof(T)) || std::memcmp(&r2[i], &r0b[i], sizeof(T))) {
        ADD_FAILURE() << "element " << i << " (" << double(a[i]) << ", " << double(b[i]) << "): " << double(r[i])
                      << " where SSE2 gives " << double(r0[i]);
        break;
      }
    ASSERT_EQ(seen.size(), reports0.size());
    for (size_t i = 0; i < seen.size(); ++i) {
      EXPECT_EQ(seen[i].index, reports0[i].index);
      EXPECT_EQ(seen[i].code, reports0[i].code);
    }
  });
  _zafClearErrorCallBack();
  _zafClearErrStatus();
}

TEST(KernelContract, SameResultsOnEveryPath) {
  for (const Kernel& k : exported_kernels()) {
    ASSERT_NE(k.fn, nullptr) << k.name;
    if (k.single)
      check_paths<float>(k);
    else
      check_paths<double>(k);
  }
}

TEST(KernelContract, EveryExportedKernel) {
  const std::vector<Kernel> kernels = exported_kernels();
  ASSERT_GE(kernels.size(), 75u);
  int checked = 0;
  for (const Kernel& k : kernels) {
    ASSERT_NE(k.fn, nullptr) << k.name << " is listed but not exported";
    if (k.single)
      check<float>(k);
    else
      check<double>(k);
    ++checked;
  }
  printf("contract checked on %d kernels\n", checked);
}

}  // namespace
