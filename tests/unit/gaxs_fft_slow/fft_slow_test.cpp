// Orders 20 .. 22 on every instruction-set path, and the longest transforms, once each: orders 23 .. 26 in single precision and 23 .. 25 in double
// on the 64-bit build (order 23 on the emulated 32-bit and the sanitizer builds, where memory
// and time are scarcer). Selected bins against O(N) reference sums, then the inverse with
// flag 2 must restore the input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <type_traits>

#include "../gaxs_fft/large_orders.h"

using namespace fftref;

namespace {

#if defined(ZAFORQ_SANITIZE) || defined(__i386__)
constexpr int kMaxOrderFloat = 23, kMaxOrderDouble = 23;
#else
constexpr int kMaxOrderFloat = 26, kMaxOrderDouble = 25;
#endif

template <class T>
void check_order(int order) {
  using A = std::conditional_t<sizeof(T) == 4, double, LD>;
  const size_t N = size_t(1) << order;
  typename Api<T>::Spec* spec = nullptr;
  ASSERT_EQ(Api<T>::init(&spec, order, 2), 0) << "order " << order;
  std::vector<T> x(N);
  std::mt19937 g(order);
  for (auto& v : x) v = static_cast<T>(std::ldexp(double(g()), -31) - 1.0);
  std::vector<T> X(N);
  ASSERT_EQ(Api<T>::fwd(x.data(), X.data(), spec, nullptr), 0);
  A norm2 = 0;
  for (T v : x) norm2 += A(v) * v;
  double worst = 0;
  for (size_t k : {size_t(1), 1 + size_t(g()) % (N / 2 - 1)}) {
    A re, im;
    dft_bin(x.data(), N, k, re, im);
    const double e = static_cast<double>(std::hypot(A(X[2 * k]) - re, A(X[2 * k + 1]) - im) / std::sqrt(norm2));
    worst = std::max(worst, e / (Api<T>::eps * order));
  }
  EXPECT_LT(worst, 2.0) << "order " << order;
  // in place inverse, scaled by 1/N
  ASSERT_EQ(Api<T>::inv(X.data(), X.data(), spec, nullptr), 0);
  A num = 0;
  for (size_t i = 0; i < N; ++i) num += (A(X[i]) - A(x[i])) * (A(X[i]) - A(x[i]));
  const double back = static_cast<double>(std::sqrt(num / norm2)) / (Api<T>::eps * order);
  EXPECT_LT(back, 2.0) << "order " << order;
  std::printf("order %d (%s): bins %.3f, round trip %.3f (error / (eps log2 N))\n", order, sizeof(T) == 4 ? "single" : "double",
              worst, back);
  Api<T>::release(spec);
}

// Orders 20 .. 22 of the every-path check of the quick test.
TEST(RealFftSlow, LargeOrdersOnEveryPathSingle) { check_large_orders<float>(20, 22); }
TEST(RealFftSlow, LargeOrdersOnEveryPathDouble) { check_large_orders<double>(20, 22); }

TEST(RealFftSlow, LongestSinglePrecision) {
  for (int order = 23; order <= kMaxOrderFloat; ++order) check_order<float>(order);
}
TEST(RealFftSlow, LongestDoublePrecision) {
  for (int order = 23; order <= kMaxOrderDouble; ++order) check_order<double>(order);
}

}  // namespace
