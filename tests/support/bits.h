// Test support: values as their bit patterns and back, so that results can be compared bit for
// bit (signed zeros and NaN payloads told apart) or by their distance in representable values.
#pragma once
#include <cstdint>
#include <cstring>

inline uint64_t bits_of(double x) {
  uint64_t u;
  std::memcpy(&u, &x, 8);
  return u;
}
inline uint32_t bits_of(float x) {
  uint32_t u;
  std::memcpy(&u, &x, 4);
  return u;
}

inline double from_bits(uint64_t u) {
  double x;
  std::memcpy(&x, &u, 8);
  return x;
}
inline float float_from_bits(uint32_t u) {
  float x;
  std::memcpy(&x, &u, 4);
  return x;
}

// Distance in representable values between two finite values of the same type, across zero.
inline int64_t ulps(double a, double b) {
  auto key = [](double x) {
    const int64_t i = static_cast<int64_t>(bits_of(x));
    return i < 0 ? INT64_MIN - i : i;
  };
  const int64_t d = key(a) - key(b);
  return d < 0 ? -d : d;
}
inline int64_t ulps(float a, float b) {
  auto key = [](float x) {
    const int32_t i = static_cast<int32_t>(bits_of(x));
    return static_cast<int64_t>(i < 0 ? INT32_MIN - i : i);
  };
  const int64_t d = key(a) - key(b);
  return d < 0 ? -d : d;
}
