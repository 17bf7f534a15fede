// The direct kernels on every processor path this machine has, each pinned in turn: every
// output against the plain long-double sum, and on the SSE2 path the exact bits recorded from
// the SSE2-only library (a checksum per case, one column per build, since the 32-bit build
// keeps fewer sums in flight and so groups the additions differently).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "cpu_paths.h"
#include "reference.h"
#include "zaforq.h"

namespace {

using namespace cctest;

enum Variant { SS, SD, DD };

struct Case {
  const char* name;
  bool conv;
  Variant v;
  int rank;
  int32_t nx[3], ny[3], start[3], dec[3];
  int yoff;  // elements between a 64-byte boundary and y (the SSE2 sums depend on y's alignment)
  uint64_t sse2_x86_64, sse2_i386;
};

// Outputs: as many as fit from the start at that decimation.
const Case kCases[] = {
    {"r1 corr SS long", false, SS, 1, {70}, {1000}, {-69}, {1}, 1, 0xf618c50235897658ull, 0xae0eb36bd456c2e0ull},
    {"r1 conv SS long", true, SS, 1, {70}, {1000}, {0}, {1}, 3, 0xc4f2a07991a3a79eull, 0x802690c0513c025ull},
    {"r1 corr DD long", false, DD, 1, {70}, {1000}, {-69}, {1}, 1, 0x1dd7feade3392a4full, 0x1dd7feade3392a4full},
    {"r1 conv DD odd", true, DD, 1, {33}, {777}, {0}, {1}, 0, 0x91666314b24569f1ull, 0x91666314b24569f1ull},
    {"r1 corr SD long", false, SD, 1, {70}, {1000}, {-69}, {1}, 2, 0xe092634a97265485ull, 0xe092634a97265485ull},
    {"r1 conv SD short", true, SD, 1, {9}, {300}, {0}, {1}, 0, 0xf0df5683fa268a31ull, 0xf0df5683fa268a31ull},
    {"r1 corr SS dec 3", false, SS, 1, {40}, {600}, {-10}, {3}, 1, 0xa8a14c5828e79819ull, 0xa8a14c5828e79819ull},
    {"r1 conv DD dec 2", true, DD, 1, {40}, {600}, {5}, {2}, 1, 0x34d61c8876f5266eull, 0x34d61c8876f5266eull},
    {"r1 conv SS edges only", true, SS, 1, {5}, {17}, {0}, {1}, 0, 0xa343396a98389df6ull, 0xa343396a98389df6ull},
    {"r1 corr DD x about y", false, DD, 1, {600}, {650}, {-599}, {1}, 1, 0x1e1f3988e0c7005eull, 0x1e1f3988e0c7005eull},
    {"r1 corr SS x longer", false, SS, 1, {300}, {120}, {-299}, {1}, 1, 0x3b4311cbccd990cfull, 0xf9a70a27fc045e2full},
    {"r1 conv SS one tap", true, SS, 1, {1}, {100}, {0}, {1}, 1, 0x26bbfe9f7e75ec3dull, 0x26bbfe9f7e75ec3dull},
    {"r2 corr SS 5x5", false, SS, 2, {5, 5}, {60, 40}, {-4, -4}, {1, 1}, 1, 0x36d445352d515897ull, 0x36d445352d515897ull},
    {"r2 conv DD 5x5", true, DD, 2, {5, 5}, {60, 40}, {0, 0}, {1, 1}, 0, 0xcf27f882ff28264aull, 0xcf27f882ff28264aull},
    {"r2 corr SD 7x3", false, SD, 2, {7, 3}, {50, 20}, {-6, -2}, {1, 1}, 1, 0x504bab1437f04e09ull, 0x504bab1437f04e09ull},
    {"r2 conv SS dec 2,1", true, SS, 2, {4, 4}, {40, 30}, {0, 0}, {2, 1}, 1, 0x8422e59e28d4acb0ull, 0x8422e59e28d4acb0ull},
    {"r2 corr DD dec 1,3", false, DD, 2, {4, 4}, {40, 30}, {-3, -3}, {1, 3}, 1, 0x30283ff4851dc898ull, 0x30283ff4851dc898ull},
    {"r2 conv DD long rows", true, DD, 2, {20, 6}, {45, 9}, {0, 0}, {1, 1}, 1, 0x116631e716938d01ull, 0x116631e716938d01ull},
    {"r3 corr SS", false, SS, 3, {3, 3, 2}, {30, 10, 4}, {-2, -2, -1}, {1, 1, 1}, 1, 0xaf0798d2cbdbdd5bull, 0xaf0798d2cbdbdd5bull},
    {"r3 conv DD", true, DD, 3, {4, 3, 3}, {25, 8, 5}, {0, 0, 0}, {1, 1, 1}, 0, 0x9598bdb3ffca605cull, 0x9598bdb3ffca605cull},
    {"r3 conv SD dec 1,1,2", true, SD, 3, {4, 3, 3}, {25, 8, 5}, {0, 0, 0}, {1, 1, 2}, 1, 0x110628352d6517d7ull, 0x110628352d6517d7ull},
    {"r3 corr DD dec 2,1,1", false, DD, 3, {3, 4, 2}, {20, 9, 3}, {-2, -3, -1}, {2, 1, 1}, 1, 0xdf3f1261fc08efe1ull, 0xdf3f1261fc08efe1ull},
};

// Exactly representable values in (-1, 1) from a fixed recurrence, the same on every build.
uint32_t next_word(uint32_t& s) {
  s = s * 1664525u + 1013904223u;
  return s;
}
double value(uint32_t& s) { return (double(next_word(s) >> 8) - 0x1p23) * 0x1p-23; }

uint64_t fnv1a(const void* p, size_t n, uint64_t h = 0xcbf29ce484222325ull) {
  const unsigned char* b = static_cast<const unsigned char*>(p);
  for (size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 0x100000001b3ull;
  return h;
}

// 64-byte aligned storage, so that the offsets of the table fix every operand's alignment.
template <class T>
struct Aligned {
  T* p = nullptr;
  explicit Aligned(size_t n) { p = static_cast<T*>(std::aligned_alloc(64, (n * sizeof(T) + 63) / 64 * 64 + 64)); }
  ~Aligned() { std::free(p); }
};

template <class E>
int32_t exec(const Case& c, const E* x, const E* y, E* z, const int32_t* nz) {
  using F1 = int32_t (*)(const E*, int32_t, const E*, int32_t, E*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t);
  using FA = int32_t (*)(int32_t, const E*, const int32_t*, const int32_t*, const E*, const int32_t*, const int32_t*, E*,
                         const int32_t*, const int32_t*, const int32_t*, const int32_t*);
  F1 one;
  FA all;
  if constexpr (std::is_same_v<E, double>) {
    one = c.conv ? _orqConvDDDirect1D_dec : _orqCorrDDDirect1D_dec;
    all = c.conv ? _orqConvDDDirectAll_dec : _orqCorrDDDirectAll_dec;
  } else if (c.v == SS) {
    one = c.conv ? _orqConvSSDirect1D_dec : _orqCorrSSDirect1D_dec;
    all = c.conv ? _orqConvSSDirectAll_dec : _orqCorrSSDirectAll_dec;
  } else {
    one = c.conv ? _orqConvSDDirect1D_dec : _orqCorrSDDirect1D_dec;
    all = c.conv ? _orqConvSDDirectAll_dec : _orqCorrSDDirectAll_dec;
  }
  if (c.rank == 1) return one(x, 1, y, 1, z, 1, c.nx[0], c.ny[0], c.start[0], nz[0], c.dec[0]);
  return all(c.rank, x, c.nx, nullptr, y, c.ny, nullptr, z, nz, nullptr, c.start, c.dec);
}

// Paths whose results differed from the SSE2 path's somewhere: a wide path that never rounds
// differently from SSE2 is not running at all.
bool g_differed[3] = {false, false, false};

template <class E>
void run_case(const Case& c) {
  SCOPED_TRACE(c.name);
  Operand<E> x, y, z;
  x.rank = y.rank = z.rank = c.rank;
  int32_t nz[3] = {1, 1, 1};
  for (int d = 0; d < c.rank; ++d) {
    x.shape[d] = c.nx[d];
    y.shape[d] = c.ny[d];
    const int64_t last = c.conv ? c.nx[d] + c.ny[d] - 2 : c.ny[d] - 1;
    z.shape[d] = nz[d] = static_cast<int32_t>((last - c.start[d]) / c.dec[d] + 1);
  }
  for (Operand<E>* op : {&x, &y, &z}) {
    int64_t s = 1;
    for (int d = 0; d < c.rank; ++d) {
      op->stride[d] = static_cast<int32_t>(s);
      s *= op->shape[d];
    }
    op->allocate(E(0));
  }
  uint32_t seed = 12345;
  for (auto& v : x.store) v = E(value(seed));
  for (auto& v : y.store) v = E(value(seed));
  const size_t nzt = static_cast<size_t>(z.count());
  Aligned<E> xa(x.store.size()), ya(y.store.size() + size_t(c.yoff)), za(nzt + 1);
  std::copy(x.store.begin(), x.store.end(), xa.p);
  std::copy(y.store.begin(), y.store.end(), ya.p + c.yoff);

  const double eps_a = c.v == SS ? 0x1p-24 : 0x1p-53;
  const double eps_r = std::is_same_v<E, float> ? 0x1p-24 : 0x1p-53;
  std::vector<E> sse2;
  const int paths = for_each_cpu_path([&](int p) {
    std::fill(za.p, za.p + nzt + 1, E(-777));
    ASSERT_EQ(exec<E>(c, xa.p, ya.p + c.yoff, za.p, nz), 0);
    EXPECT_EQ(za.p[nzt], E(-777)) << "wrote past the outputs";
    int64_t k[7] = {0};
    int bad = 0;
    do {
      const RefValue r = reference(c.conv, x, y, k, c.start, c.dec);
      const LD got = za.p[z.offset(k)];
      const LD bound = LD(r.terms + 4) * eps_a * r.abssum + eps_r * std::fabs(r.sum) + 1e-300L;
      if (std::fabs(got - r.sum) > bound && bad++ < 3)
        ADD_FAILURE() << "output " << z.offset(k) << " is " << double(got) << ", reference " << double(r.sum);
    } while (next(k, z.shape, c.rank));
    if (p == ZAFORQ_PATH_SSE2) {
      const uint64_t want = sizeof(void*) == 8 ? c.sse2_x86_64 : c.sse2_i386;
      EXPECT_EQ(fnv1a(za.p, nzt * sizeof(E)), want) << std::hex << "0x" << fnv1a(za.p, nzt * sizeof(E));
      sse2.assign(za.p, za.p + nzt);
    } else if (!std::equal(sse2.begin(), sse2.end(), za.p)) {
      g_differed[p] = true;
    }
  });
  EXPECT_GE(paths, 1);
}

TEST(DirectPaths, EveryPathAgainstPlainSumAndSse2Bits) {
  for (const Case& c : kCases) {
    if (c.v == DD)
      run_case<double>(c);
    else
      run_case<float>(c);
  }
  for (int p = ZAFORQ_PATH_AVX2; p <= ZAFORQ_PATH_AVX512; ++p)
    if (zaforqSetCpuPath(p) == 0) EXPECT_TRUE(g_differed[p]) << "path " << p << " gave the SSE2 bits everywhere";
  zaforqSetCpuPath(ZAFORQ_PATH_AUTO);
}

}  // namespace
