/* Layout assertions of the public records, compiled by both the C and the C++ check
   (_Static_assert is mapped to static_assert in C++). Records that hold pointers differ in
   size between the builds; those checks name the build they hold for. */
#include <stddef.h>

_Static_assert(sizeof(zafErrorRecord) == 108, "zafErrorRecord is 108 bytes");
_Static_assert(offsetof(zafErrorRecord, code) == 0, "code");
_Static_assert(offsetof(zafErrorRecord, index) == 4, "index");
_Static_assert(offsetof(zafErrorRecord, arg1) == 8, "arg1");
_Static_assert(offsetof(zafErrorRecord, arg2) == 16, "arg2");
_Static_assert(offsetof(zafErrorRecord, res1) == 24, "res1");
_Static_assert(offsetof(zafErrorRecord, res2) == 32, "res2");
_Static_assert(offsetof(zafErrorRecord, funcName) == 40, "funcName");
_Static_assert(offsetof(zafErrorRecord, funcNameLen) == 104, "funcNameLen");

/* Each area keeps its own assertions. */
#include "layout/orq_streams.h"
#include "layout/orq_conv.h"
#include "layout/gaxs_fft.h"
