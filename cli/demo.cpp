// zaforq demo: each section shows one part of the library working through its public API.
#include <algorithm>
#include <cerrno>
#include <cfenv>
#include <cstdio>
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
