// The kernel side of the error path: a kernel reports an element through its own name, after
// the element's result has been written, and the report may replace that result.
#pragma once
#include "zaf.h"

namespace zaforq {

// Binds a kernel's name into its reports (the name lives in the kernel's policy).
template <class Policy>
struct ErrorCall {
  static void report(int32_t code, int32_t i, const float* a1, const float* a2, float* r1, float* r2) {
    _zafsError(code, i, a1, a2, r1, r2, Policy::name);
  }
  static void report(int32_t code, int32_t i, const double* a1, const double* a2, double* r1, double* r2) {
    _zafdError(code, i, a1, a2, r1, r2, Policy::name);
  }
  // One argument, one result: the arrays are passed twice each.
  template <class T>
  static void report(int32_t code, int32_t i, const T* a, T* r) { report(code, i, a, a, r, r); }
};

// Writes at most 8 characters of prefix, 64 of name and 8 of suffix, bounded overall by the
// record's 64-byte field (63 characters and the NUL); returns the characters written.
int32_t _zafCreateFuncNameStr(const char* prefix, const char* name, const char* suffix, char* out);

// The standard actions, selected by the thread's mode word.
void _zafStdErrorHandler(const zafErrorRecord* rec);
void _zafStdErrorHandlerErrno(const zafErrorRecord* rec);
void _zafStdErrorHandlerStderr(const zafErrorRecord* rec);
void _zafStdErrorHandlerExcept(const zafErrorRecord* rec);

}  // namespace zaforq
