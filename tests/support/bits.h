// Test support: values as their bit patterns and back, so that results can be compared bit for
// bit (signed zeros and NaN payloads told apart) or by their distance in representable values.
#pragma once
#include <cstdint>
#include <cstring>

// The same bytes read as another type of the same size.
template <class To, class From>
inline To same_bytes(From x) {
  static_assert(sizeof(To) == sizeof(From), "same size");
  To u;
  std::memcpy(&u, &x, sizeof u);
  return u;
}
inline uint64_t bits_of(double x) { return same_bytes<uint64_t>(x); }
inline uint32_t bits_of(float x) { return same_bytes<uint32_t>(x); }
inline double from_bits(uint64_t u) { return same_bytes<double>(u); }
inline float float_from_bits(uint32_t u) { return same_bytes<float>(u); }

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
