// Pack and unpack: gather/scatter positions, block/tail boundaries, bit-exact copies and the
// untouched rest of every destination.
#include <gtest/gtest.h>
#include <string.h>

#include <random>
#include <vector>

#include "zaf.h"

namespace {

template <class T>
struct Api;
template <>
struct Api<float> {
  using W = uint32_t;
  static constexpr auto packI = _zafsPackI;
  static constexpr auto packV = _zafsPackV;
  static constexpr auto packM = _zafsPackM;
  static constexpr auto unpackI = _zafsUnpackI;
  static constexpr auto unpackV = _zafsUnpackV;
  static constexpr auto unpackM = _zafsUnpackM;
  static constexpr W snan = 0x7F800001u;  // signalling NaN: any float-unit copy would quiet it
};
template <>
struct Api<double> {
  using W = uint64_t;
  static constexpr auto packI = _zafdPackI;
  static constexpr auto packV = _zafdPackV;
  static constexpr auto packM = _zafdPackM;
  static constexpr auto unpackI = _zafdUnpackI;
  static constexpr auto unpackV = _zafdUnpackV;
  static constexpr auto unpackM = _zafdUnpackM;
  static constexpr W snan = 0x7FF0000000000001ull;
};

template <class T>
class Pack : public ::testing::Test {
 protected:
  using A = Api<T>;
  using W = typename A::W;
  std::mt19937_64 rng{42};

  // Random bit patterns, signalling NaNs and negative zeros among them.
  std::vector<T> random_values(size_t n) {
    std::vector<T> v(n);
    for (size_t i = 0; i < n; ++i) {
      W w = static_cast<W>(rng());
      if (i % 5 == 1) w = A::snan | static_cast<W>(i << 1);
      if (i % 7 == 3) w = W(1) << (sizeof(W) * 8 - 1);
      memcpy(&v[i], &w, sizeof w);
    }
    return v;
  }
  static W bits(T x) {
    W w;
    memcpy(&w, &x, sizeof w);
    return w;
  }
  // Destination filled with a sentinel pattern that no source value has.
  static std::vector<T> sentinel(size_t n) {
    std::vector<T> v(n);
    const W s = static_cast<W>(0x5A5A5A5A5A5A5A5Aull);
    for (auto& x : v) memcpy(&x, &s, sizeof s);
    return v;
  }
  static void expect_same(const std::vector<T>& want, const std::vector<T>& got) {
    ASSERT_EQ(want.size(), got.size());
    for (size_t i = 0; i < want.size(); ++i) EXPECT_EQ(bits(want[i]), bits(got[i])) << "at " << i;
  }
};

using Types = ::testing::Types<float, double>;
TYPED_TEST_SUITE(Pack, Types);

// Every count across the block boundaries, increments of both signs; the destination past n
// stays untouched, and unpack puts back exactly the strided positions.
TYPED_TEST(Pack, IncrementBothWaysAcrossBlockBoundaries) {
  using T = TypeParam;
  using A = typename TestFixture::A;
  for (int inc : {1, -1, 3, -4, 0}) {
    for (int n = 0; n <= 25; ++n) {
      const int span = (n + 1) * (inc < 0 ? -inc : (inc == 0 ? 1 : inc)) + 1;
      std::vector<T> a = this->random_values(2 * span + 1);
      const T* base = a.data() + span;  // room on both sides for negative increments
      std::vector<T> y = this->sentinel(n + 3), want = y;
      for (int i = 0; i < n; ++i) want[i] = base[static_cast<ptrdiff_t>(i) * inc];
      A::packI(n, base, inc, y.data());
      this->expect_same(want, y);

      if (inc == 0) continue;  // a zero increment scatters every element to one place
      std::vector<T> d = this->sentinel(a.size()), dwant = d;
      T* dbase = d.data() + span;
      for (int i = 0; i < n; ++i) dwant[span + static_cast<ptrdiff_t>(i) * inc] = y[i];
      A::unpackI(n, y.data(), dbase, inc);
      this->expect_same(dwant, d);
    }
  }
}

// Repeated and negative indices, and a permutation that unpack undoes.
TYPED_TEST(Pack, IndexVectors) {
  using T = TypeParam;
  using A = typename TestFixture::A;
  std::vector<T> a = this->random_values(40);
  const T* mid = a.data() + 20;
  const int32_t ia[] = {0, 0, 0, -20, 19, -1, 5, 5, 7, -3, 0};
  std::vector<T> y = this->sentinel(12), want = y;
  for (int i = 0; i < 11; ++i) want[i] = mid[ia[i]];
  A::packV(11, mid, ia, y.data());
  this->expect_same(want, y);

  for (int n : {1, 8, 9, 17}) {
    std::vector<int32_t> perm(n);
    for (int i = 0; i < n; ++i) perm[i] = i;
    std::shuffle(perm.begin(), perm.end(), this->rng);
    std::vector<T> src = this->random_values(n), packed = this->sentinel(n), back = this->sentinel(n + 1);
    A::packV(n, src.data(), perm.data(), packed.data());
    A::unpackV(n, packed.data(), back.data(), perm.data());
    EXPECT_EQ(this->bits(back[n]), this->bits(this->sentinel(1)[0]));  // nothing past n
    back.pop_back();
    this->expect_same(src, back);
  }
}

TYPED_TEST(Pack, UnpackVWritesOnlyIndexedPositions) {
  using T = TypeParam;
  using A = typename TestFixture::A;
  std::vector<T> src = this->random_values(9);
  const int32_t iy[] = {10, 2, 7, -2, 0, 12, 4, 9, -1};
  std::vector<T> y = this->sentinel(16), want = y;
  T* base = y.data() + 2;
  for (int i = 0; i < 9; ++i) want[2 + iy[i]] = src[i];
  A::unpackV(9, src.data(), base, iy);
  this->expect_same(want, y);
}

// Masks: all zero writes nothing, all ones is a copy, random masks select in order; any
// non-zero word selects.
TYPED_TEST(Pack, Masks) {
  using T = TypeParam;
  using A = typename TestFixture::A;
  for (int n : {0, 1, 7, 8, 9, 16, 23}) {
    std::vector<T> a = this->random_values(n + 1);
    std::vector<int32_t> none(n + 1, 0), all(n + 1, -1), some(n + 1);
    for (auto& m : some) m = (this->rng() % 3 == 0) ? static_cast<int32_t>(this->rng()) | 1 : 0;

    std::vector<T> y = this->sentinel(n + 2), want = y;
    A::packM(n, a.data(), none.data(), y.data());
    this->expect_same(want, y);

    for (int i = 0; i < n; ++i) want[i] = a[i];
    A::packM(n, a.data(), all.data(), y.data());
    this->expect_same(want, y);

    y = this->sentinel(n + 2);
    want = y;
    int j = 0;
    for (int i = 0; i < n; ++i)
      if (some[i]) want[j++] = a[i];
    A::packM(n, a.data(), some.data(), y.data());
    this->expect_same(want, y);

    // Unpack puts the packed elements back at the selected positions only.
    std::vector<T> d = this->sentinel(n + 2), dwant = d;
    for (int i = 0; i < n; ++i)
      if (some[i]) dwant[i] = a[i];
    A::unpackM(n, y.data(), d.data(), some.data());
    this->expect_same(dwant, d);
  }
}

// A count of zero or less touches no array: null pointers prove it.
TYPED_TEST(Pack, NonPositiveCountTouchesNothing) {
  using A = typename TestFixture::A;
  for (int32_t n : {0, -1, -9, INT32_MIN}) {
    A::packI(n, nullptr, 3, nullptr);
    A::packV(n, nullptr, nullptr, nullptr);
    A::packM(n, nullptr, nullptr, nullptr);
    A::unpackI(n, nullptr, nullptr, 3);
    A::unpackV(n, nullptr, nullptr, nullptr);
    A::unpackM(n, nullptr, nullptr, nullptr);
  }
  SUCCEED();  // reaching here without a fault is the check
}

}  // namespace
