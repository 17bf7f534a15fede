// zaforq fft: the real FFT of a sequence read from standard input, printed in Perm layout.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "commands.h"
#include "zaforq.h"

namespace {

bool read_numbers(FILE* in, std::vector<double>& out) {
  char tok[128];
  while (std::fscanf(in, "%127s", tok) == 1) {
    char* end = nullptr;
    const double v = std::strtod(tok, &end);
    if (*end != '\0') {
      std::fprintf(stderr, "zaforq fft: not a number: '%s'\n", tok);
      return false;
    }
    out.push_back(v);
  }
  return true;
}

// Runs one transform through the public entries with a caller-supplied work buffer.
template <class T, class Spec>
int transform(const std::vector<double>& in, int order, int flag, bool inverse, bool is_float,
              int32_t (*init)(Spec**, int32_t, int32_t, int32_t), int32_t (*bufsize)(const Spec*, int32_t*),
              int32_t (*fwd)(const T*, T*, const Spec*, uint8_t*), int32_t (*inv)(const T*, T*, const Spec*, uint8_t*),
              int32_t (*release)(Spec*)) {
  Spec* spec = nullptr;
  int32_t st = init(&spec, order, flag, 0);
  if (st != 0) {
    std::fprintf(stderr, "zaforq fft: cannot create the transform (status %d)\n", st);
    return 1;
  }
  int32_t bytes = 0;
  bufsize(spec, &bytes);
  uint8_t* buf = bytes > 0 ? gaxsMalloc_8u(bytes) : nullptr;
  std::vector<T> src(in.begin(), in.end()), dst(in.size());
  st = inverse ? inv(src.data(), dst.data(), spec, buf) : fwd(src.data(), dst.data(), spec, buf);
  gaxsFree(buf);
  release(spec);
  if (st != 0) {
    std::fprintf(stderr, "zaforq fft: transform failed (status %d)\n", st);
    return 1;
  }
  for (T v : dst) std::printf(is_float ? "%.9g\n" : "%.17g\n", static_cast<double>(v));
  return 0;
}

int cmd_fft(int argc, char** argv) {
  bool inverse = false, is_float = false;
  int flag = GAXS_FFT_NODIV_BY_ANY;
  const char* file = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--inverse")) {
      inverse = true;
    } else if (!std::strcmp(argv[i], "--float")) {
      is_float = true;
    } else if (!std::strcmp(argv[i], "--scale") && i + 1 < argc) {
      flag = std::atoi(argv[++i]);
    } else if (argv[i][0] == '-' && argv[i][1] == '-') {
      std::fprintf(stderr, "zaforq fft: unknown option '%s'\n", argv[i]);
      return 2;
    } else if (!file) {
      file = argv[i];
    } else {
      std::fprintf(stderr, "zaforq fft: unexpected argument '%s'\n", argv[i]);
      return 2;
    }
  }
  FILE* in = stdin;
  if (file && !(in = std::fopen(file, "r"))) {
    std::fprintf(stderr, "zaforq fft: cannot open '%s': %s\n", file, std::strerror(errno));
    return 1;
  }
  std::vector<double> v;
  const bool ok = read_numbers(in, v);
  if (in != stdin) std::fclose(in);
  if (!ok) return 1;
  int order = 0;
  while ((size_t{1} << order) < v.size() && order < 31) ++order;
  if (v.empty() || (size_t{1} << order) != v.size()) {
    std::fprintf(stderr, "zaforq fft: the length must be a power of two (got %zu values)\n", v.size());
    return 1;
  }
  if (is_float)
    return transform<float, FftSpecR_32f>(v, order, flag, inverse, true, gaxsFFTInitAlloc_R_32f,
                                          gaxsFFTGetBufSize_R_32f, gaxsFFTFwd_RToPerm_32f,
                                          gaxsFFTInv_PermToR_32f, gaxsFFTFree_R_32f);
  return transform<double, FftSpecR_64f>(v, order, flag, inverse, false, gaxsFFTInitAlloc_R_64f,
                                         gaxsFFTGetBufSize_R_64f, gaxsFFTFwd_RToPerm_64f,
                                         gaxsFFTInv_PermToR_64f, gaxsFFTFree_R_64f);
}

const RegisterCommand fft_command(
    {"fft", "real FFT of a power-of-two sequence, in Perm layout",
     "usage: zaforq fft [--inverse] [--float] [--scale 1|2|4|8] [FILE]\n\n"
     "Reads N = 2^k numbers (one per line) and prints the forward transform in Perm layout:\n"
     "X_0, X_(N/2), then the real and imaginary parts of X_1 .. X_(N/2-1). --inverse reads a\n"
     "Perm spectrum and prints the real sequence. --scale chooses the scaling: 1 forward by 1/N,\n"
     "2 inverse by 1/N, 4 both by 1/sqrt(N), 8 none (default). --float uses single precision.\n",
     cmd_fft});

void demo_fft() {
  std::printf("== Real FFT and convolution ==\n");
  const int order = 3, n = 1 << order;
  double x[n], spec_out[n], back[n];
  for (int i = 0; i < n; ++i) x[i] = std::cos(2 * M_PI * i / n) + 0.5;
  FftSpecR_64f* spec = nullptr;
  gaxsFFTInitAlloc_R_64f(&spec, order, GAXS_FFT_DIV_INV_BY_N, 0);
  gaxsFFTFwd_RToPerm_64f(x, spec_out, spec, nullptr);
  gaxsFFTInv_PermToR_64f(spec_out, back, spec, nullptr);
  gaxsFFTFree_R_64f(spec);
  std::printf("x = cos(2 pi i/8) + 0.5 for i = 0..7; its spectrum in Perm layout:\n ");
  for (double v : spec_out) std::printf(" %.3g", std::fabs(v) < 1e-12 ? 0.0 : v);
  std::printf("\n  (X_0 = 4 from the mean, X_1 = 4 from the cosine; the rest vanish)\n");
  double err = 0;
  for (int i = 0; i < n; ++i) err = std::fmax(err, std::fabs(back[i] - x[i]));
  std::printf("inverse transform (scaled by 1/N) returns x to within %.1e\n", err);
  const double a[3] = {1, 2, 3}, b[2] = {1, -1};
  double c[4];
  gaxsConv_64f(a, 3, b, 2, c);
  std::printf("gaxsConv_64f([1 2 3], [1 -1]) = [%g %g %g %g]\n", c[0], c[1], c[2], c[3]);
  std::printf("bad order: gaxsFFTInitAlloc_R_64f(order 31) returns %d\n",
              gaxsFFTInitAlloc_R_64f(&spec, 31, GAXS_FFT_NODIV_BY_ANY, 0));
}

const RegisterDemo fft_section({50, "fft", "real FFT in Perm layout and the convolution primitive", demo_fft});

}  // namespace
