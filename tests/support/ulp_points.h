// Checks a float kernel within one ulp of a long double reference on sixteen floats about each
// of a set of points (eight below, both signs): where a method switches, both sides are checked.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <vector>

template <class Ref>
void expect_within_one_ulp_about(void (*kernel)(int32_t, const float*, float*), std::initializer_list<float> centres,
                                 Ref ref) {
  std::vector<float> x;
  for (float c : centres) {
    float v = c;
    for (int k = 0; k < 8; ++k) v = std::nextafter(v, 0.0f);
    for (int k = 0; k < 16; ++k, v = std::nextafter(v, INFINITY)) x.insert(x.end(), {v, -v});
  }
  std::vector<float> r(x.size());
  kernel(static_cast<int32_t>(x.size()), x.data(), r.data());
  for (size_t i = 0; i < x.size(); ++i) {
    const long double want = ref(static_cast<long double>(x[i]));
    int e;
    frexpl(want, &e);
    EXPECT_LT(fabsl(r[i] - want), ldexpl(1, e - 24)) << "x = " << x[i];
  }
}
