// The convolution primitive's direct summation on every processor path this machine has, each
// pinned in turn: every output against the plain long-double sum with the per-output rounding
// bound of the direct kernels, and on the SSE2 path the exact bits recorded from the SSE2-only
// library (one checksum column per build).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "zaforq.h"

namespace {

using LD = long double;

struct Case {
  int32_t n1, n2;
  int doff;  // elements between a 64-byte boundary and dst (the SSE2 runs align on dst)
  uint64_t f32_x86_64, f64_x86_64, f32_i386, f64_i386;
};

// Every size here stays on the direct path: N < 512 or the shorter length below 64; the
// longer operand from 4096 on is taken in chunks.
const Case kCases[] = {
    {1, 1, 0, 0xda238d72c161eadcull, 0x94022b6bed329f9eull, 0xda238d72c161eadcull, 0x94022b6bed329f9eull},
    {3, 5, 1, 0x4e9d3ea90ff8be77ull, 0x3a090578f23eeec4ull, 0x4e9d3ea90ff8be77ull, 0x3a090578f23eeec4ull},
    {5, 3, 0, 0xdaab761ecb883376ull, 0x31c2a10253d0f9b8ull, 0xdaab761ecb883376ull, 0x31c2a10253d0f9b8ull},
    {2, 130, 3, 0x432ee657bbd94583ull, 0x5498dda6ecd2c375ull, 0x432ee657bbd94583ull, 0x5498dda6ecd2c375ull},
    {300, 212, 1, 0x81cb59aee69ba382ull, 0xb2c705824307f1a2ull, 0x81cb59aee69ba382ull, 0xb2c705824307f1a2ull},
    {250, 250, 2, 0x120011aee6fc5313ull, 0x7f4f78fe7c75a548ull, 0x120011aee6fc5313ull, 0x7f4f78fe7c75a548ull},
    {64, 63, 1, 0xc3c73048ce6b0dfcull, 0x904d49b343bf350dull, 0xc3c73048ce6b0dfcull, 0x904d49b343bf350dull},
    {100, 63, 0, 0xeff0a7b6d0e26bf1ull, 0xdb00181d2edafcf1ull, 0xeff0a7b6d0e26bf1ull, 0xdb00181d2edafcf1ull},
    {5000, 10, 1, 0xa76e818d6da7537dull, 0x446c4710b0d49374ull, 0xa76e818d6da7537dull, 0x446c4710b0d49374ull},
    {4097, 7, 3, 0x62910829fc0066full, 0xd7e593a176c93f53ull, 0x62910829fc0066full, 0xd7e593a176c93f53ull},
    {8192, 40, 1, 0xf91b3279ae3158c0ull, 0x680835d2bdba6808ull, 0xf91b3279ae3158c0ull, 0x680835d2bdba6808ull},
    {20000, 63, 2, 0xefac5a2238eedb3cull, 0x739d159e19b9804full, 0xefac5a2238eedb3cull, 0x739d159e19b9804full},
    {37, 20011, 1, 0xf7bc1e0e28c04753ull, 0x2444b4e56f0b4a3bull, 0xf7bc1e0e28c04753ull, 0x2444b4e56f0b4a3bull},
    {9, 4100, 0, 0xdd00f3d4c106a502ull, 0x7fdafaad6ea8b806ull, 0xdd00f3d4c106a502ull, 0x7fdafaad6ea8b806ull},
};

uint32_t next_word(uint32_t& s) {
  s = s * 1664525u + 1013904223u;
  return s;
}

uint64_t fnv1a(const void* p, size_t n) {
  uint64_t h = 0xcbf29ce484222325ull;
  const unsigned char* b = static_cast<const unsigned char*>(p);
  for (size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 0x100000001b3ull;
  return h;
}

int32_t conv(const float* a, int32_t n, const float* b, int32_t m, float* d) { return gaxsConv_32f(a, n, b, m, d); }
int32_t conv(const double* a, int32_t n, const double* b, int32_t m, double* d) { return gaxsConv_64f(a, n, b, m, d); }

struct PinGuard {
  ~PinGuard() { zaforqSetCpuPath(ZAFORQ_PATH_AUTO); }
};

// Paths whose results differed from the SSE2 path's somewhere: a wide path that never rounds
// differently from SSE2 is not running at all.
bool g_differed[3] = {false, false, false};

template <class T>
void run_case(const Case& c) {
  SCOPED_TRACE(::testing::Message() << c.n1 << " x " << c.n2 << (sizeof(T) == 4 ? " float" : " double"));
  const size_t N = size_t(c.n1) + size_t(c.n2) - 1;
  uint32_t seed = uint32_t(c.n1 * 31 + c.n2);
  std::vector<T> a(size_t(c.n1)), b(size_t(c.n2));
  for (auto& v : a) v = T((double(next_word(seed) >> 8) - 0x1p23) * 0x1p-23);  // exact in float
  for (auto& v : b) v = T((double(next_word(seed) >> 8) - 0x1p23) * 0x1p-23);
  T* store = static_cast<T*>(std::aligned_alloc(64, (N + 64) * sizeof(T) / 64 * 64 + 64 * sizeof(T)));
  T* d = store + c.doff;
  PinGuard restore;
  const double eps = sizeof(T) == 4 ? 0x1p-24 : 0x1p-53;
  std::vector<T> sse2;
  for (int p = ZAFORQ_PATH_SSE2; p <= ZAFORQ_PATH_AVX512; ++p) {
    if (zaforqSetCpuPath(p) != 0) continue;
    SCOPED_TRACE(p);
    std::fill(d, d + N + 1, T(4321));
    ASSERT_EQ(conv(a.data(), c.n1, b.data(), c.n2, d), 0);
    EXPECT_EQ(d[N], T(4321)) << "wrote past the result";
    int bad = 0;
    for (size_t m = 0; m < N; ++m) {
      LD ref = 0, abs = 0;
      int64_t terms = 0;
      const size_t lo = m >= b.size() - 1 ? m - (b.size() - 1) : 0, hi = std::min(m, a.size() - 1);
      for (size_t i = lo; i <= hi; ++i, ++terms) {
        const LD t = LD(a[i]) * LD(b[m - i]);
        ref += t;
        abs += std::fabs(t);
      }
      const LD bound = LD(terms + 4) * eps * abs + eps * std::fabs(ref) + 1e-300L;
      if (std::fabs(LD(d[m]) - ref) > bound && bad++ < 3)
        ADD_FAILURE() << "output " << m << " is " << double(d[m]) << ", reference " << double(ref);
    }
    if (p == ZAFORQ_PATH_SSE2) {
      const uint64_t want = sizeof(void*) == 8 ? (sizeof(T) == 4 ? c.f32_x86_64 : c.f64_x86_64)
                                               : (sizeof(T) == 4 ? c.f32_i386 : c.f64_i386);
      EXPECT_EQ(fnv1a(d, N * sizeof(T)), want) << std::hex << "0x" << fnv1a(d, N * sizeof(T));
      sse2.assign(d, d + N);
    } else if (!std::equal(sse2.begin(), sse2.end(), d)) {
      g_differed[p] = true;
    }
  }
  std::free(store);
}

TEST(ConvDirectPaths, EveryPathAgainstPlainSumAndSse2Bits) {
  for (const Case& c : kCases) {
    run_case<float>(c);
    run_case<double>(c);
  }
  for (int p = ZAFORQ_PATH_AVX2; p <= ZAFORQ_PATH_AVX512; ++p)
    if (zaforqSetCpuPath(p) == 0) EXPECT_TRUE(g_differed[p]) << "path " << p << " gave the SSE2 bits everywhere";
  zaforqSetCpuPath(ZAFORQ_PATH_AUTO);
}

}  // namespace
