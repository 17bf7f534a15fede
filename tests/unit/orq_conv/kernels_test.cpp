// The direct kernels through the execution front end on random tasks of every rank, kind and
// type variant, against a plain long-double sum written here; strides of every sign (zero on
// inputs), starts, decimations, default and explicit settings. Plus the small worked examples.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "cpu_paths.h"
#include "reference.h"
#include "zaforq/orq_conv.h"

namespace {

using namespace cctest;

enum Variant { SS, SD, DD, DD_SINGLE_ARITH };  // the last one: double data, single arithmetic

struct Plan {
  bool conv;
  int kind;
  int rank;
  Variant variant;
  int method;
  bool integers;  // small integer data: every grouping of the sums is exact
};

int32_t pick(std::mt19937& g, int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(g); }

template <class T>
void random_strides(std::mt19937& g, Operand<T>& op, bool input) {
  int64_t span = 1;  // elements covered by the lower dimensions, so that no two elements alias
  for (int d = 0; d < op.rank; ++d) {
    int64_t s = span * pick(g, 1, 2) + pick(g, 0, 1);
    if (pick(g, 0, 1)) s = -s;
    if (input && pick(g, 0, 9) == 0) s = 0;  // one element repeated along the dimension
    op.stride[d] = static_cast<int32_t>(s);
    span += int64_t(op.shape[d] - 1) * std::abs(s);
  }
}

template <class T>
void dense_strides(Operand<T>& op) {
  int64_t s = 1;
  for (int d = 0; d < op.rank; ++d) {
    op.stride[d] = static_cast<int32_t>(s);
    s *= op.shape[d];
  }
}

struct Worst {
  double ratio = 0;  // largest |error| / bound seen
  int cases = 0;
};

// One random task: builds it, executes it, compares every output and checks that nothing
// outside the requested outputs was written.
template <class E>
void run_one(std::mt19937& g, const Plan& p, Worst& worst) {
  const int rank = p.rank;
  static const int32_t nx_cap[8] = {0, 40, 9, 5, 3, 3, 2, 2};
  static const int32_t ny_cap[8] = {0, 150, 14, 7, 5, 3, 3, 3};
  Operand<E> x, y, z;
  x.rank = y.rank = z.rank = rank;
  int32_t start[7], dec[7];
  bool default_start = pick(g, 0, 3) == 0 && p.kind != 3;
  bool all_one = true;
  for (int d = 0; d < rank; ++d) {
    x.shape[d] = pick(g, 1, nx_cap[rank]);
    y.shape[d] = pick(g, 1, ny_cap[rank]);
    if (rank == 1 && pick(g, 0, 5) == 0) y.shape[d] = pick(g, 200, 700);  // long runs: vector paths
    if (rank > 1 && rank < 4 && d == 0 && pick(g, 0, 3) == 0) {  // long rows in several dimensions too
      x.shape[d] = pick(g, 8, 20);
      y.shape[d] = pick(g, 8, 40);
    }
    const int64_t first = p.conv ? 0 : 1 - x.shape[d];
    const int64_t last = p.conv ? x.shape[d] + y.shape[d] - 2 : y.shape[d] - 1;
    start[d] = default_start ? static_cast<int32_t>(p.conv ? 0 : first) : static_cast<int32_t>(pick(g, int32_t(first), int32_t(last)));
    dec[d] = pick(g, 0, 2) ? 1 : pick(g, 2, 3);
    if (dec[d] != 1) all_one = false;
    const int64_t most = (last - start[d]) / dec[d] + 1;
    z.shape[d] = pick(g, 0, 2) ? static_cast<int32_t>(most) : pick(g, 1, static_cast<int32_t>(most));
  }
  const bool with_decimation = !all_one || pick(g, 0, 1);
  const bool dense_x = pick(g, 0, 2) == 0, dense_y = pick(g, 0, 2) == 0, dense_z = pick(g, 0, 2) == 0;
  if (dense_x) dense_strides(x); else random_strides(g, x, true);
  if (dense_y) dense_strides(y); else random_strides(g, y, true);
  if (dense_z) dense_strides(z); else random_strides(g, z, false);
  x.pad = pick(g, 0, 3);
  y.pad = pick(g, 0, 3);
  z.pad = pick(g, 0, 3);
  x.allocate(E(0));
  y.allocate(E(0));
  const E sentinel = E(-12345.5);
  z.allocate(sentinel);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  for (auto& v : x.store) v = p.integers ? E(pick(g, -8, 8)) : E(u(g));
  for (auto& v : y.store) v = p.integers ? E(pick(g, -8, 8)) : E(u(g));

  const int32_t data_type = std::is_same_v<E, float> ? 1 : 2;
  CcTask* task = nullptr;
  ASSERT_EQ(__orqNewTask(&task, p.kind, 0, p.method, 0, data_type, rank, x.shape, y.shape, z.shape), 0);
  const int32_t single = 1, dbl = 2;
  if (p.variant == SD) ASSERT_EQ(__orqEditTask(task, ORQ_CC_EDIT_PRECISION, &dbl), 0);
  if (p.variant == DD_SINGLE_ARITH) ASSERT_EQ(__orqEditTask(task, ORQ_CC_EDIT_PRECISION, &single), 0);
  if (!default_start) ASSERT_EQ(__orqEditTask(task, ORQ_CC_EDIT_START, start), 0);
  if (with_decimation) ASSERT_EQ(__orqEditTask(task, ORQ_CC_EDIT_DECIMATION, dec), 0);
  const int32_t st = __orqExec(task, x.base(), dense_x && pick(g, 0, 1) ? nullptr : x.stride, y.base(),
                               dense_y && pick(g, 0, 1) ? nullptr : y.stride, z.base(),
                               dense_z && pick(g, 0, 1) ? nullptr : z.stride);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(__orqccGetStatus(task), 0);
  __orqDeleteTask(&task);
  if (st != 0) return;

  // Arithmetic and result precision of the variant.
  const bool single_arith = p.variant == SS;
  const double eps_a = single_arith ? 0x1p-24 : 0x1p-53;
  const double eps_r = std::is_same_v<E, float> ? 0x1p-24 : 0x1p-53;
  std::vector<char> written(z.store.size(), 0);
  int64_t k[7] = {0};
  int bad = 0;
  do {
    const RefValue r = reference(p.conv, x, y, k, start, dec);
    const int64_t off = z.offset(k);
    written[static_cast<size_t>(z.pad + off)] = 1;
    const LD got = z.base()[off];
    const LD err = std::fabs(got - r.sum);
    if (p.integers) {
      if (err != 0 && bad++ < 5)
        ADD_FAILURE() << "rank " << rank << (p.conv ? " conv" : " corr") << " variant " << p.variant
                      << ": output " << off << " is " << double(got) << ", reference " << double(r.sum);
    } else {
      const LD bound = LD(r.terms + 4) * eps_a * r.abssum + eps_r * std::fabs(r.sum) + 1e-300L;
      worst.ratio = std::max(worst.ratio, double(err / bound));
      if (err > bound && bad++ < 5)
        ADD_FAILURE() << "rank " << rank << (p.conv ? " conv" : " corr") << " variant " << p.variant
                      << ": output " << off << " is " << double(got) << ", reference " << double(r.sum)
                      << " (" << r.terms << " terms)";
    }
  } while (next(k, z.shape, rank));
  for (size_t i = 0; i < z.store.size(); ++i)
    if (!written[i] && z.store[i] != sentinel && bad++ < 5) ADD_FAILURE() << "wrote outside the outputs at " << i;
  ++worst.cases;
}

void run_plans(int rank, Variant variant, int cases, uint32_t seed) {
  std::mt19937 g(seed);
  Worst worst;
  for (int c = 0; c < cases; ++c) {
    Plan p;
    p.conv = c % 2 == 0;
    p.kind = p.conv ? 1 : (c % 10 == 3 ? 3 : 2);  // kinds other than 1 compute correlation
    p.rank = rank;
    p.variant = variant;
    p.method = rank == 1 ? 1 : (c % 3 == 0 ? 0 : 1);  // above rank 1, method 0 means direct
    p.integers = c % 4 == 1;
    if (variant == DD || variant == DD_SINGLE_ARITH)
      run_one<double>(g, p, worst);
    else
      run_one<float>(g, p, worst);
    if (::testing::Test::HasFailure()) break;
  }
  ::testing::Test::RecordProperty("worst_error_over_bound", std::to_string(worst.ratio));
  EXPECT_EQ(worst.cases, cases);
}

class RandomTasks : public ::testing::TestWithParam<int> {};

TEST_P(RandomTasks, SingleDataSingleArithmetic) { run_plans(GetParam(), SS, 60, 100 + GetParam()); }
TEST_P(RandomTasks, SingleDataDoubleArithmetic) { run_plans(GetParam(), SD, 60, 200 + GetParam()); }
TEST_P(RandomTasks, DoubleData) { run_plans(GetParam(), DD, 60, 300 + GetParam()); }

INSTANTIATE_TEST_SUITE_P(Ranks, RandomTasks, ::testing::Range(1, 8));

// Double data with single arithmetic computes in double above rank 1.
TEST(RandomTasks, DoubleDataSingleArithmeticAboveRankOne) {
  for (int rank = 2; rank <= 7; ++rank) run_plans(rank, DD_SINGLE_ARITH, 20, 400 + rank);
}

// ---- worked examples ---------------------------------------------------------------------

template <class T>
std::vector<T> exec1(int kind, int dataType, int precision, std::vector<T> x, std::vector<T> y, int32_t nz,
                     const int32_t* start, const int32_t* dec, int32_t* status = nullptr) {
  const int32_t nx = int32_t(x.size()), ny = int32_t(y.size());
  CcTask* t = nullptr;
  EXPECT_EQ(__orqNewTask(&t, kind, 0, 1, 0, dataType, 1, &nx, &ny, &nz), 0);
  __orqEditTask(t, ORQ_CC_EDIT_PRECISION, &precision);
  if (start) __orqEditTask(t, ORQ_CC_EDIT_START, start);
  if (dec) __orqEditTask(t, ORQ_CC_EDIT_DECIMATION, dec);
  std::vector<T> z(size_t(nz), T(-99));
  const int32_t st = __orqExec(t, x.data(), nullptr, y.data(), nullptr, z.data(), nullptr);
  if (status) *status = st; else EXPECT_EQ(st, 0);
  __orqDeleteTask(&t);
  return z;
}

template <class T>
void worked_examples(int dataType, int precision) {
  using V = std::vector<T>;
  const V x{1, 2, 3}, y{1, 1};
  const int32_t zero = 0, two = 2, m2 = -2, m1 = -1, last = 3, past = 4;
  EXPECT_EQ(exec1<T>(1, dataType, precision, x, y, 4, &zero, nullptr), (V{1, 3, 5, 3}));
  EXPECT_EQ(exec1<T>(1, dataType, precision, x, y, 4, nullptr, nullptr), (V{1, 3, 5, 3})) << "default start 0";
  EXPECT_EQ(exec1<T>(2, dataType, precision, x, y, 4, &m2, nullptr), (V{3, 5, 3, 1}));
  EXPECT_EQ(exec1<T>(2, dataType, precision, x, y, 4, nullptr, nullptr), (V{3, 5, 3, 1})) << "default lag 1 - nx";
  EXPECT_EQ(exec1<T>(2, dataType, precision, x, y, 2, &m1, nullptr), (V{5, 3}));
  EXPECT_EQ(exec1<T>(1, dataType, precision, x, y, 2, &zero, &two), (V{1, 5}));
  EXPECT_EQ(exec1<T>(1, dataType, precision, x, y, 1, &last, nullptr), (V{3})) << "only the last product";
  int32_t st = 0;
  exec1<T>(1, dataType, precision, x, y, 1, &past, nullptr, &st);
  EXPECT_EQ(st, ORQ_CC_STATUS_BAD_START);
  // Kind 3 is a correlation whose default start is 0: lags 0 .. 1.
  EXPECT_EQ(exec1<T>(3, dataType, precision, x, y, 2, nullptr, nullptr), (V{3, 1}));
  // nz 5 at decimation 1: one block of four and one single output.
  const V a{1, -2, 3, 4}, b{2, 0, 1, -1, 5, 7, 1};
  const int32_t s = -3;
  V want(5);
  for (int k = 0; k < 5; ++k)
    for (int i = 0; i < 4; ++i) {
      const int j = i + s + k;
      if (j >= 0 && j < 7) want[size_t(k)] += a[size_t(i)] * b[size_t(j)];
    }
  EXPECT_EQ(exec1<T>(2, dataType, precision, a, b, 5, &s, nullptr), want);
}

TEST(WorkedExamples, EveryVariant) {
  worked_examples<float>(1, 1);
  worked_examples<float>(1, 2);
  worked_examples<double>(2, 2);
}

TEST(WorkedExamples, StridesReverseRepeatAndScatter) {
  // x stride -1 reads x backwards: memory (3, 2, 1) is the logical x (1, 2, 3).
  const float xm[3] = {3, 2, 1}, y[2] = {1, 1};
  const int32_t nx = 3, ny = 2, nz = 4, m1 = -1, zero = 0, two = 2;
  CcTask* t = nullptr;
  ASSERT_EQ(__orqNewTask(&t, 1, 0, 1, 0, 1, 1, &nx, &ny, &nz), 0);
  float z[4];
  ASSERT_EQ(__orqExec(t, xm, &m1, y, nullptr, z, nullptr), 0);
  EXPECT_EQ(std::vector<float>(z, z + 4), (std::vector<float>{1, 3, 5, 3}));
  // A zero stride repeats x[0] = 3 three times: (3, 3, 3) * (1, 1).
  ASSERT_EQ(__orqExec(t, xm, &zero, y, nullptr, z, nullptr), 0);
  EXPECT_EQ(std::vector<float>(z, z + 4), (std::vector<float>{3, 6, 6, 3}));
  // z stride -2: logical output k lands at (3 - k) * 2, the base addresses the lowest one.
  float zs[7];
  std::fill(zs, zs + 7, -1.0f);
  const int32_t m2 = -2;
  ASSERT_EQ(__orqExec(t, xm, &m1, y, nullptr, zs, &m2), 0);
  EXPECT_EQ(std::vector<float>(zs, zs + 7), (std::vector<float>{3, -1, 5, -1, 3, -1, 1}));
  // z stride 2 likewise, forwards.
  std::fill(zs, zs + 7, -1.0f);
  ASSERT_EQ(__orqExec(t, xm, &m1, y, nullptr, zs, &two), 0);
  EXPECT_EQ(std::vector<float>(zs, zs + 7), (std::vector<float>{1, -1, 3, -1, 5, -1, 3}));
  __orqDeleteTask(&t);
}

// A rank-2 task: the unrolled core (decimation 1, 1) and the plain one (2, 1 then 1, 2 with
// every second output picked out of the full result) agree with the full result.
TEST(WorkedExamples, RankTwoCoresAgree) {
  const int32_t xs[2] = {3, 4}, ys[2] = {9, 11}, full[2] = {11, 14};
  std::mt19937 g(7);
  std::vector<double> x(12), y(99);
  for (auto& v : x) v = pick(g, -5, 5);
  for (auto& v : y) v = pick(g, -5, 5);
  CcTask* t = nullptr;
  ASSERT_EQ(__orqNewTask(&t, 1, 0, 1, 0, 2, 2, xs, ys, full), 0);
  std::vector<double> zf(11 * 14);
  const int32_t ones[2] = {1, 1};
  ASSERT_EQ(__orqEditTask(t, ORQ_CC_EDIT_DECIMATION, ones), 0);
  ASSERT_EQ(__orqExec(t, x.data(), nullptr, y.data(), nullptr, zf.data(), nullptr), 0);
  __orqDeleteTask(&t);
  for (int pass = 0; pass < 2; ++pass) {
    const int32_t dec[2] = {pass == 0 ? 2 : 1, pass == 0 ? 1 : 2};
    const int32_t zs[2] = {pass == 0 ? 6 : 11, pass == 0 ? 14 : 7};
    ASSERT_EQ(__orqNewTask(&t, 1, 0, 1, 0, 2, 2, xs, ys, zs), 0);
    ASSERT_EQ(__orqEditTask(t, ORQ_CC_EDIT_DECIMATION, dec), 0);
    std::vector<double> z(size_t(zs[0] * zs[1]));
    ASSERT_EQ(__orqExec(t, x.data(), nullptr, y.data(), nullptr, z.data(), nullptr), 0);
    for (int k1 = 0; k1 < zs[1]; ++k1)
      for (int k0 = 0; k0 < zs[0]; ++k0)
        EXPECT_EQ(z[size_t(k0 + zs[0] * k1)], zf[size_t(k0 * dec[0] + 11 * k1 * dec[1])]) << k0 << "," << k1;
    __orqDeleteTask(&t);
  }
}

// The rank-1 kernels called directly: the single-precision entry without decimation is the
// decimation-1 kernel; the other entries without decimation have no kernel.
TEST(DirectEntries, NodecVariants) {
  const float x[3] = {1, 2, 3}, y[2] = {1, 1};
  float z[4] = {0, 0, 0, 0};
  ASSERT_EQ(_orqConvSSDirect1D_nodec(x, 1, y, 1, z, 1, 3, 2, 0, 4), 0);
  EXPECT_EQ(std::vector<float>(z, z + 4), (std::vector<float>{1, 3, 5, 3}));
  ASSERT_EQ(_orqCorrSSDirect1D_nodec(x, 1, y, 1, z, 1, 3, 2, -2, 4), 0);
  EXPECT_EQ(std::vector<float>(z, z + 4), (std::vector<float>{3, 5, 3, 1}));
  float w[4] = {7, 7, 7, 7};
  EXPECT_EQ(_orqConvSDDirect1D_nodec(x, 1, y, 1, w, 1, 3, 2, 0, 4), ORQ_CC_STATUS_UNSUPPORTED);
  EXPECT_EQ(_orqCorrSDDirect1D_nodec(x, 1, y, 1, w, 1, 3, 2, 0, 4), ORQ_CC_STATUS_UNSUPPORTED);
  const double xd[3] = {1, 2, 3}, yd[2] = {1, 1};
  double wd[4] = {7, 7, 7, 7};
  EXPECT_EQ(_orqConvDDDirect1D_nodec(xd, 1, yd, 1, wd, 1, 3, 2, 0, 4), ORQ_CC_STATUS_UNSUPPORTED);
  EXPECT_EQ(_orqCorrDDDirect1D_nodec(xd, 1, yd, 1, wd, 1, 3, 2, 0, 4), ORQ_CC_STATUS_UNSUPPORTED);
  const int32_t s[2] = {3, 1}, t[2] = {2, 1}, u[2] = {4, 1}, st[2] = {0, 0};
  EXPECT_EQ(_orqConvSSDirectAll_nodec(2, x, s, nullptr, y, t, nullptr, w, u, nullptr, st), ORQ_CC_STATUS_UNSUPPORTED);
  EXPECT_EQ(_orqCorrSSDirectAll_nodec(2, x, s, nullptr, y, t, nullptr, w, u, nullptr, st), ORQ_CC_STATUS_UNSUPPORTED);
  EXPECT_EQ(_orqConvSDDirectAll_nodec(2, x, s, nullptr, y, t, nullptr, w, u, nullptr, st), ORQ_CC_STATUS_UNSUPPORTED);
  EXPECT_EQ(_orqCorrSDDirectAll_nodec(2, x, s, nullptr, y, t, nullptr, w, u, nullptr, st), ORQ_CC_STATUS_UNSUPPORTED);
  EXPECT_EQ(_orqConvDDDirectAll_nodec(2, xd, s, nullptr, yd, t, nullptr, wd, u, nullptr, st), ORQ_CC_STATUS_UNSUPPORTED);
  EXPECT_EQ(_orqCorrDDDirectAll_nodec(2, xd, s, nullptr, yd, t, nullptr, wd, u, nullptr, st), ORQ_CC_STATUS_UNSUPPORTED);
  EXPECT_EQ(std::vector<float>(w, w + 4), (std::vector<float>{7, 7, 7, 7})) << "nothing written";
  EXPECT_EQ(std::vector<double>(wd, wd + 4), (std::vector<double>{7, 7, 7, 7}));
}

// The multi-dimensional entries called directly: rank 1 gives what the rank-1 entry gives, and
// absent strides, start and decimation mean dense, the default start and 1.
TEST(DirectEntries, AllRankEntriesWithDefaults) {
  std::mt19937 g(3);
  std::vector<double> x(7), y(30), z1(36), za(36, -1);
  for (auto& v : x) v = pick(g, -9, 9);
  for (auto& v : y) v = pick(g, -9, 9);
  const int32_t nx = 7, ny = 30, nz = 36;
  ASSERT_EQ(_orqCorrDDDirect1D_dec(x.data(), 1, y.data(), 1, z1.data(), 1, nx, ny, 1 - nx, nz, 1), 0);
  ASSERT_EQ(_orqCorrDDDirectAll_dec(1, x.data(), &nx, nullptr, y.data(), &ny, nullptr, za.data(), &nz, nullptr,
                                    nullptr, nullptr), 0);
  EXPECT_EQ(za, z1);
  ASSERT_EQ(_orqConvDDDirect1D_dec(x.data(), 1, y.data(), 1, z1.data(), 1, nx, ny, 0, nz, 1), 0);
  ASSERT_EQ(_orqConvDDDirectAll_dec(1, x.data(), &nx, nullptr, y.data(), &ny, nullptr, za.data(), &nz, nullptr,
                                    nullptr, nullptr), 0);
  EXPECT_EQ(za, z1);
  const int32_t dec = 3, nz3 = 12, st = 0;
  ASSERT_EQ(_orqConvDDDirect1D_dec(x.data(), 1, y.data(), 1, z1.data(), 1, nx, ny, 0, nz3, dec), 0);
  ASSERT_EQ(_orqConvDDDirectAll_dec(1, x.data(), &nx, nullptr, y.data(), &ny, nullptr, za.data(), &nz3, nullptr,
                                    &st, &dec), 0);
  EXPECT_EQ(std::vector<double>(za.begin(), za.begin() + 12), std::vector<double>(z1.begin(), z1.begin() + 12));
}

// Long runs at every alignment of x and y, on every processor path: the vector inner products
// with their lead-in (SSE2) or masked ends (wide paths). Small integers: every sum is exact.
TEST(DirectEntries, LongRunsAtEveryAlignment) {
  std::mt19937 g(11);
  std::vector<float> xs(80), ys(600);
  std::vector<double> xd(80), yd(600);
  for (size_t i = 0; i < xs.size(); ++i) xd[i] = xs[i] = float(pick(g, -8, 8));
  for (size_t i = 0; i < ys.size(); ++i) yd[i] = ys[i] = float(pick(g, -8, 8));
  for_each_cpu_path([&](int) {
    for (int ox = 0; ox < 4; ++ox)
      for (int oy = 0; oy < 4; ++oy) {
        const int32_t nx = 64 + ox, ny = 500 + oy, nz = nx + ny - 1;
        std::vector<float> zs(static_cast<size_t>(nz));
        std::vector<double> zd(static_cast<size_t>(nz));
        ASSERT_EQ(_orqCorrSSDirect1D_dec(xs.data() + ox, 1, ys.data() + oy, 1, zs.data(), 1, nx, ny, 1 - nx, nz, 1), 0);
        ASSERT_EQ(_orqCorrDDDirect1D_dec(xd.data() + ox, 1, yd.data() + oy, 1, zd.data(), 1, nx, ny, 1 - nx, nz, 1), 0);
        for (int32_t k = 0; k < nz; ++k) {
          double ref = 0;
          for (int32_t i = 0; i < nx; ++i) {
            const int32_t j = i + k + 1 - nx;
            if (j >= 0 && j < ny) ref += double(xs[size_t(ox + i)]) * ys[size_t(oy + j)];
          }
          ASSERT_EQ(zs[size_t(k)], ref) << ox << " " << oy << " " << k;
          ASSERT_EQ(zd[size_t(k)], ref) << ox << " " << oy << " " << k;
        }
      }
  });
}

}  // namespace
