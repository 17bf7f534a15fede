/* A first zaforq program: register an error callback, report an element the way a kernel
   does, and read the thread's status back.
   Build: cc -std=c99 hello.c -I include -L build/release -lzaforq */
#include <stdio.h>

#include "zaforq.h"

static int32_t on_error(zafErrorRecord* rec) {
  printf("%s reported code %d at element %d\n", rec->funcName, rec->code, rec->index);
  return 1; /* handled: keep the kernel's result, skip errno and exceptions */
}

int main(void) {
  double a[1] = {-1.0};
  double r[1] = {0.0};
  _zafSetErrorCallBack(on_error);
  _zafdError(ZAF_STATUS_ERRDOM, 0, a, a, r, r, "example");
  printf("status %d, mode 0x%04x\n", (int)_zafGetErrStatus(), (unsigned)_zafGetMode());
  return _zafGetErrStatus() == ZAF_STATUS_ERRDOM ? 0 : 1;
}
