// The convolution primitive against a plain long-double sum, across the thresholds that choose
// direct summation, one FFT product or overlap-save blocks; and the Perm products; on every
// instruction-set path the machine has.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "cpu_paths.h"
#include "zaforq/gaxs_fft.h"

namespace {

using LD = long double;

template <class T>
struct Api;
template <>
struct Api<float> {
  static constexpr double eps = 0x1p-24;
  static int32_t conv(const float* a, int32_t n, const float* b, int32_t m, float* d) { return gaxsConv_32f(a, n, b, m, d); }
  static int32_t mul(const float* a, float* b, int32_t n) { return gaxsMulPerm_32f_I(a, b, n); }
};
template <>
struct Api<double> {
  static constexpr double eps = 0x1p-53;
  static int32_t conv(const double* a, int32_t n, const double* b, int32_t m, double* d) { return gaxsConv_64f(a, n, b, m, d); }
  static int32_t mul(const double* a, double* b, int32_t n) { return gaxsMulPerm_64f_I(a, b, n); }
};

template <class T>
std::vector<T> values(size_t n, uint32_t seed, bool integers) {
  std::mt19937 g(seed);
  std::vector<T> v(n);
  for (auto& x : v) x = integers ? static_cast<T>(static_cast<int>(g() % 17) - 8) : static_cast<T>(std::ldexp(double(g()), -31) - 1.0);
  return v;
}

struct Outcome {
  bool exact;          // every output equals the reference sum exactly
  double worst_norm;   // max |error| / (||a|| ||b|| eps log2 N)
};

template <class T>
Outcome run(const std::vector<T>& a, const std::vector<T>& b) {
  const size_t N = a.size() + b.size() - 1;
  std::vector<T> d(N + 1, T(12345));
  EXPECT_EQ(Api<T>::conv(a.data(), static_cast<int32_t>(a.size()), b.data(), static_cast<int32_t>(b.size()), d.data()), 0);
  EXPECT_EQ(d[N], T(12345)) << "wrote past the result";
  LD na = 0, nb = 0;
  for (T v : a) na += LD(v) * v;
  for (T v : b) nb += LD(v) * v;
  const double scale = static_cast<double>(std::sqrt(na * nb)) * Api<T>::eps * std::max(1.0, std::log2(double(N)));
  Outcome o{true, 0};
  for (size_t m = 0; m < N; ++m) {
    LD ref = 0;
    const size_t lo = m >= b.size() - 1 ? m - (b.size() - 1) : 0, hi = std::min(m, a.size() - 1);
    for (size_t i = lo; i <= hi; ++i) ref += LD(a[i]) * LD(b[m - i]);
    if (LD(d[m]) != ref) o.exact = false;
    o.worst_norm = std::max(o.worst_norm, static_cast<double>(std::fabs(LD(d[m]) - ref)) / scale);
  }
  return o;
}

template <class T>
class Conv : public ::testing::Test {};
using Precisions = ::testing::Types<float, double>;
TYPED_TEST_SUITE(Conv, Precisions);

// Small integers make every direct sum exact, while an FFT product rounds: the exactness of
// the result shows which path ran.
TYPED_TEST(Conv, ThresholdsChooseTheStatedPathOnEveryPath) {
  using T = TypeParam;
  for_each_cpu_path([&](int) {
    struct Case {
      size_t n1, n2;
      bool direct;
    } cases[] = {{1, 1, true},      {3, 5, true},     {300, 212, true},   {449, 64, false}, {64, 449, false},
                 {63, 100000, true}, {20000, 63, true}, {10000, 100, false}, {5000, 10, true}, {10, 5000, true},
                 {4096, 4, true},   {4097, 7, true},  {8192, 40, true},   {600, 600, false}, {1000, 333, false}};
    for (const Case& c : cases) {
      const std::vector<T> a = values<T>(c.n1, uint32_t(c.n1 * 7 + c.n2), true);
      const std::vector<T> b = values<T>(c.n2, uint32_t(c.n2 * 13 + 1), true);
      const Outcome o = run(a, b);
      EXPECT_EQ(o.exact, c.direct) << c.n1 << " x " << c.n2;
      EXPECT_LT(o.worst_norm, 0.5) << c.n1 << " x " << c.n2;
    }
  });
}

TYPED_TEST(Conv, OperandOrderDoesNotMatter) {
  using T = TypeParam;
  for (auto [n1, n2] : {std::pair<size_t, size_t>{3, 5}, {449, 64}, {10000, 100}, {5000, 10}, {700, 300}}) {
    const std::vector<T> a = values<T>(n1, 5, false), b = values<T>(n2, 6, false);
    const size_t N = n1 + n2 - 1;
    std::vector<T> d1(N), d2(N);
    ASSERT_EQ(Api<T>::conv(a.data(), int32_t(n1), b.data(), int32_t(n2), d1.data()), 0);
    ASSERT_EQ(Api<T>::conv(b.data(), int32_t(n2), a.data(), int32_t(n1), d2.data()), 0);
    EXPECT_EQ(d1, d2) << n1 << " x " << n2;  // the operands are exchanged before any work
  }
}

TYPED_TEST(Conv, RandomLengthsAgainstPlainSumOnEveryPath) {
  using T = TypeParam;
  for_each_cpu_path([&](int) {
    std::mt19937 g(2024);
    double worst = 0;
    for (int trial = 0; trial < 24; ++trial) {
      // Long against short (up to 10^5 x 200) and balanced (up to 3000 x 3000), either order.
      size_t n1, n2;
      if (trial % 2 == 0) {
        n1 = 1 + g() % 100000, n2 = 1 + g() % 200;
      } else {
        n1 = 1 + g() % 3000, n2 = 1 + g() % 3000;
      }
      if (trial % 4 >= 2) std::swap(n1, n2);
      const Outcome o = run(values<T>(n1, g(), false), values<T>(n2, g(), false));
      EXPECT_LT(o.worst_norm, 0.5) << n1 << " x " << n2;
      worst = std::max(worst, o.worst_norm);
    }
    std::printf("worst convolution error / (||a|| ||b|| eps log2 N): %.3f\n", worst);
  });
}

// The transforms' descriptors are shared by all threads and built on first use: threads that
// all start with a size nothing has used yet (order 17) must get what one thread gets later,
// and that must be the convolution (spot values against plain sums). The thread-sanitizer
// build runs this too.
TYPED_TEST(Conv, ConcurrentFirstUseGivesOneThreadsResult) {
  using T = TypeParam;
  constexpr int kThreads = 6;
  const std::vector<T> a = values<T>(40000, 77, false), b = values<T>(30000, 78, false);
  const size_t N = a.size() + b.size() - 1;
  std::vector<std::vector<T>> got(kThreads, std::vector<T>(N));
  std::vector<int32_t> status(kThreads, -1);
  std::vector<std::thread> pool;
  for (int t = 0; t < kThreads; ++t)
    pool.emplace_back([&, t] { status[t] = Api<T>::conv(a.data(), int32_t(a.size()), b.data(), int32_t(b.size()), got[t].data()); });
  for (auto& th : pool) th.join();
  std::vector<T> want(N);
  ASSERT_EQ(Api<T>::conv(a.data(), int32_t(a.size()), b.data(), int32_t(b.size()), want.data()), 0);
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(status[t], 0);
    EXPECT_EQ(got[t], want) << "thread " << t;
  }
  LD na = 0, nb = 0;  // the error bound of run()
  for (T v : a) na += LD(v) * v;
  for (T v : b) nb += LD(v) * v;
  const double scale = static_cast<double>(std::sqrt(na * nb)) * Api<T>::eps * std::log2(double(N));
  for (size_t m : {size_t(0), size_t(12345), size_t(29999), size_t(50000), N - 1}) {
    LD ref = 0;
    for (size_t i = (m >= b.size() - 1 ? m - (b.size() - 1) : 0); i <= std::min(m, a.size() - 1); ++i)
      ref += LD(a[i]) * LD(b[m - i]);
    EXPECT_LT(static_cast<double>(std::fabs(LD(want[m]) - ref)) / scale, 0.5) << m;
  }
}

TYPED_TEST(Conv, StatusCodes) {
  using T = TypeParam;
  T a[4] = {1, 2, 3, 4}, d[8] = {};
  EXPECT_EQ(Api<T>::conv(nullptr, 4, a, 4, d), GAXS_STATUS_NULL_PTR_ERR);
  EXPECT_EQ(Api<T>::conv(a, 4, nullptr, 4, d), GAXS_STATUS_NULL_PTR_ERR);
  EXPECT_EQ(Api<T>::conv(a, 4, a, 4, nullptr), GAXS_STATUS_NULL_PTR_ERR);
  EXPECT_EQ(Api<T>::conv(nullptr, 0, a, 4, d), GAXS_STATUS_NULL_PTR_ERR);
  EXPECT_EQ(Api<T>::conv(a, 0, a, 4, d), GAXS_STATUS_SIZE_ERR);
  EXPECT_EQ(Api<T>::conv(a, 4, a, -1, d), GAXS_STATUS_SIZE_ERR);
  EXPECT_EQ(d[0], T(0));
  EXPECT_EQ(Api<T>::mul(nullptr, d, 4), GAXS_STATUS_NULL_PTR_ERR);
  EXPECT_EQ(Api<T>::mul(a, nullptr, 4), GAXS_STATUS_NULL_PTR_ERR);
  EXPECT_EQ(Api<T>::mul(a, d, 0), GAXS_STATUS_SIZE_ERR);
  T one = 3;
  EXPECT_EQ(Api<T>::conv(&one, 1, &one, 1, d), 0);
  EXPECT_EQ(d[0], T(9));
}

TYPED_TEST(Conv, MulPermTreatsRealBinsAndComplexPairsOnEveryPath) {
  using T = TypeParam;
  for_each_cpu_path([&](int) {
    for (int32_t len : {1, 2, 5, 6, 7, 20, 21, 64, 67}) {
      const std::vector<T> a = values<T>(size_t(len), uint32_t(len), true);
      std::vector<T> b = values<T>(size_t(len), uint32_t(len + 50), true);
      std::vector<T> want(b);
      want[0] = a[0] * b[0];
      size_t k = 1;
      if (len % 2 == 0) {
        want[1] = a[1] * b[1];
        k = 2;
      }
      for (; k + 1 < size_t(len); k += 2) {
        want[k] = a[k] * b[k] - a[k + 1] * b[k + 1];
        want[k + 1] = a[k] * b[k + 1] + a[k + 1] * b[k];
      }
      ASSERT_EQ(Api<T>::mul(a.data(), b.data(), len), 0);
      EXPECT_EQ(b, want) << "len " << len;  // small integers: exact
    }
  });
}

}  // namespace
