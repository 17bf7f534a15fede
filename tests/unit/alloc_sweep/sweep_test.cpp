// Every allocation of every entry that allocates, failed in turn: the entry answers its
// no-memory status, leaves the caller's objects as they were, and keeps nothing allocated.
// Each row is swept for k = 1, 2, ... up to the allocations a successful call makes.
#include <algorithm>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "zaforq.h"

#include "watch.h"

namespace {

struct Entry {
  std::string name;
  std::function<int32_t()> call;  // makes the call and returns its status
  std::function<void()> undo;     // releases what a successful call made
  std::vector<int32_t> failures;  // statuses that report the failed allocation
  std::function<bool()> intact;   // after a failure: outputs untouched, caller's objects usable
};

// Returns the number of failure points (allocations of a successful call). A first call
// outside the watch lets the library build what it keeps for the process or the thread on
// first use (the convolution's transform descriptors and operand block), which later calls
// reuse instead of allocating.
int sweep(const Entry& e) {
  if (e.call() == 0) e.undo();
  watch(0);
  const int32_t ok = e.call();
  unwatch();
  EXPECT_EQ(ok, 0) << e.name;
  const int points = allocations;
  e.undo();
  for (int k = 1; k <= points; ++k) {
    watch(k);
    const int32_t status = e.call();
    unwatch();
    bool reported = false;
    for (int32_t f : e.failures) reported |= status == f;
    EXPECT_TRUE(reported) << e.name << ", allocation " << k << " of " << points << ": status " << status;
    if (status == 0) e.undo();
    EXPECT_TRUE(live->empty()) << e.name << ", allocation " << k << ": " << live->size() << " blocks kept";
    if (e.intact) EXPECT_TRUE(e.intact()) << e.name << ", allocation " << k;
  }
  return points;
}

OrqStream made_stream(int32_t id, uint32_t seed) {
  OrqStream s = nullptr;
  EXPECT_EQ(__orqNewStreamEx(&s, id, 1, &seed), 0);
  return s;
}

TEST(AllocationSweep, StreamServices) {
  std::vector<Entry> rows;
  OrqStream made = nullptr;
  const OrqStream sentinel = reinterpret_cast<OrqStream>(&made);
  const uint32_t seed = 7;
  for (int32_t id : {ORQ_BRNG_MCG31, ORQ_BRNG_R250, ORQ_BRNG_MRG32K3A, ORQ_BRNG_MCG59, ORQ_BRNG_WH, ORQ_BRNG_SOBOL,
                     ORQ_BRNG_NIEDERR, ORQ_BRNG_MT19937, ORQ_BRNG_MT2203}) {
    OrqStream probe = nullptr;
    if (__orqNewStreamEx(&probe, id, 1, &seed) != 0) continue;  // a generator this build lacks
    __orqDeleteStream(&probe);
    rows.push_back({"new stream " + std::to_string(id >> 20), [&, id] {
                      made = sentinel;
                      return __orqNewStreamEx(&made, id, 1, &seed);
                    },
                    [&] { __orqDeleteStream(&made); }, {ORQ_STATUS_NO_MEMORY}, [&] { return made == nullptr; }});
  }
  // A copy of a stream that carries chunks: the source keeps its state and chunks.
  OrqStream source = made_stream(ORQ_BRNG_MT19937, 11);
  for (uint32_t key : {1u, 2u}) {
    void* data = malloc(16);
    memset(data, static_cast<int>(key), 16);
    ASSERT_EQ(__orqAddChunk(source, key, data, 16), 0);
  }
  OrqStream twin = nullptr;
  ASSERT_EQ(__orqCopyStream(&twin, source), 0);
  auto same_as_twin = [&] {
    OrqStream a = nullptr, b = nullptr;
    __orqCopyStream(&a, source);
    __orqCopyStream(&b, twin);
    double x[4], y[4];
    _orqdRngUniform(0, a, 4, x, 0.0, 1.0);
    _orqdRngUniform(0, b, 4, y, 0.0, 1.0);
    const bool same = memcmp(x, y, sizeof x) == 0 && __orqGetNumChunks(source) == 2;
    __orqDeleteStream(&a);
    __orqDeleteStream(&b);
    return same;
  };
  rows.push_back({"copy stream with chunks", [&] {
                    made = sentinel;
                    return __orqCopyStream(&made, source);
                  },
                  [&] { __orqDeleteStream(&made); }, {ORQ_STATUS_NO_MEMORY},
                  [&] { return made == nullptr && same_as_twin(); }});
  for (const Entry& e : rows) {
    const int points = sweep(e);
    printf("%-28s %d failure points\n", e.name.c_str(), points);
    EXPECT_GE(points, 1) << e.name;
  }
  // __orqAddChunk takes one node: on failure the list is unchanged and the block is the
  // caller's to free.
  void* chunk = malloc(8);
  watch(1);
  EXPECT_EQ(__orqAddChunk(source, 9, chunk, 8), ORQ_STATUS_NO_MEMORY);
  unwatch();
  EXPECT_EQ(__orqSearchChunk(source, 9), nullptr);
  EXPECT_EQ(__orqGetNumChunks(source), 2);
  free(chunk);
  __orqDeleteStream(&twin);
  __orqDeleteStream(&source);
}

TEST(AllocationSweep, TasksTransformsAndConvolution) {
  std::vector<Entry> rows;
  const int32_t nx = 300, ny = 600, nz = 899;
  std::vector<double> x(nx, 0.5), y(ny, 0.25), z(nz, -1.0);
  std::vector<float> xf(nx, 0.5f), yf(ny, 0.25f), zf(nz, -1.0f);
  CcTask* task = nullptr;
  CcTask* const sentinel = reinterpret_cast<CcTask*>(&task);
  rows.push_back({"new task", [&] {
                    task = sentinel;
                    return __orqNewTask(&task, 1, 0, 2, 0, 2, 1, &nx, &ny, &nz);
                  },
                  [&] { __orqDeleteTask(&task); }, {ORQ_CC_STATUS_NO_MEMORY}, [&] { return task == sentinel; }});
  CcTask* fft_task = nullptr;
  const int32_t nz_dec = (nz + 1) / 2;
  ASSERT_EQ(__orqNewTask(&fft_task, 2, 0, 2, 0, 2, 1, &nx, &ny, &nz_dec), 0);
  const int32_t dec = 2;
  ASSERT_EQ(__orqEditTask(fft_task, ORQ_CC_EDIT_DECIMATION, &dec), 0);
  rows.push_back({"copy task", [&] {
                    task = sentinel;
                    return __orqCopyTask(&task, fft_task);
                  },
                  [&] { __orqDeleteTask(&task); }, {ORQ_CC_STATUS_NO_MEMORY},
                  [&] { return task == sentinel && __orqccGetStatus(fft_task) == 0; }});
  // Executions on copies, so a failure's sticky status stays with the copy.
  const int32_t shape3[3] = {7, 9, 5}, kshape3[3] = {3, 2, 4}, zshape3[3] = {9, 10, 8};
  std::vector<double> x3(7 * 9 * 5, 1.0), y3(3 * 2 * 4, 2.0), z3(9 * 10 * 8);
  const int32_t z3stride[3] = {-1, 9, 90};
  CcTask* direct3 = nullptr;
  ASSERT_EQ(__orqNewTask(&direct3, 1, 0, 1, 0, 2, 3, shape3, kshape3, zshape3), 0);
  CcTask* run = nullptr;
  for (CcTask* base : {fft_task, direct3}) {
    const bool fft = base == fft_task;
    rows.push_back({fft ? "execute rank-1 FFT correlation" : "execute rank-3 direct convolution",
                    [&, base, fft] {
                      pause_watch();  // the copy is set-up, not the entry under test
                      __orqCopyTask(&run, base);
                      resume_watch();
                      return fft ? __orqExec(run, x.data(), nullptr, y.data(), nullptr, z.data(), nullptr)
                                 : __orqExec(run, x3.data(), nullptr, y3.data(), nullptr, z3.data(), z3stride);
                    },
                    [&] { __orqDeleteTask(&run); }, {ORQ_CC_STATUS_NO_WORK_MEMORY, ORQ_CC_STATUS_FFT_FAILED}, [&] {
                      const bool sticky = __orqccGetStatus(run) < 0;
                      __orqDeleteTask(&run);
                      return sticky;
                    }});
  }
  // FFT descriptors of the small, radix-4 and large-size paths, and transforms that take
  // their own work buffer.
  for (int order : {0, 3, 12, 18}) {
    FftSpecR_64f* spec = nullptr;
    FftSpecR_32f* specf = nullptr;
    rows.push_back({"FFT descriptor 64f order " + std::to_string(order), [&, order] {
                      spec = nullptr;
                      return gaxsFFTInitAlloc_R_64f(&spec, order, GAXS_FFT_DIV_INV_BY_N, 0);
                    },
                    [&] { gaxsFFTFree_R_64f(spec); }, {GAXS_STATUS_MEM_ALLOC_ERR}, [&] { return spec == nullptr; }});
    rows.push_back({"FFT descriptor 32f order " + std::to_string(order), [&, order] {
                      specf = nullptr;
                      return gaxsFFTInitAlloc_R_32f(&specf, order, GAXS_FFT_DIV_INV_BY_N, 0);
                    },
                    [&] { gaxsFFTFree_R_32f(specf); }, {GAXS_STATUS_MEM_ALLOC_ERR}, [&] { return specf == nullptr; }});
  }
  FftSpecR_64f* spec18 = nullptr;
  ASSERT_EQ(gaxsFFTInitAlloc_R_64f(&spec18, 18, GAXS_FFT_DIV_INV_BY_N, 0), 0);
  std::vector<double> big(1 << 18, 1.0), spectrum(1 << 18, -3.0);
  rows.push_back({"FFT 2^18 with its own buffer",
                  [&] { return gaxsFFTFwd_RToPerm_64f(big.data(), spectrum.data(), spec18, nullptr); }, [] {},
                  {GAXS_STATUS_MEM_ALLOC_ERR}, nullptr});
  // The primitive's direct, single-product and overlap-save paths.
  for (int32_t len2 : {8, 600, 20000}) {
    auto out = std::make_shared<std::vector<double>>(nx + len2 - 1);
    auto in2 = std::make_shared<std::vector<double>>(len2, 0.125);
    rows.push_back({"conv 64f " + std::to_string(nx) + " x " + std::to_string(len2),
                    [=, &x] { return gaxsConv_64f(x.data(), nx, in2->data(), len2, out->data()); }, [] {},
                    {GAXS_STATUS_MEM_ALLOC_ERR}, nullptr});
    auto outf = std::make_shared<std::vector<float>>(nx + len2 - 1);
    auto in2f = std::make_shared<std::vector<float>>(len2, 0.125f);
    rows.push_back({"conv 32f " + std::to_string(nx) + " x " + std::to_string(len2),
                    [=, &xf] { return gaxsConv_32f(xf.data(), nx, in2f->data(), len2, outf->data()); }, [] {},
                    {GAXS_STATUS_MEM_ALLOC_ERR}, nullptr});
  }
  // Beyond the sizes the primitive keeps between calls, everything is allocated per call.
  {
    const int32_t n = 600000;
    auto a = std::make_shared<std::vector<double>>(n, 0.5);
    auto out = std::make_shared<std::vector<double>>(2 * n - 1);
    rows.push_back({"conv 64f 600000 x 600000", [=] { return gaxsConv_64f(a->data(), n, a->data(), n, out->data()); },
                    [] {}, {GAXS_STATUS_MEM_ALLOC_ERR}, nullptr});
  }
  for (const Entry& e : rows) {
    const int points = sweep(e);
    printf("%-36s %d failure points\n", e.name.c_str(), points);
  }
  __orqDeleteTask(&fft_task);
  __orqDeleteTask(&direct3);
  gaxsFFTFree_R_64f(spec18);
}

}  // namespace

namespace {

// Distributions that keep a chunk (a carried pair or candidate, or a set-up): the chunk's
// block and its node each fail in turn; the call then draws nothing and attaches nothing.
// The convolution's first call on a size builds what it keeps (the transforms' descriptors and
// the thread's operand block). Each failure point of that cold call, on a size no other row
// uses, must report the failure and leave the output alone; the next call on the size must then
// build everything and give the convolution.
TEST(AllocationSweep, ConvolutionFailsCleanlyWhileBuildingWhatItKeeps) {
  const int32_t sizes[] = {1200, 2400, 4800, 9600};  // transforms of 4096 to 32768 points
  int32_t cold_points = 0;
  for (int k = 0; k < 4; ++k) {
    const int32_t n = sizes[k];
    std::vector<double> x(n, 0.5), y(n, 0.25), out(2 * n - 1, -7.0);
    int32_t status = 0;
    if (k > 0) {  // fail the k-th allocation of a cold call
      watch(k);
      status = gaxsConv_64f(x.data(), n, y.data(), n, out.data());
      unwatch();
      EXPECT_EQ(status, GAXS_STATUS_MEM_ALLOC_ERR) << "size " << n << ", allocation " << k;
      EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](double v) { return v == -7.0; })) << "size " << n;
    } else {
      watch(0);
      status = gaxsConv_64f(x.data(), n, y.data(), n, out.data());
      unwatch();
      cold_points = allocations;
      EXPECT_EQ(status, 0);
    }
    if (status != 0) ASSERT_EQ(gaxsConv_64f(x.data(), n, y.data(), n, out.data()), 0) << "size " << n;
    // out[i] = 0.125 times the number of overlapping terms.
    for (int32_t i : {0, n / 3, n - 1, n, 2 * n - 2}) {
      const double terms = i < n ? i + 1 : 2 * n - 1 - i;
      EXPECT_NEAR(out[i], 0.125 * terms, 1e-12 * n) << "size " << n << ", element " << i;
    }
  }
  EXPECT_GE(cold_points, 3) << "a cold call builds its descriptors and block";
}

TEST(AllocationSweep, DistributionChunks) {
  OrqStream base = nullptr, work = nullptr;
  const uint32_t seed = 9;
  ASSERT_EQ(__orqNewStreamEx(&base, ORQ_BRNG_MCG31, 1, &seed), 0);
  auto untouched = [&] {
    OrqStream a = nullptr, b = nullptr;
    __orqCopyStream(&a, work);
    __orqCopyStream(&b, base);
    uint32_t x[2], y[2];
    _orqiRngUniformBits(0, a, 2, x);
    _orqiRngUniformBits(0, b, 2, y);
    const bool same = x[0] == y[0] && x[1] == y[1] && __orqGetNumChunks(work) == 0;
    __orqDeleteStream(&a);
    __orqDeleteStream(&b);
    return same;
  };
  std::vector<Entry> rows;
  auto row = [&](const char* name, std::function<int32_t(OrqStream)> draw) {
    rows.push_back({name, [&, draw] {
                      pause_watch();
                      __orqCopyStream(&work, base);
                      resume_watch();
                      return draw(work);
                    },
                    [&] { __orqDeleteStream(&work); }, {ORQ_STATUS_NO_MEMORY}, [&] {
                      const bool ok = untouched();
                      __orqDeleteStream(&work);
                      return ok;
                    }});
  };
  double d[5];
  float f[5];
  int32_t k[5];
  row("gaussian pair d", [&](OrqStream s) { return _orqdRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, s, 3, d, 0.0, 1.0); });
  row("gaussian pair s", [&](OrqStream s) { return _orqsRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, s, 3, f, 0.0f, 1.0f); });
  row("gamma d", [&](OrqStream s) { return _orqdRngGamma(0, s, 5, d, 3.0, 0.0, 1.0); });
  row("gamma s", [&](OrqStream s) { return _orqsRngGamma(0, s, 5, f, 3.0f, 0.0f, 1.0f); });
  row("binomial", [&](OrqStream s) { return _orqiRngBinomial(0, s, 5, k, 100, 0.4); });
  row("negbinomial", [&](OrqStream s) { return _orqiRngNegbinomial(0, s, 5, k, 2.0, 0.4); });
  row("hypergeometric", [&](OrqStream s) { return _orqiRngHypergeometric(0, s, 5, k, 100, 10, 20); });
  row("poisson", [&](OrqStream s) { return _orqiRngPoisson(0, s, 5, k, 40.0); });
  for (const Entry& e : rows) EXPECT_EQ(sweep(e), 2) << e.name << ": the chunk's block and its node";
  __orqDeleteStream(&base);
}

// From d = 1024 the multivariate Gaussian allocates its work vector: when that fails the
// standard normals stay in r, and on success the vector is freed before the call returns.
TEST(AllocationSweep, MultivariateWorkVector) {
  const int32_t dim = 1024;
  OrqStream s = nullptr, t = nullptr;
  const uint32_t seed = 3;
  ASSERT_EQ(__orqNewStreamEx(&s, ORQ_BRNG_MCG31, 1, &seed), 0);
  ASSERT_EQ(__orqNewStreamEx(&t, ORQ_BRNG_MCG31, 1, &seed), 0);
  std::vector<double> r(dim), z(dim), mean(dim, 1.0), factor(static_cast<size_t>(dim) * dim, 0.5);
  watch(1);
  EXPECT_EQ(_orqdRngGaussianMV(0, s, 1, r.data(), dim, ORQ_MV_STORAGE_FULL, mean.data(), factor.data()),
            ORQ_STATUS_NO_MEMORY);
  unwatch();
  EXPECT_EQ(allocations, 1);
  ASSERT_EQ(_orqdRngGaussian(0, t, dim, z.data(), 0.0, 1.0), 0);
  EXPECT_EQ(r, z);
  watch(0);
  EXPECT_EQ(_orqdRngGaussianMV(0, s, 1, r.data(), dim, ORQ_MV_STORAGE_PACKED, mean.data(), factor.data()), 0);
  unwatch();
  EXPECT_EQ(allocations, 1);
  EXPECT_TRUE(live->empty()) << "the work vector is freed at the end of the call";
  __orqDeleteStream(&s);
  __orqDeleteStream(&t);
}

}  // namespace
