// A registered test generator that records every call the distributions make to it: the count and
// the bounds. Its numbers come from the minimal standard congruential sequence
// x <- 48271 x mod (2^31 - 1), u = x / 2^31, so a test can recompute the uniforms it handed out.
#pragma once
#include <math.h>
#include <stdint.h>
#include <string.h>

#include <vector>

#include "zaforq.h"

namespace rec {

struct Call {
  char kind;  // 'd', 's' or 'i'
  int32_t n;
  double a, b;
};
inline std::vector<Call>& calls() {
  static std::vector<Call> c;
  return c;
}

inline uint32_t& state(OrqStream s) { return *reinterpret_cast<uint32_t*>(static_cast<char*>(s) + 16); }
inline double next(OrqStream s) {
  uint32_t& x = state(s);
  x = static_cast<uint32_t>(static_cast<uint64_t>(x) * 48271u % 2147483647u);
  return x / 2147483648.0;
}

inline int32_t init(int32_t method, OrqStream s, int32_t n, const uint32_t* p) {
  if (method != 0) return ORQ_STATUS_UNKNOWN_METHOD;
  state(s) = n > 0 && p[0] % 2147483647u ? p[0] % 2147483647u : 1u;
  return 0;
}
inline int32_t gen_d(OrqStream s, int32_t n, double* r, double a, double b) {
  calls().push_back({'d', n, a, b});
  for (int32_t i = 0; i < n; ++i) r[i] = a + (b - a) * next(s);
  return 0;
}
inline int32_t gen_s(OrqStream s, int32_t n, float* r, float a, float b) {
  calls().push_back({'s', n, a, b});
  for (int32_t i = 0; i < n; ++i) r[i] = static_cast<float>(a + (b - a) * next(s));
  return 0;
}
inline int32_t gen_i(OrqStream s, int32_t n, void* r) {
  calls().push_back({'i', n, 0, 0});
  for (int32_t i = 0; i < n; ++i) static_cast<uint32_t*>(r)[i] = static_cast<uint32_t>(next(s) * 4294967296.0);
  return 0;
}

// The generator's id, registered once per process.
inline int32_t id() {
  static int32_t registered = [] {
    BrngRow row = {24, 1, 0, 4, 31, init, gen_s, gen_d, gen_i};
    return __orqRegisterBrng(&row);
  }();
  return registered;
}

inline OrqStream make(uint32_t seed = 12345) {
  OrqStream s = nullptr;
  __orqNewStreamEx(&s, id(), 1, &seed);
  calls().clear();
  return s;
}

// The first n uniforms on [0, 1) a fresh stream with this seed hands out.
inline std::vector<double> uniforms(int32_t n, uint32_t seed = 12345) {
  OrqStream s = make(seed);
  std::vector<double> u(n);
  for (double& x : u) x = next(s);
  __orqDeleteStream(&s);
  return u;
}

inline std::vector<int32_t> counts() {
  std::vector<int32_t> c;
  for (const Call& k : calls()) c.push_back(k.n);
  return c;
}

}  // namespace rec
