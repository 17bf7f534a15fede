// zaforq conv: convolution or correlation of two sequences read from files, through a task;
// and the convolution section of zaforq demo.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "zaforq.h"

namespace {

// Whitespace-separated numbers (so also one per line) from a file, or from standard input
// for "-". False with a message on an unreadable file or a word that is not a number.
bool read_numbers(const char* path, std::vector<double>& out) {
  FILE* f = std::strcmp(path, "-") == 0 ? stdin : std::fopen(path, "r");
  if (!f) {
    std::fprintf(stderr, "zaforq conv: cannot read %s: %s\n", path, std::strerror(errno));
    return false;
  }
  char word[128];
  bool ok = true;
  while (std::fscanf(f, "%127s", word) == 1) {
    char* end = nullptr;
    const double v = std::strtod(word, &end);
    if (end == word || *end != '\0') {
      std::fprintf(stderr, "zaforq conv: %s: '%s' is not a number\n", path, word);
      ok = false;
      break;
    }
    out.push_back(v);
  }
  if (f != stdin) std::fclose(f);
  if (ok && out.empty()) {
    std::fprintf(stderr, "zaforq conv: %s holds no numbers\n", path);
    ok = false;
  }
  return ok;
}

bool parse_int(const char* s, int32_t& v) {
  char* end = nullptr;
  errno = 0;
  const long l = std::strtol(s, &end, 10);
  if (end == s || *end != '\0' || errno != 0 || l < INT32_MIN || l > INT32_MAX) return false;
  v = static_cast<int32_t>(l);
  return true;
}

const char* describe(int32_t status) {
  switch (status) {
    case ORQ_CC_STATUS_UNSUPPORTED: return "no kernel for this kind, method and type";
    case ORQ_CC_STATUS_BAD_START: return "start outside the range of outputs";
    case ORQ_CC_STATUS_BAD_DECIMATION: return "decimation below 1, or the last output beyond the range";
    case ORQ_CC_STATUS_BAD_Z_SHAPE: return "count below 1";
    case ORQ_CC_STATUS_NO_WORK_MEMORY: return "out of memory";
    case ORQ_CC_STATUS_FFT_FAILED: return "the FFT convolution failed";
    default: return "failed";
  }
}

template <class T>
int run(const std::vector<double>& xv, const std::vector<double>& yv, int kind, int method, int dataType,
        const int32_t* start, int32_t count, const int32_t* dec) {
  std::vector<T> x(xv.begin(), xv.end()), y(yv.begin(), yv.end());
  const int32_t nx = static_cast<int32_t>(x.size()), ny = static_cast<int32_t>(y.size());
  CcTask* task = nullptr;
  int32_t st = __orqNewTask(&task, kind, 0, method, 0, dataType, 1, &nx, &ny, &count);
  if (st == 0 && start) st = __orqEditTask(task, ORQ_CC_EDIT_START, start);
  if (st == 0 && dec) st = __orqEditTask(task, ORQ_CC_EDIT_DECIMATION, dec);
  std::vector<T> z(count > 0 ? static_cast<size_t>(count) : 1);
  if (st == 0) st = __orqExec(task, x.data(), nullptr, y.data(), nullptr, z.data(), nullptr);
  __orqDeleteTask(&task);
  if (st != 0) {
    std::fprintf(stderr, "zaforq conv: %s (status %d)\n", describe(st), st);
    return 1;
  }
  for (int32_t k = 0; k < count; ++k) std::printf("%.*g\n", sizeof(T) == 4 ? 9 : 17, double(z[size_t(k)]));
  return 0;
}

int cmd_conv(int argc, char** argv) {
  const char* files[2] = {nullptr, nullptr};
  int nfiles = 0;
  bool corr = false, single = false, have_start = false, have_count = false, have_dec = false;
  int method = ORQ_CC_METHOD_DIRECT;
  int32_t start = 0, count = 0, dec = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&](int32_t& v) {
      if (i + 1 >= argc || !parse_int(argv[i + 1], v)) {
        std::fprintf(stderr, "zaforq conv: %s needs an integer\n", a.c_str());
        return false;
      }
      ++i;
      return true;
    };
    if (a == "--corr") {
      corr = true;
    } else if (a == "--float") {
      single = true;
    } else if (a == "--method") {
      if (i + 1 < argc && !std::strcmp(argv[i + 1], "direct")) {
        method = ORQ_CC_METHOD_DIRECT;
      } else if (i + 1 < argc && !std::strcmp(argv[i + 1], "fft")) {
        method = ORQ_CC_METHOD_FFT;
      } else {
        std::fprintf(stderr, "zaforq conv: --method takes direct or fft\n");
        return 2;
      }
      ++i;
    } else if (a == "--start") {
      if (!value(start)) return 2;
      have_start = true;
    } else if (a == "--count") {
      if (!value(count)) return 2;
      have_count = true;
    } else if (a == "--decimation") {
      if (!value(dec)) return 2;
      have_dec = true;
    } else if (a.size() > 1 && a[0] == '-' && a != "-") {
      std::fprintf(stderr, "zaforq conv: unknown option %s\n", a.c_str());
      return 2;
    } else if (nfiles < 2) {
      files[nfiles++] = argv[i];
    } else {
      std::fprintf(stderr, "zaforq conv: more than two inputs\n");
      return 2;
    }
  }
  if (nfiles != 2) {
    std::fprintf(stderr, "usage: zaforq conv X Y [--corr] [--method direct|fft] [--start S] [--count N] "
                         "[--decimation D] [--float]\n");
    return 2;
  }
  std::vector<double> x, y;
  if (!read_numbers(files[0], x) || !read_numbers(files[1], y)) return 1;
  const int64_t nx = int64_t(x.size()), ny = int64_t(y.size());
  // Without --count: every output from the start to the end of the range.
  if (!have_count) {
    const int64_t s = have_start ? start : (corr ? 1 - nx : 0);
    const int64_t last = corr ? ny - 1 : nx + ny - 2;
    const int64_t n = dec >= 1 && s <= last ? (last - s) / dec + 1 : 1;
    count = static_cast<int32_t>(n > INT32_MAX ? INT32_MAX : n);
  }
  const int kind = corr ? ORQ_CC_KIND_CORR : ORQ_CC_KIND_CONV;
  const int32_t* sp = have_start ? &start : nullptr;
  const int32_t* dp = have_dec ? &dec : nullptr;
  if (single) return run<float>(x, y, kind, method, ORQ_CC_TYPE_SINGLE, sp, count, dp);
  return run<double>(x, y, kind, method, ORQ_CC_TYPE_DOUBLE, sp, count, dp);
}

const RegisterCommand conv_command(
    {"conv", "convolution or correlation of two sequences",
     "usage: zaforq conv X Y [--corr] [--method direct|fft] [--start S] [--count N]\n"
     "                       [--decimation D] [--float]\n\n"
     "X and Y are files of whitespace-separated numbers (one per line will do; - reads\n"
     "standard input). Prints z[k], k = 0 .. N-1, one per line:\n"
     "  convolution  z[k] = sum_i x[i] y[S + k D - i], S from 0 .. nx+ny-2 (default 0)\n"
     "  --corr       z[k] = sum_i x[i] y[i + S + k D], S from 1-nx .. ny-1 (default 1-nx)\n"
     "N defaults to every output from S to the end of the range. --float computes in\n"
     "single precision; --method fft uses the FFT kernels.\n",
     cmd_conv});

void print(const char* what, const double* z, int n) {
  std::printf("  %-44s", what);
  for (int i = 0; i < n; ++i) std::printf(" %g", z[i]);
  std::printf("\n");
}

void demo_conv() {
  std::printf("== Convolution and correlation ==\n");
  const double x[3] = {1, 2, 3}, y[2] = {1, 1};
  const int32_t nx = 3, ny = 2, n4 = 4, n2 = 2;
  double z[16];
  CcTask* t = nullptr;
  std::printf("x = (1, 2, 3), y = (1, 1)\n");
  __orqNewTask(&t, ORQ_CC_KIND_CONV, 0, ORQ_CC_METHOD_DIRECT, 0, ORQ_CC_TYPE_DOUBLE, 1, &nx, &ny, &n4);
  int32_t st = __orqExec(t, x, nullptr, y, nullptr, z, nullptr);
  print("convolution, all 4 outputs:", z, 4);
  __orqDeleteTask(&t);
  __orqNewTask(&t, ORQ_CC_KIND_CORR, 0, ORQ_CC_METHOD_DIRECT, 0, ORQ_CC_TYPE_DOUBLE, 1, &nx, &ny, &n4);
  st |= __orqExec(t, x, nullptr, y, nullptr, z, nullptr);
  print("correlation, lags -2 .. 1:", z, 4);
  __orqDeleteTask(&t);
  const int32_t two = 2, minus1 = -1;
  __orqNewTask(&t, ORQ_CC_KIND_CONV, 0, ORQ_CC_METHOD_DIRECT, 0, ORQ_CC_TYPE_DOUBLE, 1, &nx, &ny, &n2);
  __orqEditTask(t, ORQ_CC_EDIT_DECIMATION, &two);
  st |= __orqExec(t, x, nullptr, y, nullptr, z, nullptr);
  print("convolution, every second output:", z, 2);
  st |= __orqExec(t, x, &minus1, y, nullptr, z, nullptr);
  print("the same with x read backwards (stride -1):", z, 2);
  __orqDeleteTask(&t);
  // A 3x3 box blur of a 4x4 ramp, keeping the central 4x4 part of the 6x6 result.
  const int32_t xs[2] = {3, 3}, ys[2] = {4, 4}, zs[2] = {4, 4}, start[2] = {1, 1};
  double box[9], ramp[16];
  for (double& b : box) b = 1.0 / 9.0;
  for (int i = 0; i < 16; ++i) ramp[i] = i;
  __orqNewTask(&t, ORQ_CC_KIND_CONV, 0, ORQ_CC_METHOD_DIRECT, 0, ORQ_CC_TYPE_DOUBLE, 2, xs, ys, zs);
  __orqEditTask(t, ORQ_CC_EDIT_START, start);
  st |= __orqExec(t, box, nullptr, ramp, nullptr, z, nullptr);
  __orqDeleteTask(&t);
  std::printf("  3x3 mean filter of the 4x4 ramp 0 .. 15 (rows along dimension 1):\n");
  for (int r = 0; r < 4; ++r) std::printf("    %7.4f %7.4f %7.4f %7.4f\n", z[4 * r], z[4 * r + 1], z[4 * r + 2], z[4 * r + 3]);
  // Failures are status codes that stay with the task.
  const int32_t bad = 7;
  __orqNewTask(&t, ORQ_CC_KIND_CONV, 0, ORQ_CC_METHOD_DIRECT, 0, ORQ_CC_TYPE_DOUBLE, 1, &nx, &ny, &n2);
  __orqEditTask(t, ORQ_CC_EDIT_START, &bad);
  const int32_t r1 = __orqExec(t, x, nullptr, y, nullptr, z, nullptr);
  std::printf("  start 7 on outputs 0 .. 3: status %d, kept by the task: %d\n", r1, __orqccGetStatus(t));
  __orqDeleteTask(&t);
  if (st != 0) std::printf("  unexpected failure status %d\n", st);
}

const RegisterDemo conv_section({70, "conv", "convolution and correlation tasks", demo_conv});

}  // namespace
