// Per-thread error status and callback, and the report sequence every kernel goes through.
#include <string.h>

#include "zaf.h"
#include "zaf_core/errors/report.h"
#include "zaf_core/mode/thread_word.h"

using namespace zaforq;

extern "C" {

ZAFORQ_API int32_t _zafSetErrStatus(int32_t status) {
  uint32_t* w = _GetErrStatus();
  const int32_t old = static_cast<int32_t>(*w);
  *w = static_cast<uint32_t>(status);
  return old;
}

ZAFORQ_API int32_t _zafGetErrStatus(void) { return static_cast<int32_t>(*_GetErrStatus()); }

ZAFORQ_API int32_t _zafClearErrStatus(void) { return _zafSetErrStatus(0); }

ZAFORQ_API zafErrorCallBack _zafGetErrorCallBack(void) {
  return reinterpret_cast<zafErrorCallBack>(*_GetCallBackSlot());
}

ZAFORQ_API zafErrorCallBack _zafSetErrorCallBack(zafErrorCallBack cb) {
  void** slot = _GetCallBackSlot();
  zafErrorCallBack old = reinterpret_cast<zafErrorCallBack>(*slot);
  *slot = reinterpret_cast<void*>(cb);
  // The callback bit follows the pointer. A field that becomes zero is a no-op for
  // _zafSetMode, so clearing the last action bit leaves the field as it was.
  const uint32_t mode = _zafGetMode();
  _zafSetMode(cb ? (mode | ZAF_MODE_ERRMODE_CALLBACK) : (mode & ~ZAF_MODE_ERRMODE_CALLBACK));
  return old;
}

ZAFORQ_API zafErrorCallBack _zafClearErrorCallBack(void) { return _zafSetErrorCallBack(nullptr); }

ZAFORQ_API int32_t qub_zaf_service_strlen1(const char* s) {
  int32_t n = 0;
  while (s[n]) ++n;
  return n;
}

ZAFORQ_API int32_t qub_zaf_service_strcat1(const char* s1, const char* s2, char* out) {
  int32_t n = 0;
  for (const char* p = s1; *p; ++p) out[n++] = *p;
  for (const char* p = s2; *p; ++p) out[n++] = *p;
  out[n] = '\0';
  return n;
}

}  // extern "C"

namespace zaforq {

int32_t _zafCreateFuncNameStr(const char* prefix, const char* name, const char* suffix, char* out) {
  constexpr int32_t field = sizeof(zafErrorRecord{}.funcName) - 1;
  int32_t n = 0;
  const struct { const char* s; int32_t most; } parts[3] = {{prefix, 8}, {name, 64}, {suffix, 8}};
  for (const auto& part : parts)
    for (int32_t k = 0; part.s && part.s[k] && k < part.most && n < field; ++k) out[n++] = part.s[k];
  out[n] = '\0';
  return n;
}

}  // namespace zaforq

namespace {

// The report sequence shared by both precisions; T is the element type of the kernel.
template <class T>
void report(int32_t code, int32_t index, T arg1, T arg2, T* r1, T* r2, const char* name) {
  *_GetErrStatus() = static_cast<uint32_t>(code);
  const uint32_t mode = *_GetMode();
  if ((mode & ZAF_MODE_ERRMODE_MASK) == ZAF_MODE_ERRMODE_IGNORE) return;

  zafErrorRecord rec;
  memset(&rec, 0, sizeof rec);
  rec.code = code;
  rec.index = index;
  rec.funcNameLen = _zafCreateFuncNameStr("", name, "", rec.funcName);
  const bool has_values = code != ZAF_STATUS_BADSIZE && code != ZAF_STATUS_BADMEM;
  if (has_values) {
    rec.arg1 = arg1;
    rec.arg2 = arg2;
    rec.res1 = *r1;
    rec.res2 = *r2;
  }
  if (mode & 0xF000u) {
    if (zafErrorCallBack cb = _zafGetErrorCallBack())
      if (cb(&rec) != 0) return;
  }
  if (mode & 0x0F00u) _zafStdErrorHandler(&rec);
  if (has_values) {
    // res2 first: when both results are the same element, res1 is what remains.
    *r2 = static_cast<T>(rec.res2);
    *r1 = static_cast<T>(rec.res1);
  }
}

template <class T>
void report_arrays(int32_t code, int32_t index, const T* a1, const T* a2, T* r1, T* r2, const char* name) {
  if (code == ZAF_STATUS_BADSIZE || code == ZAF_STATUS_BADMEM) {
    report<T>(code, index, T(0), T(0), nullptr, nullptr, name);
    return;
  }
  report<T>(code, index, a1[index], a2[index], r1 + index, r2 + index, name);
}

}  // namespace

namespace zaforq {

void report_element(int32_t code, int32_t index, float arg1, float arg2, float* r1, float* r2,
                    const char* name) {
  report(code, index, arg1, arg2, r1, r2, name);
}
void report_element(int32_t code, int32_t index, double arg1, double arg2, double* r1, double* r2,
                    const char* name) {
  report(code, index, arg1, arg2, r1, r2, name);
}

}  // namespace zaforq

extern "C" {

ZAFORQ_API void _zafsError(int32_t code, int32_t index, const float* a1, const float* a2, float* r1,
                           float* r2, const char* name) {
  report_arrays(code, index, a1, a2, r1, r2, name);
}

ZAFORQ_API void _zafdError(int32_t code, int32_t index, const double* a1, const double* a2,
                           double* r1, double* r2, const char* name) {
  report_arrays(code, index, a1, a2, r1, r2, name);
}

}  // extern "C"
