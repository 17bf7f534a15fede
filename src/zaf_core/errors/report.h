// The kernel side of the error path: a kernel reports an element through its own name, after
// the element's result has been written, and the report may replace that result.
#pragma once
#include "zaf.h"

namespace zaforq {

// Reports one element from its values: the record takes arg1/arg2 and the results at r1/r2
// (pointers to the element itself), and the callback may replace those results. The exported
// _zafsError/_zafdError read their arrays at the index and come here; kernels come here
// directly, so a kernel may run in place and still report the argument it was given.
void report_element(int32_t code, int32_t index, float arg1, float arg2, float* r1, float* r2,
                    const char* name);
void report_element(int32_t code, int32_t index, double arg1, double arg2, double* r1, double* r2,
                    const char* name);

// Writes at most 8 characters of prefix, 64 of name and 8 of suffix, bounded overall by the
// record's 64-byte field (63 characters and the NUL); returns the characters written.
int32_t _zafCreateFuncNameStr(const char* prefix, const char* name, const char* suffix, char* out);

// The standard actions, selected by the thread's mode word.
void _zafStdErrorHandler(const zafErrorRecord* rec);
void _zafStdErrorHandlerErrno(const zafErrorRecord* rec);
void _zafStdErrorHandlerStderr(const zafErrorRecord* rec);
void _zafStdErrorHandlerExcept(const zafErrorRecord* rec);

}  // namespace zaforq
