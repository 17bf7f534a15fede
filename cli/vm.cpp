// zaforq vm: applies one vector-math kernel to numbers read from standard input or a file.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <string>
#include <vector>

#include "commands.h"
#include "zaforq.h"

namespace {

enum class Shape { unary, binary, scalar, two_out };

// One entry per kernel: family, precision, class and the entry itself.
struct VmKernel {
  const char* family;
  bool is_float;
  const char* cls;
  Shape shape;
  void (*d1)(int32_t, const double*, double*);
  void (*d2)(int32_t, const double*, const double*, double*);
  void (*f1)(int32_t, const float*, float*);
  void (*f2)(int32_t, const float*, const float*, float*);
  void (*dx)(int32_t, const double*, double, double*) = nullptr;     // Powx
  void (*fx)(int32_t, const float*, float, float*) = nullptr;
  void (*dsc)(int32_t, const double*, double*, double*) = nullptr;  // SinCos
  void (*fsc)(int32_t, const float*, float*, float*) = nullptr;
};

#define VM_U(Fam)                                                                         \
  {#Fam, true, "11", Shape::unary, nullptr, nullptr, _zafs##Fam##_11, nullptr},           \
      {#Fam, true, "21", Shape::unary, nullptr, nullptr, _zafs##Fam##_21, nullptr},       \
      {#Fam, true, "HA", Shape::unary, nullptr, nullptr, _zafs##Fam##_HA, nullptr},       \
      {#Fam, false, "50", Shape::unary, _zafd##Fam##_50, nullptr, nullptr, nullptr},      \
      {#Fam, false, "HA", Shape::unary, _zafd##Fam##_HA, nullptr, nullptr, nullptr}
#define VM_B(Fam)                                                                         \
  {#Fam, true, "11", Shape::binary, nullptr, nullptr, nullptr, _zafs##Fam##_11},          \
      {#Fam, true, "21", Shape::binary, nullptr, nullptr, nullptr, _zafs##Fam##_21},      \
      {#Fam, true, "HA", Shape::binary, nullptr, nullptr, nullptr, _zafs##Fam##_HA},      \
      {#Fam, false, "50", Shape::binary, nullptr, _zafd##Fam##_50, nullptr, nullptr},     \
      {#Fam, false, "HA", Shape::binary, nullptr, _zafd##Fam##_HA, nullptr, nullptr}

#define VM_X(Fam)                                                                                    \
  {#Fam, true, "11", Shape::scalar, nullptr, nullptr, nullptr, nullptr, nullptr, _zafs##Fam##_11},         \
      {#Fam, true, "21", Shape::scalar, nullptr, nullptr, nullptr, nullptr, nullptr, _zafs##Fam##_21},     \
      {#Fam, true, "HA", Shape::scalar, nullptr, nullptr, nullptr, nullptr, nullptr, _zafs##Fam##_HA},     \
      {#Fam, false, "50", Shape::scalar, nullptr, nullptr, nullptr, nullptr, _zafd##Fam##_50, nullptr},    \
      {#Fam, false, "HA", Shape::scalar, nullptr, nullptr, nullptr, nullptr, _zafd##Fam##_HA, nullptr}
#define VM_SC(Fam)                                                                                           \
  {#Fam, true, "11", Shape::two_out, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, _zafs##Fam##_11}, \
      {#Fam, true, "21", Shape::two_out, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, _zafs##Fam##_21}, \
      {#Fam, true, "HA", Shape::two_out, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, _zafs##Fam##_HA}, \
      {#Fam, false, "50", Shape::two_out, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, _zafd##Fam##_50, nullptr}, \
      {#Fam, false, "HA", Shape::two_out, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, _zafd##Fam##_HA, nullptr}

const VmKernel kKernels[] = {
    VM_U(Sqrt), VM_U(InvSqrt), VM_U(Cbrt), VM_U(InvCbrt), VM_U(Inv), VM_B(Div),
    VM_U(Exp),  VM_U(Ln),      VM_U(Log10), VM_B(Pow),    VM_X(Powx), VM_U(Sin),
    VM_U(Cos),  VM_U(Tan),     VM_SC(SinCos),
    VM_U(Sinh), VM_U(Cosh),    VM_U(Tanh),  VM_U(Asinh),  VM_U(Acosh), VM_U(Atanh),
    VM_U(Erf),  VM_U(Erfc),
    VM_U(Asin), VM_U(Acos),    VM_U(Atan),  VM_B(Atan2),
};

const VmKernel* find_kernel(const char* family, bool is_float, const char* cls) {
  for (const VmKernel& k : kKernels)
    if (!strcasecmp(k.family, family) && k.is_float == is_float && !strcasecmp(k.cls, cls)) return &k;
  return nullptr;
}

// Reads every number of the stream (whitespace or newlines between them).
bool read_numbers(FILE* in, std::vector<double>& out) {
  char tok[128];
  while (std::fscanf(in, "%127s", tok) == 1) {
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(tok, &end);
    if (*end != '\0') {
      std::fprintf(stderr, "zaforq vm: not a number: '%s'\n", tok);
      return false;
    }
    out.push_back(v);
  }
  return true;
}

void print_value(double v, bool is_float) {
  if (is_float)
    std::printf("%.9g", v);
  else
    std::printf("%.17g", v);
}

int cmd_vm(int argc, char** argv) {
  const char* family = nullptr;
  const char* cls = "HA";
  const char* file = nullptr;
  bool is_float = false;
  const char* power = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--power") && i + 1 < argc) {
      power = argv[++i];
    } else if (!strcmp(argv[i], "--float")) {
      is_float = true;
    } else if (!strcmp(argv[i], "--accuracy") && i + 1 < argc) {
      cls = argv[++i];
    } else if (argv[i][0] == '-' && argv[i][1] == '-') {
      std::fprintf(stderr, "zaforq vm: unknown option '%s'\n", argv[i]);
      return 2;
    } else if (!family) {
      family = argv[i];
    } else if (!file) {
      file = argv[i];
    } else {
      std::fprintf(stderr, "zaforq vm: unexpected argument '%s'\n", argv[i]);
      return 2;
    }
  }
  if (!family) {
    std::fprintf(stderr, "zaforq vm: name a function (zaforq vm --help)\n");
    return 2;
  }
  const VmKernel* k = find_kernel(family, is_float, cls);
  if (!k) {
    std::fprintf(stderr, "zaforq vm: no %s kernel %s with accuracy %s\n", is_float ? "float" : "double",
                 family, cls);
    return 2;
  }
  double b_scalar = 0;
  if (k->shape == Shape::scalar) {
    char* end = nullptr;
    if (!power || (b_scalar = std::strtod(power, &end), *end != '\0')) {
      std::fprintf(stderr, "zaforq vm: %s needs its exponent: --power B\n", k->family);
      return 2;
    }
  }
  FILE* in = stdin;
  if (file && !(in = std::fopen(file, "r"))) {
    std::fprintf(stderr, "zaforq vm: cannot open '%s': %s\n", file, std::strerror(errno));
    return 1;
  }
  std::vector<double> v;
  const bool ok = read_numbers(in, v);
  if (in != stdin) std::fclose(in);
  if (!ok) return 1;
  const bool two_args = k->shape == Shape::binary;
  if (two_args && v.size() % 2) {
    std::fprintf(stderr, "zaforq vm: %s takes pairs of numbers (a b per line)\n", k->family);
    return 1;
  }
  const int32_t n = static_cast<int32_t>(two_args ? v.size() / 2 : v.size());
  std::vector<double> a(n), b(n), r(n);
  for (int32_t i = 0; i < n; ++i) {
    a[i] = two_args ? v[2 * i] : v[i];
    b[i] = two_args ? v[2 * i + 1] : 0.0;
  }

  // Element errors are shown as the standard-error action prints them.
  const uint32_t mode = _zafSetMode((_zafGetMode() & ~ZAF_MODE_ERRMODE_MASK) | ZAF_MODE_ERRMODE_STDERR |
                                    ZAF_MODE_ERRMODE_ERRNO);
  std::vector<double> r2(n);
  if (is_float) {
    std::vector<float> af(a.begin(), a.end()), bf(b.begin(), b.end()), rf(n), r2f(n);
    switch (k->shape) {
      case Shape::unary: k->f1(n, af.data(), rf.data()); break;
      case Shape::binary: k->f2(n, af.data(), bf.data(), rf.data()); break;
      case Shape::scalar: k->fx(n, af.data(), static_cast<float>(b_scalar), rf.data()); break;
      case Shape::two_out: k->fsc(n, af.data(), rf.data(), r2f.data()); break;
    }
    for (int32_t i = 0; i < n; ++i) {
      r[i] = rf[i];
      r2[i] = r2f[i];
    }
  } else {
    switch (k->shape) {
      case Shape::unary: k->d1(n, a.data(), r.data()); break;
      case Shape::binary: k->d2(n, a.data(), b.data(), r.data()); break;
      case Shape::scalar: k->dx(n, a.data(), b_scalar, r.data()); break;
      case Shape::two_out: k->dsc(n, a.data(), r.data(), r2.data()); break;
    }
  }
  std::fflush(stderr);
  _zafSetMode(mode);
  for (int32_t i = 0; i < n; ++i) {
    print_value(r[i], is_float);
    if (k->shape == Shape::two_out) {
      std::printf(" ");
      print_value(r2[i], is_float);
    }
    std::printf("\n");
  }
  return _zafGetErrStatus() < 0 ? 1 : 0;
}

const RegisterCommand vm_command(
    {"vm", "apply a vector-math kernel to numbers from standard input or a file",
     "usage: zaforq vm FUNC [--accuracy HA|50|21|11] [--float] [--power B] [FILE]\n\n"
     "Reads numbers (one per line, or any whitespace between them) and prints FUNC of each,\n"
     "one per line. Two-argument functions (Div, Pow) read pairs: a b on each line; Powx\n"
     "raises every number to the one exponent given by --power; SinCos prints sin and cos.\n"
     "--accuracy picks the class (default HA; double has HA and 50, float HA, 21 and 11).\n"
     "--float runs the single-precision kernel. Elements the kernel reports (domain errors,\n"
     "poles, overflow, underflow) are shown on standard error as the library prints them.\n"
     "Functions: Sqrt InvSqrt Cbrt InvCbrt Inv Div Exp Ln Log10 Pow Powx Sin Cos Tan SinCos\n"
     "           Sinh Cosh Tanh Asinh Acosh Atanh Erf Erfc\n"
     "           Asin Acos Atan Atan2 (Atan2 reads pairs a b and prints atan2(a, b))\n",
     cmd_vm});

// ---- demo section --------------------------------------------------------------------------
void demo_vm() {
  std::printf("== Vector mathematics ==\n");
  const double a[9] = {0.5, 1.0, 2.0, 10.0, 100.0, 709.0, 1000.0, -745.5, -0.0};
  double r[9];
  _zafClearErrStatus();
  const uint32_t mode = _zafSetMode(ZAF_MODE_ERRMODE_IGNORE);
  _zafdExp_HA(9, a, r);
  std::printf("_zafdExp_HA over 9 elements (two groups of 4 plus a tail of 1):\n");
  for (int i = 0; i < 9; ++i) std::printf("  exp(%g) = %.17g\n", a[i], r[i]);
  std::printf("thread status after the call: %d (the last report: 4 = underflow of exp(-745.5);\n"
              "  element 6 reported 3 = overflow before it)\n", _zafGetErrStatus());
  _zafClearErrStatus();
  const double s[4] = {2.0, -0.0, -1.0, 0x1p-1074};
  _zafdSqrt_HA(4, s, r);
  std::printf("_zafdSqrt_HA: sqrt(2) = %.17g, sqrt(-0) = %g, sqrt(-1) = %g, sqrt(2^-1074) = %a\n", r[0],
              r[1], r[2], r[3]);
  std::printf("thread status: %d (1 = domain error)\n", _zafGetErrStatus());
  const float f[4] = {3.0f, 3.0f, 3.0f, 3.0f};
  float q11[4], qha[4];
  _zafsInv_11(4, f, q11);
  _zafsInv_HA(4, f, qha);
  std::printf("float 1/3: _11 gives %.9g (hardware estimate), _HA gives %.9g\n", q11[0], qha[0]);
  const double t[3] = {1e22, 1.5707963267948966, -0.0};
  double sn[3], cs[3], tn[3];
  _zafdSinCos_HA(3, t, sn, cs);
  _zafdTan_HA(3, t, tn);
  std::printf("full-range reduction: sin(1e22) = %.17g, cos(1e22) = %.17g\n", sn[0], cs[0]);
  std::printf("tan(pi/2 rounded to double) = %.17g, tan(-0) = %g\n", tn[1], tn[2]);
  const double base[3] = {2.0, -8.0, -8.0}, expo[3] = {0.5, 1.0 / 3.0, 3.0};
  double pw[3];
  _zafClearErrStatus();
  _zafdPow_HA(3, base, expo, pw);
  std::printf("pow: 2^0.5 = %.17g, (-8)^(1/3) = %g (domain error, status %d), (-8)^3 = %g\n", pw[0], pw[1],
              _zafGetErrStatus(), pw[2]);
  _zafSetMode(mode);
  _zafClearErrStatus();
}

const RegisterDemo vm_section({20, "vm", "vector-math kernels in their accuracy classes", demo_vm});

}  // namespace
