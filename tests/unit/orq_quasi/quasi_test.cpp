// Sobol and Niederreiter streams against GSL's quasi-random generators (same tables; GSL keeps
// 30 and 31 significant bits), a plain Python construction for all 318 Niederreiter dimensions,
// and the stream semantics of coordinates: calls that end inside a point, skip-ahead,
// leapfrog to a coordinate, files and copies.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <cmath>

#include <string>
#include <vector>

#include "../orq_generators/python_oracle.h"
#include "zaforq.h"

#ifdef ZAFORQ_HAVE_GSL
#include <gsl/gsl_qrng.h>
#endif

namespace {

struct Q {
  OrqStream s = nullptr;
  int32_t status;
  Q(int32_t id, int32_t dim) {
    const uint32_t p = static_cast<uint32_t>(dim);
    status = __orqNewStreamEx(&s, id, 1, &p);
  }
  Q(int32_t id, int32_t n, const uint32_t* p) { status = __orqNewStreamEx(&s, id, n, p); }
  explicit Q(OrqStream t) : s(t), status(0) {}
  ~Q() { __orqDeleteStream(&s); }
  Q(const Q&) = delete;
  std::vector<uint32_t> ints(int32_t n) {
    std::vector<uint32_t> r(n);
    if (n > 0) EXPECT_EQ(_orqiRngUniformBits(0, s, n, r.data()), ORQ_STATUS_OK);
    return r;
  }
};

// The first np points of a fresh stream, whole, as points[i][d] for point i + 1.
std::vector<std::vector<uint32_t>> points(int32_t id, int32_t dim, int32_t np) {
  Q q(id, dim);
  std::vector<uint32_t> flat = q.ints(dim * np);
  std::vector<std::vector<uint32_t>> p(np);
  for (int32_t i = 0; i < np; ++i) p[i].assign(flat.begin() + i * dim, flat.begin() + (i + 1) * dim);
  return p;
}

const int32_t kQuasi[] = {ORQ_BRNG_SOBOL, ORQ_BRNG_NIEDERR};

// ---- oracles ------------------------------------------------------------------------------------

#ifdef ZAFORQ_HAVE_GSL
// gsl values are numerators over 2^bits; ours over 2^32, the same leading bits.
void compare_with_gsl(const gsl_qrng_type* type, int32_t id, int bits, bool gsl_starts_at_zero, int32_t dmax,
                      int32_t np) {
  for (int32_t dim = 1; dim <= dmax; ++dim) {
    gsl_qrng* g = gsl_qrng_alloc(type, static_cast<unsigned>(dim));
    std::vector<double> v(dim);
    if (gsl_starts_at_zero) gsl_qrng_get(g, v.data());
    Q q(id, dim);
    std::vector<uint32_t> ours = q.ints(dim * np);
    for (int32_t i = 0; i < np; ++i) {
      gsl_qrng_get(g, v.data());
      for (int32_t d = 0; d < dim; ++d)
        ASSERT_EQ(ours[i * dim + d] >> (32 - bits), static_cast<uint32_t>(v[d] * std::ldexp(1.0, bits)))
            << "dimension count " << dim << ", point " << i + 1 << ", coordinate " << d;
    }
    gsl_qrng_free(g);
  }
}
#endif

TEST(QuasiOracle, SobolAgainstGslForEveryDimensionCount) {
#ifdef ZAFORQ_HAVE_GSL
  compare_with_gsl(gsl_qrng_sobol, ORQ_BRNG_SOBOL, 30, false, 40, 3000);
#else
  GTEST_SKIP() << "GSL is an x86-64 library here";
#endif
}

TEST(QuasiOracle, NiederreiterAgainstGslUpTo12Dimensions) {
#ifdef ZAFORQ_HAVE_GSL
  compare_with_gsl(gsl_qrng_niederreiter_2, ORQ_BRNG_NIEDERR, 31, true, 12, 3000);
#else
  GTEST_SKIP() << "GSL is an x86-64 library here";
#endif
}

// The construction written out with lists of bits: irreducible polynomials by a sieve of the
// products of smaller ones, the generator matrix row by row, and point i as the XOR of the
// matrix columns over the bits of gray(i) (no Gray-code stepping).
const char* kNiederreiterPython = R"PY(
D, NP = 318, 40
reducible = set()
for a in range(2, 1 << 6):
    for b in range(2, 1 << (12 - a.bit_length() + 1)):
        x, y, p = a, b, 0
        while y:
            if y & 1: p ^= x
            x <<= 1; y >>= 1
        reducible.add(p)
polys = [p for p in range(2, 1 << 12) if p not in reducible][:D]
def bits(p): return [(p >> k) & 1 for k in range(p.bit_length())]
def mul(a, b):
    r = [0] * (len(a) + len(b) - 1)
    for i, x in enumerate(a):
        for j, y in enumerate(b):
            r[i + j] ^= x & y
    return r
cols = []
for p in polys:
    px = bits(p); e = len(px) - 1
    b = [1]; u = 0; rows = []
    while len(rows) < 32:
        b = mul(b, px); m = len(b) - 1
        v = [0] * u + [1] * (m - u)
        while len(v) < e + 31:
            k = len(v)
            t = 0
            for s in range(m):
                t ^= b[s] & v[k - m + s]
            v.append(t)
        for j in range(e):
            if len(rows) < 32: rows.append(v[j:j + 32])
        u = m
    cols.append([sum(rows[r][c] << (31 - r) for r in range(32)) for c in range(32)])
for i in range(1, NP + 1):
    g = i ^ (i >> 1)
    for d in range(D):
        x = 0
        for c in range(32):
            if (g >> c) & 1: x ^= cols[d][c]
        print(x)
)PY";

TEST(QuasiOracle, Niederreiter318DimensionsAgainstPlainConstruction) {
  if (!python_available()) GTEST_SKIP() << "no /usr/bin/python3";
  const std::vector<uint64_t> want = python_numbers(kNiederreiterPython);
  ASSERT_EQ(want.size(), 318u * 40u);
  Q q(ORQ_BRNG_NIEDERR, 318);
  std::vector<uint32_t> got = q.ints(318 * 40);
  for (size_t i = 0; i < want.size(); ++i)
    ASSERT_EQ(got[i], want[i]) << "point " << i / 318 + 1 << ", coordinate " << i % 318;
}

TEST(QuasiOracle, StatedSobolValues) {
  // van der Corput in Gray-code order; D = 2 and the start of dimension 2's recurrence
  EXPECT_EQ(Q(ORQ_BRNG_SOBOL, 1).ints(4), (std::vector<uint32_t>{0x80000000u, 0xC0000000u, 0x40000000u, 0x60000000u}));
  EXPECT_EQ(Q(ORQ_BRNG_SOBOL, 2).ints(6), (std::vector<uint32_t>{0x80000000u, 0x80000000u, 0xC0000000u, 0x40000000u,
                                                                  0x40000000u, 0xC0000000u}));
  std::vector<std::vector<uint32_t>> p = points(ORQ_BRNG_SOBOL, 3, 3);
  // P1 = V[2][0], P2 = V[2][0] ^ V[2][1], P3 = V[2][1]
  EXPECT_EQ(p[0][2], 0x80000000u);
  EXPECT_EQ(p[1][2], 0xC0000000u);
  EXPECT_EQ(p[2][2], 0x40000000u);
}

TEST(QuasiOracle, DimensionClamping) {
  const uint32_t d41 = 41, d0 = 0, d318 = 318, d319 = 319, d40 = 40;
  const std::vector<uint32_t> sobol1 = Q(ORQ_BRNG_SOBOL, 1).ints(64), nied1 = Q(ORQ_BRNG_NIEDERR, 1).ints(64);
  EXPECT_EQ(Q(ORQ_BRNG_SOBOL, 1, &d41).ints(64), sobol1);
  EXPECT_EQ(Q(ORQ_BRNG_SOBOL, 1, &d0).ints(64), sobol1);
  EXPECT_EQ(Q(ORQ_BRNG_SOBOL, 0, &d40).ints(64), sobol1) << "no seed words: dimension 1";
  EXPECT_EQ(Q(ORQ_BRNG_NIEDERR, 1, &d319).ints(64), nied1);
  EXPECT_EQ(Q(ORQ_BRNG_NIEDERR, 0, nullptr).ints(64), nied1);
  EXPECT_EQ(Q(ORQ_BRNG_SOBOL, 1, &d40).ints(80), Q(ORQ_BRNG_SOBOL, 40).ints(80));
  // D = 318 is kept: coordinate 317 of point 1 is not coordinate 0 of point 2 of a D = 1 stream
  std::vector<uint32_t> p1 = Q(ORQ_BRNG_NIEDERR, 1, &d318).ints(319);
  EXPECT_EQ(p1[0], 0x80000000u);
  EXPECT_EQ(p1[318], 0x80000000u ^ 0x40000000u) << "point 2 starts after 318 coordinates";
}

TEST(QuasiOracle, DoubleAndFloatScaleTheIntegerCoordinates) {
  for (int32_t id : kQuasi) {
    for (int32_t dim : {1, 5, 23}) {
      const int32_t n = 5000;
      const std::vector<uint32_t> w = Q(id, dim).ints(n);
      std::vector<double> rd(n);
      std::vector<float> rs(n);
      Q qd(id, dim), qs(id, dim);
      ASSERT_EQ(_orqdRngUniform(0, qd.s, n, rd.data(), -2.0, 3.5), 0);
      ASSERT_EQ(_orqsRngUniform(0, qs.s, n, rs.data(), -2.0f, 3.5f), 0);
      const double scale = 5.5 * 0x1p-32;
      for (int32_t i = 0; i < n; ++i) {
        volatile double prod = static_cast<double>(w[i]) * scale;
        const double want = prod + -2.0;
        ASSERT_EQ(rd[i], want) << i;
        ASSERT_EQ(rs[i], static_cast<float>(want)) << i;
      }
    }
  }
}

// ---- coordinates across calls, skip-ahead, leapfrog ---------------------------------------------

TEST(QuasiStream, CallsEndingInsidePointsContinueExactly) {
  // ragged call sizes, ending at every position inside a point, over the unrolled and wide paths
  const int32_t sizes[] = {1, 2, 3, 5, 7, 16, 17, 40, 97, 1000, 4097, 2, 1};
  for (int32_t id : kQuasi) {
    for (int32_t dim : {1, 2, 3, 4, 7, 15, 16, 17, 39, 40}) {
      int32_t total = 0;
      for (int32_t k : sizes) total += k;
      Q whole(id, dim), split(id, dim);
      std::vector<uint32_t> all = whole.ints(total), got;
      for (int32_t k : sizes) {
        std::vector<uint32_t> part = split.ints(k);
        got.insert(got.end(), part.begin(), part.end());
      }
      ASSERT_EQ(got, all) << "id " << std::hex << id << std::dec << " dimension " << dim;
    }
  }
}

TEST(QuasiStream, SkipAheadEqualsDiscarding) {
  // from states with 0, some and all but one coordinate of a point left
  for (int32_t id : kQuasi) {
    for (int32_t dim : {1, 3, 17}) {
      const std::vector<uint32_t> all = Q(id, dim).ints(80000);
      for (int32_t pre : {0, 1, dim - 1, dim + 2}) {
        for (int32_t skip : {1, 2, dim - 1, dim, dim + 1, 3 * dim + 2, 1000, 65535}) {
          if (skip < 1) continue;
          Q q(id, dim);
          q.ints(pre);
          ASSERT_EQ(__orqSkipAheadStream(q.s, skip), 0);
          const std::vector<uint32_t> next = q.ints(2 * dim + 1);
          for (int32_t i = 0; i < 2 * dim + 1; ++i)
            ASSERT_EQ(next[i], all[pre + skip + i]) << "dim " << dim << " pre " << pre << " skip " << skip;
        }
      }
    }
  }
  // a large skip: 10^6 points of a 2-dimensional stream, checked against a drawn sequence
  Q far(ORQ_BRNG_SOBOL, 2), ref(ORQ_BRNG_SOBOL, 2);
  ASSERT_EQ(__orqSkipAheadStream(far.s, 2000001), 0);
  ref.ints(2000001);
  EXPECT_EQ(far.ints(10), ref.ints(10));
}

TEST(QuasiStream, LeapfrogInEverySituation) {
  for (int32_t id : kQuasi) {
    const int32_t D = 5;
    const std::vector<std::vector<uint32_t>> p = points(id, D, 40);  // p[i] is point i + 1
    auto coord = [&](int32_t k, int32_t from_point, int32_t count) {
      std::vector<uint32_t> r;
      for (int32_t i = 0; i < count; ++i) r.push_back(p[from_point - 1 + i][k]);
      return r;
    };
    const int32_t all = 0x7FFFFFFF;
    // Where the selected coordinate's run starts, by what was drawn before the leapfrog call.
    const struct {
      const char* situation;
      int32_t drawn, k, from_point;
    } starts[] = {
        {"fresh stream: X[k] is already the next value", 0, 2, 1},
        {"inside a point, coordinate not yet delivered: still this point", 2 * D + 2, 4, 3},
        {"inside a point, the coordinate due next: still this point", 2 * D + 2, 2, 3},
        {"inside a point, coordinate already delivered: the next point", 2 * D + 2, 1, 4},
        {"whole points delivered: the next point", 3 * D, 0, 4},
    };
    for (const auto& c : starts) {
      Q q(id, D);
      q.ints(c.drawn);
      ASSERT_EQ(__orqLeapfrogStream(q.s, c.k, all), 0) << c.situation;
      EXPECT_EQ(q.ints(4), coord(c.k, c.from_point, 4)) << c.situation;
    }
    {  // the same coordinate again changes nothing; another one moves one point on, afresh
      Q q(id, D);
      ASSERT_EQ(__orqLeapfrogStream(q.s, 3, all), 0);
      EXPECT_EQ(q.ints(6), coord(3, 1, 6));
      ASSERT_EQ(__orqLeapfrogStream(q.s, 3, all), 0);
      EXPECT_EQ(q.ints(2), coord(3, 7, 2));
      ASSERT_EQ(__orqLeapfrogStream(q.s, 0, all), 0);  // counter was 9: point 10
      EXPECT_EQ(q.ints(5), coord(0, 10, 5));
      // skip-ahead in leapfrog mode counts in units of D coordinates
      ASSERT_EQ(__orqSkipAheadStream(q.s, 3 * D), 0);
      EXPECT_EQ(q.ints(2), coord(0, 18, 2));
    }
    {  // a long run of one coordinate, in calls of ragged sizes
      Q q(id, D);
      q.ints(7);
      ASSERT_EQ(__orqLeapfrogStream(q.s, 3, all), 0);  // point 2, coordinate 3 not yet out
      std::vector<uint32_t> got;
      for (int32_t k2 : {1, 2, 5, 9, 14}) {
        std::vector<uint32_t> part = q.ints(k2);
        got.insert(got.end(), part.begin(), part.end());
      }
      EXPECT_EQ(got, coord(3, 2, 31));
    }
    {  // refusals leave the stream as it was
      Q q(id, D), ref(id, D);
      q.ints(3);
      ref.ints(3);
      EXPECT_EQ(__orqLeapfrogStream(q.s, 1, 2), ORQ_STATUS_NO_LEAPFROG);
      EXPECT_EQ(__orqLeapfrogStream(q.s, D, all), ORQ_STATUS_NO_LEAPFROG);
      EXPECT_EQ(__orqLeapfrogStream(q.s, -1, all), ORQ_STATUS_NO_LEAPFROG);
      EXPECT_EQ(__orqSkipAheadStream(q.s, 0), ORQ_STATUS_NO_SKIPAHEAD);
      EXPECT_EQ(__orqSkipAheadStream(q.s, -5), ORQ_STATUS_NO_SKIPAHEAD);
      BrngRow row;
      __orqGetBrngProperties(id, &row);
      EXPECT_EQ(row.InitFn(3, q.s, 0, nullptr), ORQ_STATUS_UNKNOWN_METHOD);
      EXPECT_EQ(q.ints(20), ref.ints(20));
    }
  }
}

// ---- registry, files, copies --------------------------------------------------------------------

TEST(QuasiStream, LegacyIds) {
  EXPECT_EQ(Q(277, 7).ints(50), Q(ORQ_BRNG_SOBOL, 7).ints(50));
  EXPECT_EQ(Q(278, 7).ints(50), Q(ORQ_BRNG_NIEDERR, 7).ints(50));
}

TEST(QuasiStream, FilesAndCopiesContinueInsideAPointAndAfterLeapfrog) {
  const std::string path = ::testing::TempDir() + "zaforq_quasi_stream.bin";
  for (int32_t id : kQuasi) {
    for (int leap = 0; leap < 2; ++leap) {
      Q q(id, 6);
      q.ints(6 * 9 + 4);  // inside point 10
      if (leap) ASSERT_EQ(__orqLeapfrogStream(q.s, 5, 0x7FFFFFFF), 0);
      ASSERT_EQ(__orqSaveStreamF(q.s, path.c_str(), -1), 0);
      OrqStream loaded = nullptr, copied = nullptr;
      ASSERT_EQ(__orqLoadStreamF(&loaded, path.c_str()), 0);
      ASSERT_EQ(__orqCopyStream(&copied, q.s), 0);
      Q l(loaded), c(copied);
      const std::vector<uint32_t> want = q.ints(100);
      EXPECT_EQ(l.ints(100), want);
      EXPECT_EQ(c.ints(100), want);
    }
    // a state copy carries dimension, position and mode into a stream of another dimension
    Q from(id, 9), to(id, 2);
    from.ints(31);
    ASSERT_EQ(__orqCopyStreamState(to.s, from.s), 0);
    EXPECT_EQ(to.ints(200), from.ints(200));
  }
  remove(path.c_str());
}

TEST(QuasiStream, AnyStateFromAFileStaysInsideTheRecord) {
  // dimension, selected coordinate and coordinates left as a damaged file may hold them
  const int32_t bad[][3] = {{1000, 77, -5}, {-3, -9, 1 << 30}, {0, 0, 0}, {5, 5, 5}, {318, 300, 40}};
  for (int32_t id : kQuasi) {
    for (const auto& b : bad) {
      Q q(id, 4);
      memcpy(static_cast<char*>(q.s) + 20, b, sizeof b);
      std::vector<double> d(300);
      EXPECT_EQ(_orqdRngUniform(0, q.s, 300, d.data(), 0.0, 1.0), 0);
      EXPECT_EQ(__orqSkipAheadStream(q.s, 7), 0);
      EXPECT_EQ(__orqLeapfrogStream(q.s, 0, 0x7FFFFFFF), 0);
      q.ints(50);
      int32_t D;
      memcpy(&D, static_cast<char*>(q.s) + 20, 4);
      EXPECT_TRUE(D == 1 || (id == ORQ_BRNG_NIEDERR && D == 318) || D == b[0]) << D;
    }
  }
}

}  // namespace
