// zaforq demo: each section shows one part of the library working through its public API.
#include <algorithm>
#include <cerrno>
#include <cfenv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "commands.h"
#include "zaforq.h"

namespace {

int32_t demo_callback(zafErrorRecord* rec) {
  std::printf("  callback: code %d, index %d, in %s (name length %d), a=%g r=%g\n", rec->code,
              rec->index, rec->funcName, rec->funcNameLen, rec->arg1, rec->res1);
  std::printf("  callback replaces the result with 5 and returns 0, so the standard actions run\n");
  rec->res1 = 5.0;
  return 0;
}

void demo_errors() {
  std::printf("== Mode word and error path ==\n");
  std::printf("library built for processor level %d\n", dll_cpu_version());
  std::printf("fresh thread mode word: 0x%08X\n", _zafGetMode());
  const uint32_t before = _zafSetMode(ZAF_MODE_ERRMODE_ERRNO | ZAF_MODE_ERRMODE_STDERR |
                                      ZAF_MODE_ERRMODE_EXCEPT | ZAF_MODE_ERRMODE_CALLBACK);
  std::printf("_zafSetMode(0x1E00) returned 0x%08X; mode now 0x%08X\n", before, _zafGetMode());
  _zafSetErrorCallBack(demo_callback);

  // Report an element the way a kernel does after writing its result: here a domain error
  // on element 1 of a two-element array, whose result the kernel set to NaN.
  double a[2] = {4.0, -1.0};
  double r[2] = {2.0, -__builtin_nan("")};
  errno = 0;
  std::feclearexcept(FE_ALL_EXCEPT);
  _zafClearErrStatus();
  std::printf("reporting ERRDOM for element 1 of \"_zafdSqrt_HA\"; standard error shows:\n");
  std::fflush(stdout);
  _zafdError(ZAF_STATUS_ERRDOM, 1, a, a, r, r, "_zafdSqrt_HA");
  std::fflush(stderr);
  std::printf("  errno %d (%s), invalid flag %s, thread status %d, r[1] now %g\n", errno,
              std::strerror(errno), std::fetestexcept(FE_INVALID) ? "raised" : "clear",
              _zafGetErrStatus(), r[1]);

  _zafSetMode(ZAF_MODE_ERRMODE_IGNORE);
  _zafClearErrStatus();
  _zafdError(ZAF_STATUS_OVERFLOW, 0, a, a, r, r, "_zafdExp_HA");
  std::printf("with the ignore action 0x0100 an overflow only records status %d\n", _zafGetErrStatus());
  _zafClearErrorCallBack();
  _zafSetMode(ZAF_MODE_DEFAULT);
  _zafClearErrStatus();
}

const RegisterDemo errors_section({10, "errors", "the mode word and the error path of the vector-math kernels",
                                    demo_errors});

// ---- distributions --------------------------------------------------------------------------

void demo_distributions() {
  std::printf("== Distributions ==\n");
  OrqStream s = nullptr;
  const uint32_t seed = 777;
  __orqNewStreamEx(&s, ORQ_BRNG_MT19937, 1, &seed);
  double g[3], c;
  _orqdRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, s, 3, g, 0.0, 1.0);
  std::printf("Gaussian, Box-Muller keeping pairs, n = 3: %.6f %.6f %.6f\n", g[0], g[1], g[2]);
  _orqdRngGaussian(ORQ_GAUSSIAN_BOXMULLER2, s, 1, &c, 0.0, 1.0);
  std::printf("  the stream kept the last pair (%d chunk); the next call returns its cosine: %.6f\n",
              __orqGetNumChunks(s), c);
  std::printf("  method 5 is refused with status %d\n", _orqdRngGaussian(5, s, 1, &c, 0.0, 1.0));

  // sample moments of a million variates against the distribution's own
  const int32_t n = 1000000;
  double* x = static_cast<double*>(std::malloc(sizeof(double) * n));
  struct Row {
    const char* what;
    double mean, var;
    int32_t (*draw)(OrqStream, int32_t, double*);
  } rows[] = {
      {"Exponential(a=1, beta=2)", 3.0, 4.0, [](OrqStream t, int32_t k, double* r) { return _orqdRngExponential(0, t, k, r, 1.0, 2.0); }},
      {"Laplace(a=0, beta=1)", 0.0, 2.0, [](OrqStream t, int32_t k, double* r) { return _orqdRngLaplace(0, t, k, r, 0.0, 1.0); }},
      {"Weibull(alpha=2, a=0, beta=1)", 0.886227, 0.214602, [](OrqStream t, int32_t k, double* r) { return _orqdRngWeibull(0, t, k, r, 2.0, 0.0, 1.0); }},
      {"Rayleigh(a=0, beta=1)", 0.886227, 0.214602, [](OrqStream t, int32_t k, double* r) { return _orqdRngRayleigh(0, t, k, r, 0.0, 1.0); }},
      {"Gumbel(a=0, beta=1)", -0.577216, 1.644934, [](OrqStream t, int32_t k, double* r) { return _orqdRngGumbel(0, t, k, r, 0.0, 1.0); }},
      {"Lognormal(a=0, sigma=0.5, b=0, beta=1)", 1.133148, 0.364696, [](OrqStream t, int32_t k, double* r) { return _orqdRngLognormal(0, t, k, r, 0.0, 0.5, 0.0, 1.0); }},
  };
  std::printf("%-40s %10s %10s %10s %10s\n", "10^6 variates of", "mean", "expected", "variance", "expected");
  for (const Row& row : rows) {
    row.draw(s, n, x);
    double m = 0, v = 0;
    for (int32_t i = 0; i < n; ++i) m += x[i];
    m /= n;
    for (int32_t i = 0; i < n; ++i) v += (x[i] - m) * (x[i] - m);
    std::printf("%-40s %10.5f %10.5f %10.5f %10.5f\n", row.what, m, row.mean, v / (n - 1), row.var);
  }
  _orqdRngCauchy(0, s, n, x, 0.0, 1.0);
  int32_t inside = 0;
  for (int32_t i = 0; i < n; ++i) inside += x[i] > -1.0 && x[i] < 1.0;
  std::printf("Cauchy(0, 1): %.4f of the variates lie in (-1, 1); expected 0.5 (no mean to compare)\n",
              inside / static_cast<double>(n));

  int32_t* k = static_cast<int32_t*>(std::malloc(sizeof(int32_t) * n));
  _orqiRngGeometric(0, s, n, k, 0.25);
  double gm = 0;
  for (int32_t i = 0; i < n; ++i) gm += k[i];
  _orqiRngBernoulli(0, s, n, k, 0.1);
  int32_t ones = 0;
  for (int32_t i = 0; i < n; ++i) ones += k[i];
  int32_t dice[6];
  _orqiRngUniform(0, s, 6, dice, 1, 7);
  std::printf("Geometric(p=0.25) mean %.4f (expected 3); Bernoulli(p=0.1) %.4f ones; six dice: %d %d %d %d %d %d\n",
              gm / n, ones / static_cast<double>(n), dice[0], dice[1], dice[2], dice[3], dice[4], dice[5]);

  // two correlated components: covariance T T^T = [[4, 2], [2, 2]] from the factor [[2, 0], [1, 1]]
  const double mean[2] = {1.0, -1.0}, packed[3] = {2.0, 1.0, 1.0};
  _orqdRngGaussianMV(ORQ_GAUSSIAN_BOXMULLER2, s, n / 2, x, 2, ORQ_MV_STORAGE_PACKED, mean, packed);
  double m0 = 0, m1 = 0, c00 = 0, c01 = 0, c11 = 0;
  for (int32_t i = 0; i < n / 2; ++i) m0 += x[2 * i], m1 += x[2 * i + 1];
  m0 /= n / 2, m1 /= n / 2;
  for (int32_t i = 0; i < n / 2; ++i) {
    const double u = x[2 * i] - m0, v = x[2 * i + 1] - m1;
    c00 += u * u, c01 += u * v, c11 += v * v;
  }
  std::printf("Gaussian vectors, mean (1, -1), factor [[2, 0], [1, 1]]: mean (%.3f, %.3f), covariance "
              "[[%.3f, %.3f], [%.3f, %.3f]] (expected [[4, 2], [2, 2]])\n",
              m0, m1, c00 / (n / 2 - 1), c01 / (n / 2 - 1), c01 / (n / 2 - 1), c11 / (n / 2 - 1));
  std::printf("histograms: zaforq rng --dist NAME [parameters] -n 100000 --hist (zaforq rng --help lists them)\n");
  std::free(x);
  std::free(k);
  __orqDeleteStream(&s);
}

const RegisterDemo distributions_section({45, "distributions", "continuous, multivariate and discrete distributions",
                                          demo_distributions});

}  // namespace

int cmd_demo(int argc, char** argv) {
  std::vector<DemoSection> sections = demo_table();
  std::sort(sections.begin(), sections.end(),
            [](const DemoSection& a, const DemoSection& b) { return a.order < b.order; });
  const char* only = argc > 1 ? argv[1] : nullptr;
  bool ran = false;
  for (const DemoSection& s : sections) {
    if (only && std::strcmp(only, s.name) != 0) continue;
    s.run();
    std::printf("\n");
    ran = true;
  }
  if (!ran) {
    std::fprintf(stderr, "zaforq demo: no section '%s'\n", only);
    return 2;
  }
  return 0;
}

namespace {

const RegisterCommand demo_command({"demo", "show the library at work, section by section",
                                    "usage: zaforq demo [section]\n\n"
                                    "Runs every section in turn, or only the one named\n"
                                    "(errors, and one per area of the library).\n",
                                    cmd_demo});

}  // namespace
