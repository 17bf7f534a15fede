// Threads: each thread's mode word, error status and callback are its own, and streams, tasks
// and FFT descriptors used by one thread each give the same results as on one thread.
// The thread-sanitizer build runs this binary too, where any shared write is reported.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "zaforq.h"

namespace {

constexpr int kThreads = 8;

// One callback per thread, by template, so a callback that leaked to another thread would
// count in the wrong slot.
struct Seen {
  int reports = 0;
  int last_code = 0;
  int last_index = -1;
  bool foreign_name = false;
};
Seen seen[kThreads];

template <int T>
int32_t on_error(zafErrorRecord* rec) {
  ++seen[T].reports;
  seen[T].last_code = rec->code;
  seen[T].last_index = rec->index;
  if (std::strcmp(rec->funcName, T % 2 ? "_zafdLn_HA" : "_zafdSqrt_HA") != 0) seen[T].foreign_name = true;
  return 1;  // keep the result, no errno or exception
}

template <int... T>
constexpr zafErrorCallBack callbacks[] = {on_error<T>...};
constexpr const zafErrorCallBack* kCallbacks = callbacks<0, 1, 2, 3, 4, 5, 6, 7>;

// Threads start together so that their calls overlap.
void run_together(const std::function<void(int)>& body) {
  std::atomic<int> ready{0};
  std::vector<std::thread> pool;
  for (int t = 0; t < kThreads; ++t)
    pool.emplace_back([&, t] {
      ready.fetch_add(1);
      while (ready.load() < kThreads) std::this_thread::yield();
      body(t);
    });
  for (auto& th : pool) th.join();
}

TEST(Threads, ModeStatusAndCallbackArePerThread) {
  std::atomic<int> failures{0};
  run_together([&](int t) {
    // Odd threads take the logarithm of 0 (singularity), even ones the square root of -1
    // (domain error), each at its own element, with its own mode word.
    const uint32_t mode = ZAF_MODE_ERRMODE_CALLBACK | static_cast<uint32_t>(1 + t % 3);
    _zafSetMode(mode);
    _zafSetErrorCallBack(kCallbacks[t]);
    const int32_t expected = t % 2 ? ZAF_STATUS_SING : ZAF_STATUS_ERRDOM;
    double a[16], r[16];
    for (int iter = 0; iter < 300; ++iter) {
      for (double& v : a) v = 2.0;
      const int at = (t + iter) % 16;
      a[at] = t % 2 ? 0.0 : -1.0;
      _zafClearErrStatus();
      if (t % 2)
        _zafdLn_HA(16, a, r);
      else
        _zafdSqrt_HA(16, a, r);
      if (_zafGetErrStatus() != expected || seen[t].reports != iter + 1 || seen[t].last_code != expected ||
          seen[t].last_index != at || _zafGetMode() != mode || _zafGetErrorCallBack() != kCallbacks[t])
        failures.fetch_add(1);
    }
  });
  EXPECT_EQ(failures.load(), 0);
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(seen[t].reports, 300) << t;
    EXPECT_FALSE(seen[t].foreign_name) << t;
  }
  // This thread never reported anything and keeps the fresh thread's settings.
  EXPECT_EQ(_zafGetErrStatus(), ZAF_STATUS_OK);
  EXPECT_EQ(_zafGetMode(), ZAF_MODE_DEFAULT);
  EXPECT_EQ(_zafGetErrorCallBack(), nullptr);
}

// Every built-in pseudo- and quasi-random generator that creates from one seed word.
std::vector<int32_t> generators() {
  std::vector<int32_t> ids;
  for (int32_t id : {ORQ_BRNG_MCG31, ORQ_BRNG_R250, ORQ_BRNG_MRG32K3A, ORQ_BRNG_MCG59, ORQ_BRNG_WH, ORQ_BRNG_SOBOL,
                     ORQ_BRNG_NIEDERR, ORQ_BRNG_MT19937, ORQ_BRNG_MT2203}) {
    OrqStream s = nullptr;
    const uint32_t seed = 3;
    if (__orqNewStreamEx(&s, id, 1, &seed) == ORQ_STATUS_OK) ids.push_back(id);
    if (s) __orqDeleteStream(&s);
  }
  return ids;
}

// One thread's worth of work across the random, convolution and FFT components; the result
// is every number it produced. `shared` is one FFT descriptor that every thread reads.
std::vector<double> workload(int t, const std::vector<int32_t>& ids, const FftSpecR_64f* shared) {
  std::vector<double> out;
  for (int32_t id : ids) {
    OrqStream s = nullptr, c = nullptr;
    const uint32_t seed = 1000u + static_cast<uint32_t>(t);
    const int32_t gid = id == ORQ_BRNG_MT2203 || id == ORQ_BRNG_WH ? id + t : id;
    if (__orqNewStreamEx(&s, gid, 1, &seed) != ORQ_STATUS_OK) return {};
    std::vector<double> u(3000);
    for (int k = 0; k < 3; ++k) _orqdRngUniform(0, s, 1000, u.data() + 1000 * k, -1.0, 1.0);
    __orqCopyStream(&c, s);
    __orqSkipAheadStream(c, 17);
    std::vector<double> v(100);
    _orqdRngUniform(0, c, 100, v.data(), 0.0, 1.0);
    __orqDeleteStream(&c);
    __orqDeleteStream(&s);
    out.insert(out.end(), u.begin(), u.end());
    out.insert(out.end(), v.begin(), v.end());
  }
  // A correlation task per method, and a real FFT with its own descriptor.
  std::vector<double> x(512), y(40), z(539);  // the first 500 of x are the correlation's operand
  for (int i = 0; i < 512; ++i) x[i] = std::sin(0.01 * i * (t + 1));
  for (int i = 0; i < 40; ++i) y[i] = 1.0 / (i + 1 + t);
  for (int method : {1, 2}) {
    CcTask* task = nullptr;
    const int32_t nx = 500, ny = 40, nz = 539;
    if (__orqNewTask(&task, 2, 0, method, 0, 2, 1, &nx, &ny, &nz) != 0) return {};
    if (__orqExec(task, x.data(), nullptr, y.data(), nullptr, z.data(), nullptr) != 0) return {};
    __orqDeleteTask(&task);
    out.insert(out.end(), z.begin(), z.end());
  }
  FftSpecR_64f* spec = nullptr;
  if (gaxsFFTInitAlloc_R_64f(&spec, 9, 2, 0) != 0) return {};
  int32_t bytes = 0;
  gaxsFFTGetBufSize_R_64f(spec, &bytes);
  uint8_t* buffer = gaxsMalloc_8u(bytes > 0 ? bytes : 1);
  std::vector<double> f(512);
  const int32_t fft_status = gaxsFFTFwd_RToPerm_64f(x.data(), f.data(), spec, buffer);
  gaxsFree(buffer);
  gaxsFFTFree_R_64f(spec);
  if (fft_status != 0) return {};
  out.insert(out.end(), f.begin(), f.end());
  if (gaxsFFTFwd_RToPerm_64f(x.data(), f.data(), shared, nullptr) != 0) return {};
  out.insert(out.end(), f.begin(), f.end());
  return out;
}

TEST(Threads, StreamsTasksAndTransformsMatchOneThread) {
  const std::vector<int32_t> ids = generators();
  ASSERT_GE(ids.size(), 5u);
  FftSpecR_64f* shared = nullptr;
  ASSERT_EQ(gaxsFFTInitAlloc_R_64f(&shared, 9, GAXS_FFT_DIV_INV_BY_N, 0), 0);
  std::vector<std::vector<double>> alone(kThreads), together(kThreads);
  for (int t = 0; t < kThreads; ++t) alone[t] = workload(t, ids, shared);
  run_together([&](int t) { together[t] = workload(t, ids, shared); });
  gaxsFFTFree_R_64f(shared);
  for (int t = 0; t < kThreads; ++t) {
    ASSERT_FALSE(alone[t].empty()) << t;
    ASSERT_EQ(together[t].size(), alone[t].size()) << t;
    size_t first = 0;
    while (first < alone[t].size() && std::memcmp(&together[t][first], &alone[t][first], sizeof(double)) == 0) ++first;
    EXPECT_EQ(first, alone[t].size()) << "thread " << t << " differs first at " << first << " of "
                                      << alone[t].size() << ": " << together[t][first] << " vs " << alone[t][first];
  }
}

TEST(Threads, ThreadsEndingWithTheirOwnStateLeaveNothing) {
  // Each short-lived thread creates its per-thread blocks; the key destructors free them
  // (the leak checker of the sanitizer build holds us to it).
  for (int round = 0; round < 4; ++round)
    run_together([](int t) {
      _zafSetMode(ZAF_MODE_ERRMODE_CALLBACK | 1u);
      _zafSetErrorCallBack(kCallbacks[t]);
      _zafSetErrStatus(ZAF_STATUS_OVERFLOW);
      EXPECT_EQ(_zafGetErrStatus(), ZAF_STATUS_OVERFLOW);
    });
  EXPECT_EQ(_zafGetErrStatus(), ZAF_STATUS_OK);
}

}  // namespace
