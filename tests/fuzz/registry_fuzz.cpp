// Fuzz target for generator registration: rows with fuzzed sizes, counts and functions.
// A refused row answers its status and changes nothing; an accepted one gives an id whose
// streams can be created, drawn from, copied, saved and loaded. The registered functions
// below touch only the record their stream's row declares.
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

#include "fuzz_input.h"
#include "zaforq/orq_streams.h"

namespace {

int32_t record_size(OrqStream s) {
  BrngRow row;
  if (__orqGetBrngProperties(__orqGetStreamStateBrng(s), &row) != 0) abort();
  return row.RecordSize;
}

// State: a 32-bit counter at byte 16 when the record has room, the rest filled with seeds.
uint32_t* counter(OrqStream s) {
  return record_size(s) >= 20 ? reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s) + 16) : nullptr;
}

int32_t init(int32_t method, OrqStream s, int32_t n, const uint32_t* params) {
  if (method != 0) return method == 1 || method == 2 ? ORQ_STATUS_NO_LEAPFROG : ORQ_STATUS_UNKNOWN_METHOD;
  const int32_t bytes = record_size(s) - 16;
  uint8_t* state = static_cast<uint8_t*>(s) + 16;
  for (int32_t i = 0; i < bytes; ++i) state[i] = static_cast<uint8_t>(n > 0 ? params[i % n] + i : i);
  return 0;
}

uint32_t next(OrqStream s) {
  uint32_t* c = counter(s);
  if (!c) return 12345u;
  *c = *c * 1664525u + 1013904223u;
  return *c;
}

int32_t draw_d(OrqStream s, int32_t n, double* r, double a, double b) {
  for (int32_t i = 0; i < n; ++i) r[i] = a + (b - a) * (next(s) * 0x1p-32);
  return 0;
}
int32_t draw_s(OrqStream s, int32_t n, float* r, float a, float b) {
  for (int32_t i = 0; i < n; ++i) r[i] = a + (b - a) * float(next(s) >> 8) * 0x1p-24f;
  return 0;
}
int32_t draw_i(OrqStream s, int32_t n, void* r) {
  BrngRow row;
  __orqGetBrngProperties(__orqGetStreamStateBrng(s), &row);
  uint8_t* out = static_cast<uint8_t*>(r);
  for (int32_t i = 0; i < n * row.WordBytes; i += 4) {
    const uint32_t v = next(s);
    memcpy(out + i, &v, 4);
  }
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string file = "/tmp/zaforq_fuzz_registry_" + std::to_string(getpid());
  FuzzInput in{data, size};
  BrngRow row;
  row.RecordSize = in.in(-4, 300);
  row.StateWords = in.in(-2, 80);
  row.ZeroPossible = in.in(0, 1);
  row.WordBytes = in.in(0, 17);
  row.OutputBits = in.in(-1, 129);
  const uint32_t present = in.byte();
  row.InitFn = present & 1 ? init : nullptr;
  row.FloatFn = present & 2 ? draw_s : nullptr;
  row.DoubleFn = present & 4 ? draw_d : nullptr;
  row.IntFn = present & 8 ? draw_i : nullptr;
  // Rows accepted so far; once the registry is full, an earlier one is exercised instead.
  static std::vector<std::pair<int32_t, BrngRow>> accepted;
  const int32_t before = __orqGetNumRegBrngs();
  int32_t id = __orqRegisterBrng(&row);
  if (id < 0) {
    if (__orqGetNumRegBrngs() != before) abort();
    if (id != ORQ_STATUS_REGISTRY_FULL || accepted.empty()) return 0;
    const auto& earlier = accepted[in.byte() % accepted.size()];
    id = earlier.first;
    row = earlier.second;
  } else {
    if (id != (before + 1) * 0x100000 || __orqGetNumRegBrngs() != before + 1) abort();
    accepted.push_back({id, row});
  }
  BrngRow back;
  if (__orqGetBrngProperties(id, &back) != 0 || back.RecordSize != row.RecordSize) abort();

  OrqStream s = nullptr;
  std::vector<uint32_t> seeds(in.in(0, 8));
  for (uint32_t& v : seeds) v = in.byte();
  if (__orqNewStreamEx(&s, id, static_cast<int32_t>(seeds.size()), seeds.data()) != 0 || !s) abort();
  const int32_t n = in.in(1, 40);
  std::vector<double> d(n);
  std::vector<float> f(n);
  std::vector<uint8_t> bits(static_cast<size_t>(n) * row.WordBytes);
  _orqdRngUniform(0, s, n, d.data(), -1.0, 1.0);
  _orqsRngUniform(0, s, n, f.data(), 0.0f, 2.0f);
  _orqiRngUniformBits(0, s, n, bits.data());
  __orqLeapfrogStream(s, in.in(-1, 3), in.in(-1, 3));
  __orqSkipAheadStream(s, in.in(-1, 100));
  OrqStream c = nullptr;
  if (__orqCopyStream(&c, s) != 0) abort();
  if (__orqCopyStreamState(c, s) != 0) abort();
  if (__orqSaveStreamF(s, file.c_str(), -1) == 0) {
    OrqStream t = nullptr;
    const int32_t loaded = __orqLoadStreamF(&t, file.c_str());
    // A record of exactly 16 bytes has no state, which the file format cannot tell from none.
    if (loaded != 0 && row.RecordSize > 16) abort();
    if (t) __orqDeleteStream(&t);
  }
  remove(file.c_str());
  __orqDeleteStream(&c);
  __orqDeleteStream(&s);
  return 0;
}
