// The standard error actions: errno, a message on standard error, a floating-point exception.
#include <errno.h>
#include <stdio.h>

#include "common/bits.h"
#include "zaf.h"
#include "zaf_core/errors/report.h"
#include "zaf_core/mode/thread_word.h"

// The message heading, and the operands of the exception action: the smallest normal double
// plus one ulp (its square underflows inexactly), the largest finite double, 0 and 1.
extern const char* const _zafStrErrStatusHeading = "Error (ZAF_STATUS_%s) in %s: ";
extern const uint64_t _zafdSpecialTab[4] = {0x0010000000000001ull, 0x7FEFFFFFFFFFFFFFull,
                                            0x0000000000000000ull, 0x3FF0000000000000ull};

namespace zaforq {

namespace {

// "Differs" in the sense of the message rule: a comparison with a NaN counts as equal.
bool differs(double a, double b) { return a < b || a > b; }

}  // namespace

void _zafStdErrorHandlerErrno(const zafErrorRecord* rec) {
  switch (rec->code) {
    case ZAF_STATUS_OK: errno = 0; break;
    case ZAF_STATUS_BADSIZE: errno = EINVAL; break;
    case ZAF_STATUS_BADMEM: errno = EACCES; break;
    case ZAF_STATUS_ERRDOM: errno = EDOM; break;
    case ZAF_STATUS_SING:
    case ZAF_STATUS_OVERFLOW:
    case ZAF_STATUS_UNDERFLOW: errno = ERANGE; break;
    default: errno = EFAULT; break;
  }
}

void _zafStdErrorHandlerStderr(const zafErrorRecord* rec) {
  const char* name = rec->funcName;
  switch (rec->code) {
    case ZAF_STATUS_OK: return;
    case ZAF_STATUS_BADSIZE:
      fprintf(stderr, _zafStrErrStatusHeading, "BADSIZE", name);
      fprintf(stderr, "array size %d is not positive\n", rec->index);
      return;
    case ZAF_STATUS_BADMEM:
      fprintf(stderr, _zafStrErrStatusHeading, "BADMEM", name);
      fprintf(stderr, "NULL pointer is passed\n");
      return;
    case ZAF_STATUS_ERRDOM:
      fprintf(stderr, _zafStrErrStatusHeading, "ERRDOM", name);
      fprintf(stderr, "argument is out of domain\n");
      break;
    case ZAF_STATUS_SING:
      fprintf(stderr, _zafStrErrStatusHeading, "SING", name);
      fprintf(stderr, "argument caused singularity\n");
      break;
    case ZAF_STATUS_OVERFLOW:
      fprintf(stderr, _zafStrErrStatusHeading, "OVERFLOW", name);
      fprintf(stderr, "argument caused overflow\n");
      break;
    case ZAF_STATUS_UNDERFLOW:
      fprintf(stderr, _zafStrErrStatusHeading, "UNDERFLOW", name);
      fprintf(stderr, "argument caused underflow\n");
      break;
    default:
      fprintf(stderr, "Unknown error in %s", name);
      break;
  }
  const int i = rec->index;
  const bool arg2 = differs(rec->arg2, rec->arg1) && differs(rec->arg2, 0.0);
  const bool res2 = differs(rec->res2, rec->res1) && differs(rec->res2, 0.0);
  if (!arg2 && !res2)
    fprintf(stderr, "a(%d)=%g\nr(%d)=%g\n", i, rec->arg1, i, rec->res1);
  else if (!arg2)
    fprintf(stderr, "a(%d)=%g\ny(%d)=%g\nz(%d)=%g\n", i, rec->arg1, i, rec->res1, i, rec->res2);
  else if (!res2)
    fprintf(stderr, "a(%d)=%g\nb(%d)=%g\ny(%d)=%g\n", i, rec->arg1, i, rec->arg2, i, rec->res1);
  else
    fprintf(stderr, "a(%d)=%g\nb(%d)=%g\ny(%d)=%g\nz(%d)=%g\n", i, rec->arg1, i, rec->arg2, i,
            rec->res1, i, rec->res2);
}

void _zafStdErrorHandlerExcept(const zafErrorRecord* rec) {
  // Volatile operands and result: the operation must happen at run time, in SSE arithmetic,
  // so the processor raises the flag (and traps if the caller unmasked it).
  volatile double x, y;
  volatile double out;
  switch (rec->code) {
    case ZAF_STATUS_ERRDOM: x = bits<double>(_zafdSpecialTab[2]); out = x / x; break;
    case ZAF_STATUS_SING:
      x = bits<double>(_zafdSpecialTab[3]);
      y = bits<double>(_zafdSpecialTab[2]);
      out = x / y;
      break;
    case ZAF_STATUS_OVERFLOW: x = bits<double>(_zafdSpecialTab[1]); out = x * x; break;
    case ZAF_STATUS_UNDERFLOW: x = bits<double>(_zafdSpecialTab[0]); out = x * x; break;
    default: break;
  }
  (void)out;
}

void _zafStdErrorHandler(const zafErrorRecord* rec) {
  const uint32_t mode = *_GetMode();
  if (mode & ZAF_MODE_ERRMODE_ERRNO) _zafStdErrorHandlerErrno(rec);
  if (mode & ZAF_MODE_ERRMODE_STDERR) _zafStdErrorHandlerStderr(rec);
  if (mode & ZAF_MODE_ERRMODE_EXCEPT) _zafStdErrorHandlerExcept(rec);
}

}  // namespace zaforq
