// Real FFT in Perm layout against an independent long-double DFT: every order 0 .. 22 in both
// precisions, forward and inverse, every scaling flag, on every instruction-set path the
// machine has; the SSE2 path's exact bits; the documented small cases; in-place and caller
// buffers; every status code.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <type_traits>

#include "large_orders.h"

using namespace fftref;

namespace {

template <class T>
class RealFft : public ::testing::Test {};
using Precisions = ::testing::Types<float, double>;
TYPED_TEST_SUITE(RealFft, Precisions);


// Full comparison with the O(N^2) reference for the orders where that is quick.
TYPED_TEST(RealFft, SmallAndMediumOrdersMatchReferenceForEveryFlagOnEveryPath) {
  using T = TypeParam;
  double worst[3][2] = {};
  for (int order = 0; order <= 11; ++order) {
    const size_t N = size_t(1) << order;
    const std::vector<T> x = random_values<T>(N, 100 + order);
    const std::vector<LD> X = perm_dft(widen(x));
    const std::vector<T> spec_in = random_values<T>(N, 200 + order);
    const std::vector<LD> y = perm_idft(widen(spec_in));
    for (int flag : {1, 2, 4, 8}) {
      SpecGuard<T> g;
      ASSERT_EQ(Api<T>::init(&g.s, order, flag), 0);
      for_each_cpu_path([&](int path) {
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
        worst[path][0] = std::max(worst[path][0], ef), worst[path][1] = std::max(worst[path][1], ei);
      });
    }
  }
  for (int p = 0; p < 3; ++p)
    if (worst[p][0] > 0)
      std::printf("%s: worst error / (eps log2 N), orders 0..11: forward %.3f, inverse %.3f\n", cpu_path_name(p),
                  worst[p][0], worst[p][1]);
}

// Orders 12 .. 19 here, 20 .. 22 in the slow test (one per path each).
TYPED_TEST(RealFft, LargeOrdersMatchReferenceBinsAndScaleByFlagOnEveryPath) { check_large_orders<TypeParam>(12, 19); }

// FNV-1a over the output bytes.
uint64_t fnv1a(uint64_t h, const void* p, size_t n) {
  const uint8_t* b = static_cast<const uint8_t*>(p);
  for (size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 1099511628211ull;
  return h;
}
// Inputs that every build forms alike: an integer recurrence, scaled by a power of two.
template <class T>
std::vector<T> recurrence_values(size_t n, uint32_t seed) {
  std::vector<T> v(n);
  uint32_t s = seed * 2654435761u + 1;
  for (auto& x : v) s = s * 1664525u + 1013904223u, x = static_cast<T>(static_cast<int32_t>(s) * 0x1p-31);
  return v;
}

// The pinned SSE2 path gives exactly the bits it gave before the wider paths existed: hashes
// of the forward and inverse outputs (flags 4 and 8) per order, recorded from that code. The
// double tables of the longer transforms come from libm's sin and cos, whose last bits differ
// between the 32-bit and the 64-bit library, hence a column per build.
TYPED_TEST(RealFft, PinnedSse2PathKeepsItsBits) {
  using T = TypeParam;
  static const uint64_t want_float[23] = {
      0xe036bb34c3cb90e7ull, 0x5e0ac8290f2c6e3bull, 0x567c54290046700cull, 0xd7496bceececbc52ull,
      0x6a13597fa7cdb7deull, 0xf332e925783af5a6ull, 0x8dfb4bfa224140daull, 0xd996b85dfd858330ull,
      0x300ff5f17a954c6dull, 0x36112a2d8af072adull, 0x5f99ff86cbff5eacull, 0x8fff460994754f17ull,
      0x0da50c202e68119full, 0x16e556e76ad53af0ull, 0x4ad2a179268ae27full, 0x44c31463ff9d2511ull,
      0x3ad934cdc072912aull, 0xebcead0afd34776full, 0x7eaa5499e49cd02bull, 0x8c7bba106b59e99bull,
      0x23b714382166f265ull, 0xbfe4f793fc6e6f2bull, 0xb82dfa72962367fbull};
#if defined(__i386__)
  static const uint64_t want_double[23] = {
      0xb3c7469fe44bef8full, 0x98fb8599278db2ebull, 0xb031b7fc672846c0ull, 0x3bbb14f508e02934ull,
      0x05a1a8b4b2093561ull, 0xb79040fe120bb3dcull, 0x4ee16b5df73a2b83ull, 0xf0800ff970df3e4bull,
      0x00aaffce0d8f7219ull, 0xa0bed45f8a8dd091ull, 0x576fe686252fa530ull, 0x3bd7de645d72fc9dull,
      0x19abd2ae3c6cffb7ull, 0x346b1110f46766fcull, 0x5bc858d2693e5515ull, 0x076cac237ebcaee3ull,
      0x7c3e5c50be013aecull, 0xa468cf330249ee7aull, 0xf1f95257bab7a55eull, 0xc0ebdb116a750ca7ull,
      0x3e940625ebea03abull, 0x87c0102be27d4dfbull, 0xf5c7d09a0ee7afe2ull};
  constexpr int kMaxOrder = 18;  // the emulator is slow
#else
  static const uint64_t want_double[23] = {
      0xb3c7469fe44bef8full, 0x98fb8599278db2ebull, 0xb031b7fc672846c0ull, 0x3bbb14f508e02934ull,
      0x05a1a8b4b2093561ull, 0xb79040fe120bb3dcull, 0x4ee16b5df73a2b83ull, 0xf0800ff970df3e4bull,
      0x00aaffce0d8f7219ull, 0xa0bed45f8a8dd091ull, 0x576fe686252fa530ull, 0x3bd7de645d72fc9dull,
      0x19abd2ae3c6cffb7ull, 0x45af88c4ae9c7fd2ull, 0xe689fb09f509e0e7ull, 0xe0a082943186e752ull,
      0x2608945f7a80e072ull, 0x9d8b608712b0de29ull, 0x064953b7b6dc339aull, 0x86f2bc44ae1bf1acull,
      0x6bebf9e8da5efeddull, 0x12ef744e5f0b262eull, 0xf8fc7b1d40c24570ull};
  constexpr int kMaxOrder = 22;
#endif
  ASSERT_EQ(zaforqSetCpuPath(ZAFORQ_PATH_SSE2), 0);
  for (int order = 0; order <= kMaxOrder; ++order) {
    const size_t N = size_t(1) << order;
    uint64_t h = 1469598103934665603ull;
    for (int flag : {4, 8}) {
      SpecGuard<T> g;
      ASSERT_EQ(Api<T>::init(&g.s, order, flag), 0);
      const std::vector<T> x = recurrence_values<T>(N, uint32_t(order * 7 + flag));
      std::vector<T> y(N);
      ASSERT_EQ(Api<T>::fwd(x.data(), y.data(), g.s, nullptr), 0);
      h = fnv1a(h, y.data(), N * sizeof(T));
      ASSERT_EQ(Api<T>::inv(x.data(), y.data(), g.s, nullptr), 0);
      h = fnv1a(h, y.data(), N * sizeof(T));
    }
    EXPECT_EQ(h, sizeof(T) == 4 ? want_float[order] : want_double[order]) << "order " << order;
  }
  ASSERT_EQ(zaforqSetCpuPath(ZAFORQ_PATH_AUTO), 0);
}

TYPED_TEST(RealFft, InPlaceAndCallerBuffersGiveIdenticalResultsOnEveryPath) {
  using T = TypeParam;
  for_each_cpu_path([&](int) {
  for (int order : {2, 4, 5, 9, 14, 15, 16, 17, 18, 19}) {
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
    // Arrays on a cache line and off it (the AVX-512 path has a build for each; same bits),
    // and caller buffers whose first 16-byte boundary is further in.
    auto lines = [](size_t n) { return std::unique_ptr<uint8_t, void (*)(void*)>(
                                    static_cast<uint8_t*>(std::aligned_alloc(64, (n + 127) / 64 * 64)), std::free); };
    const auto block = lines(static_cast<size_t>(bytes)), ab = lines(N * sizeof(T) + 32), bb = lines(N * sizeof(T) + 32);
    for (size_t off : {0, 4, 8, 32}) {
      uint8_t* buf = bytes ? block.get() + off : nullptr;
      T* a = reinterpret_cast<T*>(ab.get() + (off & 32));
      T* b = reinterpret_cast<T*>(bb.get() + (off & 32));
      std::memcpy(a, x.data(), N * sizeof(T));
      ASSERT_EQ(Api<T>::fwd(a, a, g.s, buf), 0);  // in place
      ASSERT_EQ(Api<T>::fwd(x.data(), b, g.s, buf), 0);
      EXPECT_EQ(0, std::memcmp(a, ref.data(), N * sizeof(T))) << "order " << order << " off " << off;
      EXPECT_EQ(0, std::memcmp(b, ref.data(), N * sizeof(T))) << "order " << order << " off " << off;
      ASSERT_EQ(Api<T>::inv(a, a, g.s, buf), 0);
      ASSERT_EQ(Api<T>::inv(ref.data(), b, g.s, buf), 0);
      EXPECT_EQ(0, std::memcmp(a, ref_inv.data(), N * sizeof(T))) << "inverse order " << order << " off " << off;
      EXPECT_EQ(0, std::memcmp(b, ref_inv.data(), N * sizeof(T))) << "inverse order " << order << " off " << off;
      std::vector<LD> want(x.begin(), x.end());
      EXPECT_LT(normalised(rel_error(a, want), Api<T>::eps, order), 2.0);  // flag 4 restores x
    }
  }
  });
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
