// Direct convolution and correlation beside their peers in one run: the library on its
// automatic processor path and pinned to SSE2, and the plain loops of plain_peer.cpp (numpy
// and scipy are timed by numpy_peer.py on the same cases, interleaved in rounds by bench/conv/run).
// Benchmarks are named "case|contender". Every buffer is allocated and written before timing;
// the small cases rotate over several input and output sets so that neither the caches nor
// the branch predictors see the same data twice in a row. Before timing, each contender's
// result is compared with the library's, and a contender that disagrees is reported as failed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "plain_peer.h"
#include "zaforq.h"

namespace {

enum Kind { CORR1D, CONV1D, CORR2D, GAXS };

struct Case {
  const char* name;
  Kind kind;
  int nx[2], ny[2];
  int sets;
};

const Case kCases[] = {
    {"corr1d 64x100000", CORR1D, {64, 1}, {100000, 1}, 1},
    {"conv1d 64x100000", CONV1D, {64, 1}, {100000, 1}, 1},
    {"corr1d 16x1000", CORR1D, {16, 1}, {1000, 1}, 16},
    {"corr2d 5x5 1000x1000", CORR2D, {5, 5}, {1000, 1000}, 1},
    {"corr2d 3x3 64x64", CORR2D, {3, 3}, {64, 64}, 16},
    {"gaxsConv 100000x63", GAXS, {63, 1}, {100000, 1}, 1},
    {"gaxsConv 1000x40", GAXS, {40, 1}, {1000, 1}, 16},
};

enum Who { ZAFORQ, SSE2, PLAIN };
const char* const kWho[] = {"zaforq", "zaforq_sse2", "plain_c++"};

template <class T>
struct Data {
  std::vector<std::vector<T>> x, y, z;
};

template <class T>
Data<T> make(const Case& c, int nz) {
  std::mt19937 g(7);
  std::uniform_real_distribution<double> u(-1, 1);
  Data<T> d;
  for (int s = 0; s < c.sets; ++s) {
    d.x.emplace_back(size_t(c.nx[0]) * c.nx[1]);
    d.y.emplace_back(size_t(c.ny[0]) * c.ny[1]);
    d.z.emplace_back(size_t(nz), T(0));  // written now: no first-touch faults while timing
    for (auto& v : d.x.back()) v = T(u(g));
    for (auto& v : d.y.back()) v = T(u(g));
  }
  return d;
}

template <class T>
void run_case(benchmark::State& state, const Case& c, Who who) {
  const bool f32 = sizeof(T) == 4;
  const int rank = c.kind == CORR2D ? 2 : 1;
  int32_t nx[2] = {c.nx[0], c.nx[1]}, ny[2] = {c.ny[0], c.ny[1]}, nz[2] = {1, 1}, start[2] = {0, 0};
  for (int d = 0; d < rank; ++d) {
    nz[d] = nx[d] + ny[d] - 1;
    start[d] = c.kind == CONV1D ? 0 : 1 - nx[d];
  }
  const int total = nz[0] * nz[1];
  Data<T> data = make<T>(c, total);
  CcTask* task = nullptr;
  if (c.kind != GAXS) {
    const int32_t kind = c.kind == CONV1D ? ORQ_CC_KIND_CONV : ORQ_CC_KIND_CORR;
    __orqNewTask(&task, kind, 0, ORQ_CC_METHOD_DIRECT, 0, f32 ? 1 : 2, rank, nx, ny, nz);
    __orqEditTask(task, ORQ_CC_EDIT_START, start);
  }
  auto library = [&](int s) {
    auto& d = data;
    if (c.kind == GAXS) {
      if constexpr (sizeof(T) == 4)
        return gaxsConv_32f(d.y[s].data(), ny[0], d.x[s].data(), nx[0], d.z[s].data());
      else
        return gaxsConv_64f(d.y[s].data(), ny[0], d.x[s].data(), nx[0], d.z[s].data());
    }
    return __orqExec(task, d.x[s].data(), nullptr, d.y[s].data(), nullptr, d.z[s].data(), nullptr);
  };
  auto hand = [&](int s) {
    auto& d = data;
    if (c.kind == CORR1D) plain::corr1d(d.x[s].data(), nx[0], d.y[s].data(), ny[0], d.z[s].data(), nz[0], start[0]);
    if (c.kind == CONV1D || c.kind == GAXS) plain::conv1d(d.x[s].data(), nx[0], d.y[s].data(), ny[0], d.z[s].data());
    if (c.kind == CORR2D) plain::corr2d(d.x[s].data(), nx, d.y[s].data(), ny, d.z[s].data(), nz, start);
    return 0;
  };
  // Agreement with the library on its automatic path, before any timing.
  zaforqSetCpuPath(ZAFORQ_PATH_AUTO);
  library(0);
  const std::vector<T> want = data.z[0];
  if (who == SSE2 && zaforqSetCpuPath(ZAFORQ_PATH_SSE2) != 0) state.SkipWithError("no SSE2 path");
  if (who == PLAIN) hand(0); else library(0);
  double err = 0, scale = 1;
  for (size_t i = 0; i < want.size(); ++i) {
    err = std::max(err, std::fabs(double(data.z[0][i]) - double(want[i])));
    scale = std::max(scale, std::fabs(double(want[i])));
  }
  if (err > scale * (f32 ? 1e-4 : 1e-12)) state.SkipWithError("result differs from the library's");
  int s = 0;
  for (auto _ : state) {
    const int r = who == PLAIN ? hand(s) : library(s);
    benchmark::DoNotOptimize(r);
    benchmark::ClobberMemory();
    if (++s == c.sets) s = 0;
  }
  zaforqSetCpuPath(ZAFORQ_PATH_AUTO);
  if (task) __orqDeleteTask(&task);
}

const bool kRegistered = [] {
  for (const Case& c : kCases)
    for (int f = 0; f < 2; ++f)
      for (int w = ZAFORQ; w <= PLAIN; ++w) {
        const std::string name = std::string(c.name) + (f == 0 ? " f32|" : " f64|") + kWho[w];
        auto* b = f == 0 ? benchmark::RegisterBenchmark(name.c_str(), [&c, w](benchmark::State& st) {
          run_case<float>(st, c, Who(w));
        })
                         : benchmark::RegisterBenchmark(name.c_str(), [&c, w](benchmark::State& st) {
                             run_case<double>(st, c, Who(w));
                           });
        b->Unit(benchmark::kMicrosecond);
      }
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
