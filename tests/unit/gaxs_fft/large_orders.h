// The check of long transforms on every path, shared by the quick and the slow test.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <type_traits>

#include "cpu_paths.h"
#include "fft_ref.h"

namespace fftref {

template <class T>
struct SpecGuard {
  typename Api<T>::Spec* s = nullptr;
  ~SpecGuard() {
    if (s) Api<T>::release(s);
  }
};

// error / (eps * log2 N), with log2 N at least 1
inline double normalised(double err, double eps, int order) { return err / (eps * std::max(1, order)); }

// Orders first .. last: selected bins and outputs against O(N) reference sums, forward and inverse,
// and the flags checked as exact multiples of the unscaled result; every path. The inverse
// input is the SSE2 path's spectrum, so the reference sums are formed once per order.
template <class T>
void check_large_orders(int first, int last) {
  // The reference sums run in double for single precision, in long double for double.
  using A = std::conditional_t<sizeof(T) == 4, double, LD>;
  double worst[3][3] = {};
  for (int order = first; order <= last; ++order) {
    const size_t N = size_t(1) << order;
    const std::vector<T> x = random_values<T>(N, 300 + order);
    LD norm2 = 0;
    for (T v : x) norm2 += static_cast<LD>(v) * v;
    const double xnorm = static_cast<double>(std::sqrt(norm2));
    fftref::SpecGuard<T> g;
    ASSERT_EQ(Api<T>::init(&g.s, order, 8), 0);
    std::mt19937 rng(order);
    std::vector<size_t> bins = {0, 1, N / 2 - 1, N / 2};
    for (int i = 0; i < 2; ++i) bins.push_back(1 + rng() % (N / 2 - 1));
    std::vector<A> bin_re(bins.size()), bin_im(bins.size());
    for (size_t i = 0; i < bins.size(); ++i) dft_bin(x.data(), N, bins[i], bin_re[i], bin_im[i]);
    // the inverse's input: a spectrum of the size a real signal has
    std::vector<T> X(N);
    ASSERT_EQ(zaforqSetCpuPath(ZAFORQ_PATH_SSE2), 0);
    ASSERT_EQ(Api<T>::fwd(x.data(), X.data(), g.s, nullptr), 0);
    LD Xnorm2 = 0;
    for (T v : X) Xnorm2 += static_cast<LD>(v) * v;
    // an output of the unscaled inverse has the size of ||X|| (Parseval over the full spectrum)
    const double ynorm = static_cast<double>(std::sqrt(2 * Xnorm2));
    const size_t points[3] = {0, N - 1, rng() % N};
    A point_want[3];
    for (int i = 0; i < 3; ++i) point_want[i] = idft_point<A>(X.data(), N, points[i]);
    for_each_cpu_path([&](int path) {
      std::vector<T> Xp(N), y(N);
      ASSERT_EQ(Api<T>::fwd(x.data(), Xp.data(), g.s, nullptr), 0);
      for (size_t i = 0; i < bins.size(); ++i) {
        const size_t k = bins[i];
        A gr, gi, im = bin_im[i];
        if (k == 0) gr = Xp[0], gi = 0, im = 0;
        else if (k == N / 2) gr = Xp[1], gi = 0, im = 0;
        else gr = Xp[2 * k], gi = Xp[2 * k + 1];
        const double e = normalised(static_cast<double>(std::hypot(gr - bin_re[i], gi - im)) / xnorm, Api<T>::eps, order);
        worst[path][0] = std::max(worst[path][0], e);
        EXPECT_LT(e, 2.0) << "order " << order << " bin " << k;
      }
      ASSERT_EQ(Api<T>::inv(X.data(), y.data(), g.s, nullptr), 0);
      for (int i = 0; i < 3; ++i) {
        const double e = static_cast<double>(std::fabs(static_cast<A>(y[points[i]]) - point_want[i])) / ynorm;
        worst[path][1] = std::max(worst[path][1], normalised(e, Api<T>::eps, order));
        EXPECT_LT(normalised(e, Api<T>::eps, order), 2.0) << "inverse order " << order << " point " << points[i];
      }
      // every flag: the same values times the flag's factor, in both directions
      for (int flag : {1, 2, 4}) {
        fftref::SpecGuard<T> gs;
        ASSERT_EQ(Api<T>::init(&gs.s, order, flag), 0);
        std::vector<T> Xs(N), ys(N);
        ASSERT_EQ(Api<T>::fwd(x.data(), Xs.data(), gs.s, nullptr), 0);
        ASSERT_EQ(Api<T>::inv(X.data(), ys.data(), gs.s, nullptr), 0);
        const LD fs = flag_scale(flag, false, N), is = flag_scale(flag, true, N);
        std::vector<LD> wf(N), wi(N);
        for (size_t i = 0; i < N; ++i) wf[i] = Xp[i] * fs, wi[i] = y[i] * is;
        const double ef = normalised(rel_error(Xs.data(), wf), Api<T>::eps, order);
        const double ei = normalised(rel_error(ys.data(), wi), Api<T>::eps, order);
        worst[path][2] = std::max({worst[path][2], ef, ei});
        EXPECT_LT(ef, 0.5) << "forward flag " << flag << " order " << order;
        EXPECT_LT(ei, 0.5) << "inverse flag " << flag << " order " << order;
      }
    });
  }
  for (int p = 0; p < 3; ++p)
    if (worst[p][0] > 0)
      std::printf("%s: worst error / (eps log2 N), orders %d..%d: forward bins %.3f, inverse points %.3f, flags %.3f\n",
                  cpu_path_name(p), first, last, worst[p][0], worst[p][1], worst[p][2]);
}

}  // namespace fftref
