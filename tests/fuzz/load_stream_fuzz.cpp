// Fuzz target for loading stream files: any bytes must give a status or a usable stream,
// never a crash, leak or out-of-bounds access. A loaded stream is drawn from, copied, saved
// and loaded again.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "zaforq/orq_streams.h"

namespace {
std::string path(const char* tag) { return "/tmp/zaforq_fuzz_" + std::to_string(getpid()) + tag; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string in = path(".in"), out = path(".out");
  FILE* f = fopen(in.c_str(), "wb");
  if (!f) return 0;
  if (size) fwrite(data, size, 1, f);
  fclose(f);
  OrqStream s = nullptr;
  int32_t status = __orqLoadStreamF(&s, in.c_str());
  remove(in.c_str());
  if (status < 0) {
    if (s) abort();  // a failed load leaves no stream behind
    return 0;
  }
  if (!s) abort();
  BrngRow p;
  if (__orqGetBrngProperties(__orqGetStreamStateBrng(s), &p) < 0) abort();
  unsigned char words[700 * 16];
  double d[700];
  float x[300];
  _orqiRngUniformBits(0, s, 700, words);
  _orqdRngUniform(0, s, 700, d, 0.0, 1.0);
  _orqsRngUniform(0, s, 300, x, -1.0f, 1.0f);
  _orqiRngUniformBits(0, s, 3, words);
  __orqSkipAheadStream(s, 5);
  OrqStream c = nullptr;
  if (__orqCopyStream(&c, s) == 0) __orqDeleteStream(&c);
  if (__orqSaveStreamF(s, out.c_str(), -1) == 0) {
    OrqStream t = nullptr;
    if (__orqLoadStreamF(&t, out.c_str()) != 0) abort();  // what was saved loads again
    __orqDeleteStream(&t);
  }
  remove(out.c_str());
  __orqDeleteStream(&s);
  return 0;
}
