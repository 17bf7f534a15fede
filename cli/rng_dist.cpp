// zaforq rng --dist NAME: the library's distributions from the command's stream, printed as
// numbers or as a histogram beside the counts the distribution predicts.
#include "rng_dist.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace {

enum class Kind { kReal, kInt, kVector };

struct Params {
  double mean = 0, sigma = 1, shift = 0, scale = 1, shape = 1, low = 0, high = 1, p = 0.5;
  bool high_given = false;
  int32_t method = 0;
  std::vector<double> mv_mean, mv_factor;
  int32_t storage = ORQ_MV_STORAGE_FULL;
  long long component = 0;
  // gamma, beta and the parameter-driven discrete distributions
  double alpha = 1, beta = 1, ntrial = 10, a = 1, lot = 20, sample = 5, marked = 10, lambda = 1;
  bool hist = false;
  int bins = 20;
};

struct Dist {
  const char* name;
  Kind kind;
  const char* options;  // the parameter options it takes, space-separated
};
const Dist kDists[] = {
    {"gaussian", Kind::kReal, "--mean --sigma --method"},
    {"lognormal", Kind::kReal, "--mean --sigma --shift --scale"},
    {"exponential", Kind::kReal, "--shift --scale"},
    {"laplace", Kind::kReal, "--mean --scale"},
    {"weibull", Kind::kReal, "--shape --shift --scale"},
    {"cauchy", Kind::kReal, "--shift --scale"},
    {"rayleigh", Kind::kReal, "--shift --scale"},
    {"gumbel", Kind::kReal, "--shift --scale"},
    {"uniform", Kind::kReal, "--low --high"},
    {"gaussian-mv", Kind::kVector, "--mean --factor --storage --method --component"},
    {"uniform-int", Kind::kInt, "--low --high"},
    {"bernoulli", Kind::kInt, "--p"},
    {"geometric", Kind::kInt, "--p"},
    {"gamma", Kind::kReal, "--shape --shift --scale"},
    {"beta", Kind::kReal, "--alpha --beta --shift --scale"},
    {"binomial", Kind::kInt, "--ntrial --p"},
    {"negbinomial", Kind::kInt, "--a --p"},
    {"hypergeometric", Kind::kInt, "--lot --sample --marked"},
    {"poisson", Kind::kInt, "--lambda --method"},
};

const Dist* chosen = nullptr;
Params P;
std::vector<std::string> given;  // parameter options seen, checked against the distribution

bool number(const char* text, double* out) {
  char* end;
  errno = 0;
  *out = std::strtod(text, &end);
  return *text && !*end && errno != ERANGE && std::isfinite(*out);
}

bool number_list(const char* text, std::vector<double>* out) {
  out->clear();
  std::string s(text);
  size_t at = 0;
  while (at <= s.size()) {
    size_t comma = s.find(',', at);
    if (comma == std::string::npos) comma = s.size();
    double v;
    if (!number(s.substr(at, comma - at).c_str(), &v)) return false;
    out->push_back(v);
    at = comma + 1;
  }
  return !out->empty();
}

int bad(const char* what) {
  std::fprintf(stderr, "zaforq rng: %s\n", what);
  return -1;
}

// ---- distribution functions of the histogram ------------------------------------------------

double phi(double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); }

// Regularised lower incomplete gamma P(s, x): series below s + 1, continued fraction above.
double gamma_p(double s, double x) {
  if (x <= 0) return 0;
  const double lead = s * std::log(x) - x - std::lgamma(s);
  if (x < s + 1) {
    double term = 1 / s, sum = term;
    for (int k = 1; k < 100000 && std::fabs(term) > 1e-16 * sum; ++k) sum += term *= x / (s + k);
    return std::exp(lead) * sum;
  }
  double b = x + 1 - s, c = 1e300, d = 1 / b, h = d;  // modified Lentz
  for (int k = 1; k < 100000; ++k) {
    const double an = -k * (k - s);
    b += 2;
    d = an * d + b;
    d = std::fabs(d) < 1e-300 ? 1e300 : 1 / d;
    c = b + an / c;
    if (std::fabs(c) < 1e-300) c = 1e-300;
    const double del = d * c;
    h *= del;
    if (std::fabs(del - 1) < 1e-16) break;
  }
  return 1 - std::exp(lead) * h;
}

// Regularised incomplete beta I_x(p, q) by its continued fraction (Lentz), on the side where it
// converges fast.
double beta_cf(double p, double q, double x) {
  double c = 1, d = 1 - (p + q) * x / (p + 1);
  d = std::fabs(d) < 1e-300 ? 1e300 : 1 / d;
  double h = d;
  for (int m = 1; m < 100000; ++m) {
    for (int half = 0; half < 2; ++half) {
      const double an = half == 0 ? m * (q - m) * x / ((p + 2 * m - 1) * (p + 2 * m))
                                  : -(p + m) * (p + q + m) * x / ((p + 2 * m) * (p + 2 * m + 1));
      d = 1 + an * d;
      d = std::fabs(d) < 1e-300 ? 1e300 : 1 / d;
      c = 1 + an / c;
      if (std::fabs(c) < 1e-300) c = 1e-300;
      h *= d * c;
      if (half == 1 && std::fabs(d * c - 1) < 1e-16) return h;
    }
  }
  return h;
}
double beta_i(double p, double q, double x) {
  if (x <= 0) return 0;
  if (x >= 1) return 1;
  const double lead =
      std::lgamma(p + q) - std::lgamma(p) - std::lgamma(q) + p * std::log(x) + q * std::log1p(-x);
  if (x < (p + 1) / (p + q + 2)) return std::exp(lead) * beta_cf(p, q, x) / p;
  return 1 - std::exp(lead) * beta_cf(q, p, 1 - x) / q;
}

// ln P(X = k) of the parameter-driven discrete distributions, and the lowest value they take.
double log_pmf(const std::string& n, double k) {
  if (n == "binomial") {
    if (k < 0 || k > P.ntrial) return -INFINITY;
    if (P.p == 0 || P.p == 1) return k == (P.p == 1 ? P.ntrial : 0) ? 0 : -INFINITY;
    return std::lgamma(P.ntrial + 1) - std::lgamma(k + 1) - std::lgamma(P.ntrial - k + 1) + k * std::log(P.p) +
           (P.ntrial - k) * std::log1p(-P.p);
  }
  if (n == "negbinomial")
    return k < 0 ? -INFINITY
                 : std::lgamma(P.a + k) - std::lgamma(P.a) - std::lgamma(k + 1) + P.a * std::log(P.p) +
                       k * std::log1p(-P.p);
  if (n == "hypergeometric") {
    const double l = P.lot, m = P.marked, s = P.sample;
    if (k < std::max(0.0, s - (l - m)) || k > std::min(m, s)) return -INFINITY;
    auto lc = [](double a, double b) { return std::lgamma(a + 1) - std::lgamma(b + 1) - std::lgamma(a - b + 1); };
    return lc(m, k) + lc(l - m, s - k) - lc(l, s);
  }
  return k < 0 ? -INFINITY : k * std::log(P.lambda) - P.lambda - std::lgamma(k + 1);  // poisson
}

// P(X <= k) summed from the bottom of the support; the histogram asks for increasing k, so the
// running sum is kept between calls.
double cdf_by_sum(const std::string& n, double k) {
  static double at = -1, sum = 0;
  if (k < at) at = -1, sum = 0;
  const double top = std::min(k, 1e9);
  for (; at < top; ) {
    at += 1;
    sum += std::exp(log_pmf(n, at));
  }
  return std::min(sum, 1.0);
}

// P(X <= x) of the chosen real distribution, or of the shown component of gaussian-mv
double cdf(double x) {
  const std::string n = chosen->name;
  const double a = P.shift, b = P.scale;
  if (n == "gaussian") return phi((x - P.mean) / P.sigma);
  if (n == "lognormal") return x <= a ? 0 : phi((std::log((x - a) / b) - P.mean) / P.sigma);
  if (n == "exponential") return x <= a ? 0 : -std::expm1(-(x - a) / b);
  if (n == "laplace") return x < P.mean ? 0.5 * std::exp((x - P.mean) / b) : 1 - 0.5 * std::exp(-(x - P.mean) / b);
  if (n == "weibull") return x <= a ? 0 : -std::expm1(-std::pow((x - a) / b, P.shape));
  if (n == "cauchy") return 0.5 + std::atan((x - a) / b) / M_PI;
  if (n == "rayleigh") return x <= a ? 0 : -std::expm1(-((x - a) / b) * ((x - a) / b));
  if (n == "gumbel") return -std::expm1(-std::exp((x - a) / b));
  if (n == "uniform") return x <= P.low ? 0 : x >= P.high ? 1 : (x - P.low) / (P.high - P.low);
  if (n == "gamma") return x <= a ? 0 : gamma_p(P.shape, (x - a) / b);
  if (n == "beta") return x <= a ? 0 : x >= a + b ? 1 : beta_i(P.alpha, P.beta, (x - a) / b);
  // gaussian-mv: component k is normal with mean a_k and variance sum_j T_kj^2
  const size_t d = P.mv_mean.size(), k = static_cast<size_t>(P.component);
  double var = 0;
  for (size_t j = 0; j <= k; ++j) {
    double t = P.storage == ORQ_MV_STORAGE_FULL     ? P.mv_factor[k * d + j]
               : P.storage == ORQ_MV_STORAGE_PACKED ? P.mv_factor[j * d - j * (j - 1) / 2 + (k - j)]
               : (j == k ? P.mv_factor[k] : 0.0);
    var += t * t;
  }
  return phi((x - P.mv_mean[k]) / std::sqrt(var));
}

// P(X <= k) of the chosen integer distribution
double cdf_int(double k) {
  const std::string n = chosen->name;
  k = std::floor(k);
  if (n == "uniform-int") return std::min(1.0, std::max(0.0, (k - P.low + 1) / (P.high - P.low)));
  if (n == "bernoulli") return k < 0 ? 0 : k < 1 ? 1 - P.p : 1;
  if (n == "binomial" || n == "negbinomial" || n == "hypergeometric" || n == "poisson") return cdf_by_sum(n, k);
  return k < 0 ? 0 : -std::expm1((k + 1) * std::log1p(-P.p));  // geometric
}

void bar_line(FILE* out, const char* label, long long count, double expected, double top, double mass = -1) {
  const int width = 50;
  const int filled = static_cast<int>(std::lround(count / top * width));
  const int mark = static_cast<int>(std::lround(expected / top * width));
  std::string bar(static_cast<size_t>(std::max(filled, mark) + 1), ' ');
  for (int i = 0; i < filled; ++i) bar[static_cast<size_t>(i)] = '#';
  bar[static_cast<size_t>(std::min(mark, static_cast<int>(bar.size()) - 1))] = '|';
  if (mass >= 0) std::fprintf(out, "%s %10lld %12.1f %10.3g  %s\n", label, count, expected, mass, bar.c_str());
  else std::fprintf(out, "%s %10lld %12.1f  %s\n", label, count, expected, bar.c_str());
}

void histogram(FILE* out, std::vector<double>& x) {
  const double n = static_cast<double>(x.size());
  std::fprintf(out, "%s, %zu values; '#' the count, '|' the expected count of each bin\n", chosen->name, x.size());
  if (x.empty()) return;
  std::sort(x.begin(), x.end());
  std::vector<long long> counts(static_cast<size_t>(P.bins), 0);
  std::vector<double> expected(static_cast<size_t>(P.bins), 0.0), edges(static_cast<size_t>(P.bins) + 1);
  long long below = 0, above = 0;
  double e_below, e_above;
  if (chosen->kind == Kind::kInt) {
    // whole integers per bin, as many as the sample's range needs
    const double lo = x.front(), hi = x.back();
    const double per = std::max(1.0, std::ceil((hi - lo + 1) / P.bins));
    for (int b = 0; b <= P.bins; ++b) edges[static_cast<size_t>(b)] = lo + b * per;  // bin b: [edge_b, edge_b+1)
    for (double v : x) {
      const size_t b = static_cast<size_t>((v - lo) / per);
      ++counts[std::min(b, counts.size() - 1)];
    }
    for (int b = 0; b < P.bins; ++b)
      expected[static_cast<size_t>(b)] = n * (cdf_int(edges[static_cast<size_t>(b) + 1] - 1) - cdf_int(edges[static_cast<size_t>(b)] - 1));
    e_below = n * cdf_int(lo - 1);
    e_above = n * (1 - cdf_int(edges.back() - 1));
  } else {
    // the central 99% of the sample in equal bins; the tails beside them
    const double lo = x[static_cast<size_t>(0.005 * (n - 1))], hi = x[static_cast<size_t>(0.995 * (n - 1))];
    const double w = hi > lo ? (hi - lo) / P.bins : 1.0;
    for (int b = 0; b <= P.bins; ++b) edges[static_cast<size_t>(b)] = lo + b * w;
    edges.back() = lo + P.bins * w;
    for (double v : x) {
      if (v < lo) ++below;
      else if (v >= edges.back()) ++above;
      else ++counts[std::min(static_cast<size_t>((v - lo) / w), counts.size() - 1)];
    }
    for (int b = 0; b < P.bins; ++b)
      expected[static_cast<size_t>(b)] = n * (cdf(edges[static_cast<size_t>(b) + 1]) - cdf(edges[static_cast<size_t>(b)]));
    e_below = n * cdf(lo);
    e_above = n * (1 - cdf(edges.back()));
  }
  double top = 1;
  for (int b = 0; b < P.bins; ++b) top = std::max({top, static_cast<double>(counts[static_cast<size_t>(b)]), expected[static_cast<size_t>(b)]});
  if (chosen->kind == Kind::kInt) std::fprintf(out, "%-27s %10s %12s %10s\n", "values", "count", "expected", "mass");
  else std::fprintf(out, "%-27s %10s %12s\n", "bin", "count", "expected");
  char label[64];
  if (chosen->kind != Kind::kInt) {
    std::snprintf(label, sizeof label, "%-27s", "below");
    std::fprintf(out, "%s %10lld %12.1f\n", label, below, e_below);
  }
  for (int b = 0; b < P.bins; ++b) {
    const double l = edges[static_cast<size_t>(b)], r = edges[static_cast<size_t>(b) + 1];
    if (chosen->kind == Kind::kInt) {
      if (r - 1 > l) std::snprintf(label, sizeof label, "%12.0f .. %-11.0f", l, r - 1);
      else std::snprintf(label, sizeof label, "%-27.0f", l);
    } else {
      std::snprintf(label, sizeof label, "[%11.5g, %12.5g)", l, r);
    }
    bar_line(out, label, counts[static_cast<size_t>(b)], expected[static_cast<size_t>(b)], top,
             chosen->kind == Kind::kInt ? expected[static_cast<size_t>(b)] / n : -1.0);
  }
  std::snprintf(label, sizeof label, "%-27s", "above");
  std::fprintf(out, "%s %10lld %12.1f\n", label, above, e_above);
}

// ---- drawing --------------------------------------------------------------------------------

template <class T>
int32_t draw_real(OrqStream s, int32_t k, T* r);

template <>
int32_t draw_real<double>(OrqStream s, int32_t k, double* r) {
  const std::string n = chosen->name;
  if (n == "gaussian") return _orqdRngGaussian(P.method, s, k, r, P.mean, P.sigma);
  if (n == "lognormal") return _orqdRngLognormal(0, s, k, r, P.mean, P.sigma, P.shift, P.scale);
  if (n == "exponential") return _orqdRngExponential(0, s, k, r, P.shift, P.scale);
  if (n == "laplace") return _orqdRngLaplace(0, s, k, r, P.mean, P.scale);
  if (n == "weibull") return _orqdRngWeibull(0, s, k, r, P.shape, P.shift, P.scale);
  if (n == "cauchy") return _orqdRngCauchy(0, s, k, r, P.shift, P.scale);
  if (n == "rayleigh") return _orqdRngRayleigh(0, s, k, r, P.shift, P.scale);
  if (n == "gumbel") return _orqdRngGumbel(0, s, k, r, P.shift, P.scale);
  if (n == "gamma") return _orqdRngGamma(0, s, k, r, P.shape, P.shift, P.scale);
  if (n == "beta") return _orqdRngBeta(0, s, k, r, P.alpha, P.beta, P.shift, P.scale);
  return _orqdRngUniform(0, s, k, r, P.low, P.high);
}

template <>
int32_t draw_real<float>(OrqStream s, int32_t k, float* r) {
  const std::string n = chosen->name;
  auto f = [](double v) { return static_cast<float>(v); };
  if (n == "gaussian") return _orqsRngGaussian(P.method, s, k, r, f(P.mean), f(P.sigma));
  if (n == "lognormal") return _orqsRngLognormal(0, s, k, r, f(P.mean), f(P.sigma), f(P.shift), f(P.scale));
  if (n == "exponential") return _orqsRngExponential(0, s, k, r, f(P.shift), f(P.scale));
  if (n == "laplace") return _orqsRngLaplace(0, s, k, r, f(P.mean), f(P.scale));
  if (n == "weibull") return _orqsRngWeibull(0, s, k, r, f(P.shape), f(P.shift), f(P.scale));
  if (n == "cauchy") return _orqsRngCauchy(0, s, k, r, f(P.shift), f(P.scale));
  if (n == "rayleigh") return _orqsRngRayleigh(0, s, k, r, f(P.shift), f(P.scale));
  if (n == "gumbel") return _orqsRngGumbel(0, s, k, r, f(P.shift), f(P.scale));
  if (n == "gamma") return _orqsRngGamma(0, s, k, r, f(P.shape), f(P.shift), f(P.scale));
  if (n == "beta") return _orqsRngBeta(0, s, k, r, f(P.alpha), f(P.beta), f(P.shift), f(P.scale));
  return _orqsRngUniform(0, s, k, r, f(P.low), f(P.high));
}

int32_t draw_int(OrqStream s, int32_t k, int32_t* r) {
  const std::string n = chosen->name;
  if (n == "uniform-int") return _orqiRngUniform(0, s, k, r, static_cast<int32_t>(P.low), static_cast<int32_t>(P.high));
  if (n == "bernoulli") return _orqiRngBernoulli(0, s, k, r, P.p);
  if (n == "binomial") return _orqiRngBinomial(0, s, k, r, static_cast<int32_t>(P.ntrial), P.p);
  if (n == "negbinomial") return _orqiRngNegbinomial(0, s, k, r, P.a, P.p);
  if (n == "hypergeometric")
    return _orqiRngHypergeometric(0, s, k, r, static_cast<int32_t>(P.lot), static_cast<int32_t>(P.sample),
                                  static_cast<int32_t>(P.marked));
  if (n == "poisson") return _orqiRngPoisson(P.method, s, k, r, P.lambda);
  return _orqiRngGeometric(0, s, k, r, P.p);
}

// The factor in the precision of the entry.
template <class T>
int32_t draw_vectors(OrqStream s, int32_t k, T* r) {
  const int32_t d = static_cast<int32_t>(P.mv_mean.size());
  static std::vector<T> a, t;
  a.assign(P.mv_mean.begin(), P.mv_mean.end());
  t.assign(P.mv_factor.begin(), P.mv_factor.end());
  if constexpr (sizeof(T) == 8) return _orqdRngGaussianMV(P.method, s, k, r, d, P.storage, a.data(), t.data());
  else return _orqsRngGaussianMV(P.method, s, k, r, d, P.storage, a.data(), t.data());
}

template <class T>
int run_typed(OrqStream s, long long n, bool binary, FILE* out) {
  const int32_t d = chosen->kind == Kind::kVector ? static_cast<int32_t>(P.mv_mean.size()) : 1;
  const int32_t block = std::max<int32_t>(1, 4096 / d);
  std::vector<T> buf(static_cast<size_t>(block) * d);
  std::vector<double> kept;
  for (long long done = 0; done < n;) {
    const int32_t k = static_cast<int32_t>(std::min<long long>(block, n - done));
    int32_t st;
    if constexpr (std::is_same_v<T, int32_t>) st = draw_int(s, k, buf.data());
    else st = chosen->kind == Kind::kVector ? draw_vectors(s, k, buf.data()) : draw_real(s, k, buf.data());
    if (st < 0) {
      std::fprintf(stderr, "zaforq rng: %s failed with status %d\n", chosen->name, st);
      return 1;
    }
    if (P.hist) {
      for (int32_t i = 0; i < k; ++i) kept.push_back(static_cast<double>(buf[static_cast<size_t>(i) * d + P.component]));
    } else if (binary) {
      if (std::fwrite(buf.data(), sizeof(T), static_cast<size_t>(k) * d, out) != static_cast<size_t>(k) * d) return 1;
    } else {
      for (int32_t i = 0; i < k; ++i)
        for (int32_t j = 0; j < d; ++j) {
          const T v = buf[static_cast<size_t>(i) * d + j];
          const char* sep = j + 1 < d ? " " : "\n";
          if constexpr (std::is_same_v<T, int32_t>) std::fprintf(out, "%d%s", v, sep);
          else if constexpr (std::is_same_v<T, float>) std::fprintf(out, "%.9g%s", static_cast<double>(v), sep);
          else std::fprintf(out, "%.17g%s", v, sep);
        }
    }
    done += k;
  }
  if (P.hist) histogram(out, kept);
  return 0;
}

}  // namespace

int rng_dist_option(int argc, char** argv, int i) {
  const std::string arg = argv[i];
  const bool has_value = i + 1 < argc;
  auto value = [&](double* out) {
    if (!has_value || !number(argv[i + 1], out)) {
      std::fprintf(stderr, "zaforq rng: %s takes a finite number\n", arg.c_str());
      return -1;
    }
    given.push_back(arg);
    return 2;
  };
  if (arg == "--dist") {
    if (!has_value) return bad("--dist needs a distribution name (see zaforq rng --help)");
    for (const Dist& d : kDists)
      if (argv[i + 1] == std::string(d.name)) chosen = &d;
    if (!chosen || std::string(chosen->name) != argv[i + 1]) {
      std::fprintf(stderr, "zaforq rng: unknown distribution '%s' (see zaforq rng --help)\n", argv[i + 1]);
      return -1;
    }
    return 2;
  }
  if (arg == "--hist") {
    P.hist = true;
    if (has_value && argv[i + 1][0] != '-') {
      char* end;
      long b = std::strtol(argv[i + 1], &end, 10);
      if (*end || b < 1 || b > 1000) return bad("--hist takes a bin count from 1 to 1000");
      P.bins = static_cast<int>(b);
      return 2;
    }
    return 1;
  }
  if (arg == "--sigma") return value(&P.sigma);
  if (arg == "--shift") return value(&P.shift);
  if (arg == "--scale") return value(&P.scale);
  if (arg == "--shape") return value(&P.shape);
  if (arg == "--low") return value(&P.low);
  if (arg == "--p") return value(&P.p);
  if (arg == "--alpha") return value(&P.alpha);
  if (arg == "--beta") return value(&P.beta);
  if (arg == "--a") return value(&P.a);
  if (arg == "--lambda") return value(&P.lambda);
  if (arg == "--ntrial" || arg == "--lot" || arg == "--sample" || arg == "--marked") {
    double v;
    if (value(&v) < 0) return -1;
    if (v != std::floor(v) || v < 0 || v > INT32_MAX) return bad((arg + " takes a whole number up to 2^31 - 1").c_str());
    (arg == "--ntrial" ? P.ntrial : arg == "--lot" ? P.lot : arg == "--sample" ? P.sample : P.marked) = v;
    return 2;
  }
  if (arg == "--high") {
    P.high_given = true;
    return value(&P.high);
  }
  if (arg == "--method" || arg == "--component") {
    double v;
    if (value(&v) < 0) return -1;
    if (v != std::floor(v) || v < 0 || v > 1e9) return bad((arg + " takes a whole number").c_str());
    if (arg == "--method") P.method = static_cast<int32_t>(v);
    else P.component = static_cast<long long>(v);
    return 2;
  }
  if (arg == "--mean") {  // one number, or a list for gaussian-mv
    if (!has_value || !number_list(argv[i + 1], &P.mv_mean)) return bad("--mean takes a number or a list A1,A2,...");
    P.mean = P.mv_mean[0];
    given.push_back(arg);
    return 2;
  }
  if (arg == "--factor") {
    if (!has_value || !number_list(argv[i + 1], &P.mv_factor)) return bad("--factor takes a list T1,T2,...");
    given.push_back(arg);
    return 2;
  }
  if (arg == "--storage") {
    const std::string v = has_value ? argv[i + 1] : "";
    if (v == "full") P.storage = ORQ_MV_STORAGE_FULL;
    else if (v == "packed") P.storage = ORQ_MV_STORAGE_PACKED;
    else if (v == "diag") P.storage = ORQ_MV_STORAGE_DIAG;
    else return bad("--storage is full, packed or diag");
    given.push_back(arg);
    return 2;
  }
  return 0;
}

bool rng_dist_active() { return chosen != nullptr; }

int rng_dist_check() {
  auto no = [](const char* what) {
    std::fprintf(stderr, "zaforq rng: %s\n", what);
    return 2;
  };
  if (!chosen) return given.empty() && !P.hist ? 0 : no("distribution parameters need --dist NAME");
  for (const std::string& g : given)
    if (std::string(" ") .append(chosen->options).append(" ").find(" " + g + " ") == std::string::npos) {
      std::fprintf(stderr, "zaforq rng: %s does not take %s (it takes %s)\n", chosen->name, g.c_str(), chosen->options);
      return 2;
    }
  const std::string n = chosen->name;
  if (n == "uniform-int" && !P.high_given) P.high = 2;
  if (P.method != 0 && P.method != 1) return no("--method is 0 or 1");
  if (!(P.sigma > 0)) return no("--sigma must be positive");
  if (!(P.scale > 0)) return no("--scale must be positive");
  if (!(P.shape > 0)) return no("--shape must be positive");
  if (!(P.low < P.high)) return no("--low must be below --high");
  if (n == "uniform-int" && (P.low != std::floor(P.low) || P.high != std::floor(P.high) || P.low < INT32_MIN ||
                             P.high > INT32_MAX))
    return no("--low and --high of uniform-int are 32-bit integers");
  if (n == "bernoulli" && !(P.p >= 0 && P.p <= 1)) return no("--p of bernoulli lies in [0, 1]");
  // below 1e-8 the largest variates, about 22 / p, would not fit the 32-bit results
  if (n == "geometric" && !(P.p >= 1e-8 && P.p <= 1)) return no("--p of geometric lies in [1e-8, 1]");
  if (!(P.alpha > 0) || !(P.beta > 0)) return no("--alpha and --beta must be positive");
  if (n == "binomial" && !(P.p >= 0 && P.p <= 1)) return no("--p of binomial lies in [0, 1]");
  if (n == "negbinomial" && (!(P.p > 0 && P.p < 1) || !(P.a > 0))) return no("negbinomial needs --a above 0 and --p in (0, 1)");
  if (n == "hypergeometric" && (P.marked > P.lot || P.sample > P.lot))
    return no("--marked and --sample of hypergeometric lie in 0 .. --lot");
  if (!(P.lambda > 0) || P.lambda > 1e9) return no("--lambda lies in (0, 1e9]");
  if (chosen->kind == Kind::kVector) {
    const size_t d = P.mv_mean.size();
    const size_t want = P.storage == ORQ_MV_STORAGE_FULL ? d * d : P.storage == ORQ_MV_STORAGE_PACKED ? d * (d + 1) / 2 : d;
    if (d == 0 || d > 4096) return no("gaussian-mv needs --mean A1,...,Ad with d up to 4096");
    if (P.mv_factor.size() != want) {
      std::fprintf(stderr, "zaforq rng: --factor of a %s factor of dimension %zu takes %zu numbers\n",
                   P.storage == ORQ_MV_STORAGE_FULL ? "full" : P.storage == ORQ_MV_STORAGE_PACKED ? "packed" : "diagonal", d,
                   want);
      return 2;
    }
    if (P.component >= static_cast<long long>(d)) return no("--component lies below the dimension");
  }
  return 0;
}

int rng_dist_run(OrqStream s, long long n, bool single, bool binary, FILE* out) {
  if (chosen->kind == Kind::kInt) return run_typed<int32_t>(s, n, binary, out);
  return single ? run_typed<float>(s, n, binary, out) : run_typed<double>(s, n, binary, out);
}
