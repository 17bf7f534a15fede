// Real FFT in Perm layout against an independent long-double DFT: every order 0 .. 22 in both
// precisions, forward and inverse, every scaling flag; the documented small cases; in-place and
// caller buffers; every status code.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "fft_ref.h"

using namespace fftref;

namespace {

template <class T>
struct SpecGuard {
  typename Api<T>::Spec* s = nullptr;
  ~SpecGuard() {
    if (s) Api<T>::release(s);
  }
};

template <class T>
class RealFft : public ::testing::Test {};
using Precisions = ::testing::Types<float, double>;
TYPED_TEST_SUITE(RealFft, Precisions);

// error / (eps * log2 N), with log2 N at least 1
double normalised(double err, double eps, int order) { return err / (eps * std::max(1, order)); }

// Full comparison with the O(N^2) reference for the orders where that is quick.
TYPED_TEST(RealFft, SmallAndMediumOrdersMatchReferenceForEveryFlag) {
  using T = TypeParam;
  double worst_fwd = 0, worst_inv = 0;
  for (int order = 0; order <= 11; ++order) {
    const size_t N = size_t(1) << order;
    const std::vector<T> x = random_values<T>(N, 100 + order);
    const std::vector<LD> X = perm_dft(widen(x));
    const std::vector<T> spec_in = random_values<T>(N, 200 + order);
    const std::vector<LD> y = perm_idft(widen(spec_in));
    for (int flag : {1, 2, 4, 8}) {
      SpecGuard<T> g;
      ASSERT_EQ(Api<T>::init(&g.s, order, flag), 0);
      std::vector<T> out(N);
      ASSERT_EQ(Api<T>::fwd(x.data(), out.data(), g.s, nullptr), 0);
      std::vector<LD> want(X);
      for (auto& v : want) v *= flag_scale(flag, false, N);
      const double ef = normalised(rel_error(out.data(), want), Api<T>::eps, order);
      ASSERT_EQ(Api<T>::inv(spec_in.data(), out.data(), g.s, nullptr), 0);
      want = y;
      for (auto& v : want) v *= flag_scale(flag, true, N);
      const double ei = normalised(rel_error(out.data(), want), Api<T>::eps, order);
      EXPECT_LT(ef, 2.0) << "forward order " << order << " flag " << flag;
      EXPECT_LT(ei, 2.0) << "inverse order " << order << " flag " << flag;
      worst_fwd = std::max(worst_fwd, ef), worst_inv = std::max(worst_inv, ei);
    }
  }
  std::printf("worst error / (eps log2 N), orders 0..11: forward %.3f, inverse %.3f\n", worst_fwd, worst_inv);
}

// Orders 12 .. 22: selected bins and outputs against O(N) reference sums, forward and inverse,
// and the flags checked as exact multiples of the unscaled result.
TYPED_TEST(RealFft, LargeOrdersMatchReferenceBinsAndScaleByFlag) {
  using T = TypeParam;
  double worst_fwd = 0, worst_inv = 0, worst_flag = 0;
  for (int order = 12; order <= 22; ++order) {
    const size_t N = size_t(1) << order;
    const std::vector<T> x = random_values<T>(N, 300 + order);
    LD norm2 = 0;
    for (T v : x) norm2 += static_cast<LD>(v) * v;
    const double xnorm = static_cast<double>(std::sqrt(norm2));
    SpecGuard<T> g;
    ASSERT_EQ(Api<T>::init(&g.s, order, 8), 0);
    std::vector<T> X(N), y(N);
    ASSERT_EQ(Api<T>::fwd(x.data(), X.data(), g.s, nullptr), 0);
    std::mt19937 rng(order);
    // The reference sums run in double for single precision, in long double for double.
    using A = std::conditional_t<sizeof(T) == 4, double, LD>;
    std::vector<size_t> bins = {0, 1, N / 2 - 1, N / 2};
    for (int i = 0; i < 2; ++i) bins.push_back(1 + rng() % (N / 2 - 1));
    for (size_t k : bins) {
      A re, im;
      dft_bin(x.data(), N, k, re, im);
      A gr, gi;
      if (k == 0) gr = X[0], gi = 0, im = 0;
      else if (k == N / 2) gr = X[1], gi = 0, im = 0;
      else gr = X[2 * k], gi = X[2 * k + 1];
      const double e = static_cast<double>(std::hypot(gr - re, gi - im)) / xnorm;
      worst_fwd = std::max(worst_fwd, normalised(e, Api<T>::eps, order));
      EXPECT_LT(normalised(e, Api<T>::eps, order), 2.0) << "order " << order << " bin " << k;
    }
    // inverse of the computed spectrum: selected outputs against the O(N) sum of the same input
    ASSERT_EQ(Api<T>::inv(X.data(), y.data(), g.s, nullptr), 0);
    LD Xnorm2 = 0;
    for (T v : X) Xnorm2 += static_cast<LD>(v) * v;
    // an output of the unscaled inverse has the size of ||X|| (Parseval over the full spectrum)
    const double ynorm = static_cast<double>(std::sqrt(2 * Xnorm2));
    for (int i = 0; i < 3; ++i) {
      const size_t n = i < 2 ? i * (N - 1) : rng() % N;
      const A want = idft_point<A>(X.data(), N, n);
      const double e = static_cast<double>(std::fabs(static_cast<A>(y[n]) - want)) / ynorm;
      worst_inv = std::max(worst_inv, normalised(e, Api<T>::eps, order));
      EXPECT_LT(normalised(e, Api<T>::eps, order), 2.0) << "inverse order " << order << " point " << n;
    }
    // every flag: the same values times the flag's factor, in both directions
    for (int flag : {1, 2, 4}) {
      SpecGuard<T> gs;
      ASSERT_EQ(Api<T>::init(&gs.s, order, flag), 0);
      std::vector<T> Xs(N), ys(N);
      ASSERT_EQ(Api<T>::fwd(x.data(), Xs.data(), gs.s, nullptr), 0);
      ASSERT_EQ(Api<T>::inv(X.data(), ys.data(), gs.s, nullptr), 0);
      const LD fs = flag_scale(flag, false, N), is = flag_scale(flag, true, N);
      std::vector<LD> wf(N), wi(N);
      for (size_t i = 0; i < N; ++i) wf[i] = X[i] * fs, wi[i] = y[i] * is;
      const double ef = normalised(rel_error(Xs.data(), wf), Api<T>::eps, order);
      const double ei = normalised(rel_error(ys.data(), wi), Api<T>::eps, order);
      worst_flag = std::max({worst_flag, ef, ei});
      EXPECT_LT(ef, 0.5) << "forward flag " << flag << " order " << order;
      EXPECT_LT(ei, 0.5) << "inverse flag " << flag << " order " << order;
    }
  }
  std::printf("worst error / (eps log2 N), orders 12..22: forward bins %.3f, inverse points %.3f, flags %.3f\n",
              worst_fwd, worst_inv, worst_flag);
}

TYPED_TEST(RealFft, InPlaceAndCallerBuffersGiveIdenticalResults) {
  using T = TypeParam;
  for (int order : {2, 4, 5, 9, 14, 15, 16, 17, 18}) {
    const size_t N = size_t(1) << order;
    const std::vector<T> x = random_values<T>(N, 400 + order);
    SpecGuard<T> g;
    ASSERT_EQ(Api<T>::init(&g.s, order, 4), 0);
    int32_t bytes = -1;
    ASSERT_EQ(Api<T>::bufsize(g.s, &bytes), 0);
    EXPECT_EQ(bytes, order <= 3 ? 0 : g.s->bufSize + 16);
    std::vector<T> ref(N), ref_inv(N);
    ASSERT_EQ(Api<T>::fwd(x.data(), ref.data(), g.s, nullptr), 0);
    ASSERT_EQ(Api<T>::inv(ref.data(), ref_inv.data(), g.s, nullptr), 0);
    std::vector<uint8_t> block(static_cast<size_t>(bytes) + 16);
    for (size_t off : {0, 4, 8}) {
      uint8_t* buf = bytes ? block.data() + off : nullptr;
      std::vector<T> a(x), b(N);
      ASSERT_EQ(Api<T>::fwd(a.data(), a.data(), g.s, buf), 0);  // in place
      ASSERT_EQ(Api<T>::fwd(x.data(), b.data(), g.s, buf), 0);
      EXPECT_EQ(0, std::memcmp(a.data(), ref.data(), N * sizeof(T))) << "order " << order << " off " << off;
      EXPECT_EQ(0, std::memcmp(b.data(), ref.data(), N * sizeof(T))) << "order " << order << " off " << off;
      ASSERT_EQ(Api<T>::inv(a.data(), a.data(), g.s, buf), 0);
      ASSERT_EQ(Api<T>::inv(ref.data(), b.data(), g.s, buf), 0);
      EXPECT_EQ(0, std::memcmp(a.data(), ref_inv.data(), N * sizeof(T))) << "inverse order " << order;
      EXPECT_EQ(0, std::memcmp(b.data(), ref_inv.data(), N * sizeof(T))) << "inverse order " << order;
      std::vector<LD> want(x.begin(), x.end());
      EXPECT_LT(normalised(rel_error(a.data(), want), Api<T>::eps, order), 2.0);  // flag 4 restores x
    }
  }
}

TYPED_TEST(RealFft, DocumentedFourPointCases) {
  using T = TypeParam;
  const T x[4] = {1, 2, 3, 4};
  T out[4], back[4];
  SpecGuard<T> g8, g2, g4;
  ASSERT_EQ(Api<T>::init(&g8.s, 2, 8), 0);
  ASSERT_EQ(Api<T>::init(&g2.s, 2, 2), 0);
  ASSERT_EQ(Api<T>::init(&g4.s, 2, 4), 0);
  ASSERT_EQ(Api<T>::fwd(x, out, g8.s, nullptr), 0);
  EXPECT_EQ(out[0], 10);
  EXPECT_EQ(out[1], -2);
  EXPECT_EQ(out[2], -2);
  EXPECT_EQ(out[3], 2);
  ASSERT_EQ(Api<T>::inv(out, back, g8.s, nullptr), 0);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(back[i], 4 * x[i]);
  ASSERT_EQ(Api<T>::inv(out, back, g2.s, nullptr), 0);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(back[i], x[i]);
  ASSERT_EQ(Api<T>::fwd(x, out, g4.s, nullptr), 0);
  ASSERT_EQ(Api<T>::inv(out, back, g4.s, nullptr), 0);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(back[i], x[i], 4 * Api<T>::eps * 4);
  // N = 1 copies times the scale, N = 2 gives the sum and difference
  SpecGuard<T> one, two;
  ASSERT_EQ(Api<T>::init(&one.s, 0, 4), 0);
  ASSERT_EQ(Api<T>::init(&two.s, 1, 8), 0);
  T v = 5, w;
  ASSERT_EQ(Api<T>::fwd(&v, &w, one.s, nullptr), 0);
  EXPECT_EQ(w, 5);
  T p[2] = {3, 1};
  ASSERT_EQ(Api<T>::fwd(p, p, two.s, nullptr), 0);
  EXPECT_EQ(p[0], 4);
  EXPECT_EQ(p[1], 2);
}

TYPED_TEST(RealFft, SpecFieldsFollowTheFlag) {
  using T = TypeParam;
  SpecGuard<T> a, b, c, d;
  ASSERT_EQ(Api<T>::init(&a.s, 10, 1), 0);
  ASSERT_EQ(Api<T>::init(&b.s, 10, 2), 0);
  ASSERT_EQ(Api<T>::init(&c.s, 10, 4), 0);
  ASSERT_EQ(Api<T>::init(&d.s, 3, 8), 0);
  EXPECT_EQ(a.s->tag, sizeof(T) == 4 ? 6 : 9);
  EXPECT_EQ(a.s->order, 10);
  EXPECT_EQ(a.s->one, 1);
  EXPECT_EQ(a.s->scaleForward, 1);
  EXPECT_EQ(a.s->scaleInverse, 0);
  EXPECT_EQ(a.s->scale, static_cast<T>(1.0 / 1024));
  EXPECT_EQ(b.s->scaleForward, 0);
  EXPECT_EQ(b.s->scaleInverse, 1);
  EXPECT_EQ(c.s->scaleForward, 1);
  EXPECT_EQ(c.s->scaleInverse, 1);
  EXPECT_EQ(c.s->scale, static_cast<T>(1.0 / 32));
  EXPECT_EQ(d.s->scaleForward + d.s->scaleInverse, 0);
  EXPECT_EQ(d.s->bufSize, 0);  // small orders build no tables
  EXPECT_EQ(d.s->bitRevTable, nullptr);
  EXPECT_EQ(a.s->bufSize, sizeof(T) == 4 ? 8 * 512 : 16 * 512);
  EXPECT_NE(a.s->twiddles, nullptr);
  EXPECT_NE(a.s->realRecTable, nullptr);
  EXPECT_NE(a.s->ccsRecTable, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(a.s) % 32, 0u);
}

TYPED_TEST(RealFft, EveryStatusCode) {
  using T = TypeParam;
  using Spec = typename Api<T>::Spec;
  Spec* s = reinterpret_cast<Spec*>(uintptr_t(1));  // must stay untouched on failure
  Spec* const sentinel = s;
  EXPECT_EQ(Api<T>::init(nullptr, 5, 8), GAXS_STATUS_NULL_PTR_ERR);
  EXPECT_EQ(Api<T>::init(&s, 31, 8), GAXS_STATUS_FFT_ORDER_ERR);
  EXPECT_EQ(Api<T>::init(&s, -1, 8), GAXS_STATUS_FFT_ORDER_ERR);
  for (int flag : {0, 3, 5, 16, -1}) EXPECT_EQ(Api<T>::init(&s, 5, flag), GAXS_STATUS_FFT_FLAG_ERR);
  EXPECT_EQ(s, sentinel);
  SpecGuard<T> g;
  ASSERT_EQ(Api<T>::init(&g.s, 6, 8), 0);
  T a[64] = {1}, b[64];
  uint8_t buf[1200];
  int32_t n = 0;
  EXPECT_EQ(Api<T>::fwd(nullptr, b, g.s, nullptr), GAXS_STATUS_NULL_PTR_ERR);
  EXPECT_EQ(Api<T>::fwd(a, nullptr, g.s, nullptr), GAXS_STATUS_NULL_PTR_ERR);
  EXPECT_EQ(Api<T>::fwd(a, b, nullptr, nullptr), GAXS_STATUS_NULL_PTR_ERR);
  EXPECT_EQ(Api<T>::inv(nullptr, b, g.s, nullptr), GAXS_STATUS_NULL_PTR_ERR);
  EXPECT_EQ(Api<T>::inv(a, nullptr, g.s, buf), GAXS_STATUS_NULL_PTR_ERR);
  EXPECT_EQ(Api<T>::inv(a, b, nullptr, nullptr), GAXS_STATUS_NULL_PTR_ERR);
  EXPECT_EQ(Api<T>::bufsize(nullptr, &n), GAXS_STATUS_NULL_PTR_ERR);
  EXPECT_EQ(Api<T>::release(nullptr), GAXS_STATUS_NULL_PTR_ERR);
  // a spec of the other kind (or a damaged tag) is refused by every operation
  const int32_t tag = g.s->tag;
  g.s->tag = sizeof(T) == 4 ? 9 : 6;
  std::fill(b, b + 64, T(7));
  EXPECT_EQ(Api<T>::fwd(a, b, g.s, nullptr), GAXS_STATUS_CONTEXT_MATCH_ERR);
  EXPECT_EQ(Api<T>::inv(a, b, g.s, nullptr), GAXS_STATUS_CONTEXT_MATCH_ERR);
  EXPECT_EQ(Api<T>::bufsize(g.s, &n), GAXS_STATUS_CONTEXT_MATCH_ERR);
  EXPECT_EQ(Api<T>::release(g.s), GAXS_STATUS_CONTEXT_MATCH_ERR);
  EXPECT_EQ(b[0], T(7));  // nothing written
  g.s->tag = tag;
  EXPECT_EQ(gaxsFFTFwd_RToPerm_32f(reinterpret_cast<const float*>(a), reinterpret_cast<float*>(b),
                                   reinterpret_cast<const FftSpecR_32f*>(sizeof(T) == 8 ? (void*)g.s : nullptr), nullptr),
            sizeof(T) == 8 ? GAXS_STATUS_CONTEXT_MATCH_ERR : GAXS_STATUS_NULL_PTR_ERR);
}

}  // namespace
