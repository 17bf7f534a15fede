// A stream owned by a test, and the draws the tests compare.
#pragma once
#include <gtest/gtest.h>
#include <stdint.h>

#include <vector>

#include "zaforq.h"

struct Stream {
  OrqStream s = nullptr;
  int32_t status;
  Stream(int32_t id, std::vector<uint32_t> seed) {
    status = __orqNewStreamEx(&s, id, static_cast<int32_t>(seed.size()), seed.data());
  }
  Stream(int32_t id, int32_t n, const uint32_t* p) { status = __orqNewStreamEx(&s, id, n, p); }
  explicit Stream(OrqStream owned) : s(owned), status(0) {}
  ~Stream() {
    if (s) __orqDeleteStream(&s);
  }
  Stream(const Stream&) = delete;
  // n integer elements of `words` uint32 each
  std::vector<uint32_t> ints(int32_t n, int32_t words = 1) {
    std::vector<uint32_t> r(static_cast<size_t>(n) * words);
    EXPECT_EQ(_orqiRngUniformBits(0, s, n, r.data()), ORQ_STATUS_OK);
    return r;
  }
  std::vector<uint64_t> ints64(int32_t n) {
    std::vector<uint64_t> r(n);
    EXPECT_EQ(_orqiRngUniformBits(0, s, n, r.data()), ORQ_STATUS_OK);
    return r;
  }
  std::vector<double> doubles(int32_t n, double a = 0.0, double b = 1.0) {
    std::vector<double> r(n);
    EXPECT_EQ(_orqdRngUniform(0, s, n, r.data(), a, b), ORQ_STATUS_OK);
    return r;
  }
  std::vector<float> floats(int32_t n, float a = 0.0f, float b = 1.0f) {
    std::vector<float> r(n);
    EXPECT_EQ(_orqsRngUniform(0, s, n, r.data(), a, b), ORQ_STATUS_OK);
    return r;
  }
};
