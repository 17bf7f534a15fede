// Abstract streams: creation checks, the refill protocol (arguments seen by the refill
// function, short, zero, negative and oversized counts), ring wrapping, wrong-kind entries,
// the mapping of the double and float kinds, and use through the uniform entries.
#include <gtest/gtest.h>
#include <math.h>

#include <vector>

#include "zaforq.h"

namespace {

// The state after the 16-byte header starts with size, next and room.
struct Ring {
  int32_t size, next, room;
};
Ring ring(OrqStream s) {
  Ring r;
  memcpy(&r, static_cast<const char*>(s) + 16, sizeof r);
  return r;
}

// A scripted refill function: records each call's (start, wanted, room) and writes a running
// sequence 1, 2, 3, ... into the slots, as many as the policy says; returns `forced` instead
// when it is set.
struct Call {
  int32_t start, wanted, room;
  bool operator==(const Call& o) const { return start == o.start && wanted == o.wanted && room == o.room; }
};
enum Policy { kWanted, kRoom, kOne };
struct Script {
  Policy policy = kWanted;
  bool use_forced = false;
  int32_t forced = 0;
  uint32_t counter = 0;
  std::vector<Call> calls;
} script;

template <class T>
int32_t refill(OrqStream, int32_t* size, T* buffer, int32_t* wanted, int32_t* room, int32_t* start) {
  script.calls.push_back({*start, *wanted, *room});
  if (script.use_forced) return script.forced;
  const int32_t k = script.policy == kWanted ? *wanted : script.policy == kRoom ? *room : 1;
  for (int32_t i = 0; i < k; ++i) buffer[(*start + i) % *size] = static_cast<T>(++script.counter);
  return k;
}

void reset(Policy p) { script = Script(); script.policy = p; }

std::vector<uint32_t> draw(OrqStream s, int32_t n, int32_t* status = nullptr) {
  std::vector<uint32_t> r(n, 0xDEADBEEFu);
  const int32_t st = _orqiRngUniformBits(0, s, n, r.data());
  if (status) *status = st;
  else EXPECT_EQ(st, ORQ_STATUS_OK);
  return r;
}
std::vector<uint32_t> seq(uint32_t from, uint32_t to) {
  std::vector<uint32_t> r;
  for (uint32_t v = from; v <= to; ++v) r.push_back(v);
  return r;
}

TEST(AbstractStreams, CreationChecksInOrder) {
  uint32_t ib[4];
  double db[4];
  float fb[4];
  OrqStream sentinel = reinterpret_cast<OrqStream>(0x1234);
  auto run = [&](const char* what, auto create) {
    OrqStream s = sentinel;
    EXPECT_EQ(create(&s), ORQ_STATUS_BAD_ARGUMENT) << what;
    EXPECT_EQ(s, sentinel) << what << ": handle untouched";
  };
  run("n = 0", [&](OrqStream* s) { return __orqiNewAbstractStream(s, 0, ib, refill<uint32_t>); });
  run("n < 0", [&](OrqStream* s) { return __orqiNewAbstractStream(s, -4, ib, refill<uint32_t>); });
  run("null buffer", [&](OrqStream* s) { return __orqiNewAbstractStream(s, 4, nullptr, refill<uint32_t>); });
  run("null refill", [&](OrqStream* s) { return __orqiNewAbstractStream(s, 4, ib, nullptr); });
  run("double n = 0", [&](OrqStream* s) { return __orqdNewAbstractStream(s, 0, db, 0.0, 1.0, refill<double>); });
  run("lower = upper", [&](OrqStream* s) { return __orqdNewAbstractStream(s, 4, db, 1.0, 1.0, refill<double>); });
  run("lower > upper", [&](OrqStream* s) { return __orqdNewAbstractStream(s, 4, db, 2.0, 1.0, refill<double>); });
  run("NaN bound", [&](OrqStream* s) { return __orqdNewAbstractStream(s, 4, db, NAN, 1.0, refill<double>); });
  run("double null refill", [&](OrqStream* s) { return __orqdNewAbstractStream(s, 4, db, 0.0, 1.0, nullptr); });
  run("float lower = upper", [&](OrqStream* s) { return __orqsNewAbstractStream(s, 4, fb, 3.f, 3.f, refill<float>); });
  run("float null buffer", [&](OrqStream* s) { return __orqsNewAbstractStream(s, 4, nullptr, 0.f, 1.f, refill<float>); });
}

TEST(AbstractStreams, RefillArgumentsAndRingState) {
  uint32_t buf[4];
  struct Step {
    Policy policy;
    int32_t count;
    std::vector<Call> calls;  // the refill calls this step makes
    std::vector<uint32_t> values;
    Ring after;
  };
  const std::vector<std::vector<Step>> scenarios = {
      // refill writes what is wanted: 3, then 3 (slots 3, 0, 1)
      {{kWanted, 3, {{0, 3, 4}}, {1, 2, 3}, {4, 3, 4}}, {kWanted, 3, {{3, 3, 4}}, {4, 5, 6}, {4, 2, 4}}},
      // refill fills the room: one number stays, is delivered first next time
      {{kRoom, 3, {{0, 3, 4}}, {1, 2, 3}, {4, 3, 3}}, {kRoom, 3, {{0, 2, 4}}, {4, 5, 6}, {4, 2, 2}}},
      // one number per call: called again for the rest, start moving on
      {{kOne, 3, {{0, 3, 4}, {1, 2, 4}, {2, 1, 4}}, {1, 2, 3}, {4, 3, 4}}},
      // more than the ring in one call: the ring is refilled and wraps twice
      {{kWanted, 10, {{0, 4, 4}, {0, 4, 4}, {0, 2, 4}}, seq(1, 10), {4, 2, 4}}},
      // enough unread numbers: no call at all
      {{kRoom, 1, {{0, 1, 4}}, {1}, {4, 1, 1}}, {kRoom, 3, {}, {2, 3, 4}, {4, 0, 4}}},
  };
  for (size_t sc = 0; sc < scenarios.size(); ++sc) {
    OrqStream s = nullptr;
    ASSERT_EQ(__orqiNewAbstractStream(&s, 4, buf, refill<uint32_t>), 0);
    Ring fresh = ring(s);
    EXPECT_TRUE(fresh.size == 4 && fresh.next == 0 && fresh.room == 4) << "created empty";
    reset(kWanted);
    for (size_t i = 0; i < scenarios[sc].size(); ++i) {
      const Step& st = scenarios[sc][i];
      script.policy = st.policy;
      script.calls.clear();
      EXPECT_EQ(draw(s, st.count), st.values) << "scenario " << sc << " step " << i;
      EXPECT_EQ(script.calls, st.calls) << "scenario " << sc << " step " << i;
      const Ring r = ring(s);
      EXPECT_TRUE(r.size == st.after.size && r.next == st.after.next && r.room == st.after.room)
          << "scenario " << sc << " step " << i << ": next " << r.next << " room " << r.room;
    }
    __orqDeleteStream(&s);
  }
}

TEST(AbstractStreams, BadRefillCountsKeepTheState) {
  uint32_t buf[4];
  const struct {
    int32_t count;
    int32_t status;
  } bad[] = {{0, ORQ_STATUS_ABSTRACT_NO_NUMBERS}, {-1, ORQ_STATUS_ABSTRACT_BAD_COUNT}, {5, ORQ_STATUS_ABSTRACT_BAD_COUNT}};
  for (const auto& b : bad) {
    OrqStream s = nullptr;
    ASSERT_EQ(__orqiNewAbstractStream(&s, 4, buf, refill<uint32_t>), 0);
    reset(kRoom);
    draw(s, 2);  // slots 2, 3 unread: next 2, room 2
    script.use_forced = true;
    script.forced = b.count;
    int32_t st;
    const std::vector<uint32_t> got = draw(s, 3, &st);
    EXPECT_EQ(st, b.status) << "refill returned " << b.count;
    EXPECT_EQ(got[0], 3u);
    EXPECT_EQ(got[1], 4u) << "the numbers delivered before the refill stay in the output";
    const Ring r = ring(s);
    EXPECT_TRUE(r.next == 2 && r.room == 2) << "refill returned " << b.count << ": next " << r.next << " room " << r.room;
    script.use_forced = false;
    EXPECT_EQ(draw(s, 3), (std::vector<uint32_t>{3, 4, 5})) << "the stream goes on as before the failed call";
    __orqDeleteStream(&s);
  }
}

TEST(AbstractStreams, RingWrapsForAnyCallSizes) {
  // whatever the call sizes and refill policy, the delivered numbers are the written sequence
  for (Policy p : {kWanted, kRoom, kOne}) {
    for (int32_t size : {1, 3, 7, 64}) {
      std::vector<uint32_t> buf(size);
      OrqStream s = nullptr;
      ASSERT_EQ(__orqiNewAbstractStream(&s, size, buf.data(), refill<uint32_t>), 0);
      reset(p);
      uint32_t expect = 1;
      for (int32_t n : {1, 2, 5, 8, 13, 64, 100, 3, 1}) {
        const std::vector<uint32_t> got = draw(s, n);
        ASSERT_EQ(got, seq(expect, expect + n - 1)) << "policy " << p << " size " << size << " n " << n;
        expect += n;
      }
      __orqDeleteStream(&s);
    }
  }
}

TEST(AbstractStreams, WrongKindEntriesChangeNothing) {
  uint32_t ib[4];
  double db[4];
  float fb[4];
  OrqStream is = nullptr, ds = nullptr, fs = nullptr;
  ASSERT_EQ(__orqiNewAbstractStream(&is, 4, ib, refill<uint32_t>), 0);
  ASSERT_EQ(__orqdNewAbstractStream(&ds, 4, db, 0.0, 1.0, refill<double>), 0);
  ASSERT_EQ(__orqsNewAbstractStream(&fs, 4, fb, 0.f, 1.f, refill<float>), 0);
  reset(kRoom);
  uint32_t w[2];
  _orqiRngUniformBits(0, is, 1, w);
  const Ring before = ring(is);
  double d[2] = {7.0, 7.0};
  float f[2] = {7.f, 7.f};
  script.calls.clear();
  EXPECT_EQ(_orqdRngUniform(0, is, 2, d, 0.0, 1.0), ORQ_STATUS_WRONG_ABSTRACT_KIND);
  EXPECT_EQ(_orqsRngUniform(0, is, 2, f, 0.f, 1.f), ORQ_STATUS_WRONG_ABSTRACT_KIND);
  EXPECT_EQ(_orqiRngUniformBits(0, ds, 2, w), ORQ_STATUS_WRONG_ABSTRACT_KIND);
  EXPECT_EQ(_orqsRngUniform(0, ds, 2, f, 0.f, 1.f), ORQ_STATUS_WRONG_ABSTRACT_KIND);
  EXPECT_EQ(_orqiRngUniformBits(0, fs, 2, w), ORQ_STATUS_WRONG_ABSTRACT_KIND);
  EXPECT_EQ(_orqdRngUniform(0, fs, 2, d, 0.0, 1.0), ORQ_STATUS_WRONG_ABSTRACT_KIND);
  EXPECT_TRUE(script.calls.empty());
  EXPECT_EQ(d[0], 7.0);
  EXPECT_EQ(f[0], 7.f);
  const Ring after = ring(is);
  EXPECT_TRUE(after.next == before.next && after.room == before.room);
  for (OrqStream s : {is, ds, fs}) {
    EXPECT_EQ(__orqLeapfrogStream(s, 0, 2), ORQ_STATUS_NO_LEAPFROG);
    EXPECT_EQ(__orqSkipAheadStream(s, 1), ORQ_STATUS_NO_SKIPAHEAD);
    BrngRow row;
    __orqGetBrngProperties(__orqGetStreamStateBrng(s), &row);
    EXPECT_EQ(row.InitFn(5, s, 0, nullptr), ORQ_STATUS_UNKNOWN_METHOD);
    // the record holds caller addresses: not written to a stream file
    EXPECT_EQ(__orqSaveStreamF(s, "/nonexistent/never-written", -1), ORQ_STATUS_INVALID_GENERATOR);
  }
  __orqDeleteStream(&is);
  __orqDeleteStream(&ds);
  __orqDeleteStream(&fs);
}

// Reports the buffer's initial contents as written, once; later calls write nothing.
template <class T>
int32_t keep_once(OrqStream, int32_t*, T*, int32_t*, int32_t* room, int32_t*) {
  return script.calls.empty() ? (script.calls.push_back({}), *room) : 0;
}

TEST(AbstractStreams, DoubleAndFloatKindsMapOntoTheRequestedInterval) {
  {
    double db[1] = {0.25};
    OrqStream ds = nullptr;
    ASSERT_EQ(__orqdNewAbstractStream(&ds, 1, db, 0.0, 1.0, keep_once<double>), 0);
    reset(kWanted);
    double r = 0;
    ASSERT_EQ(_orqdRngUniform(0, ds, 1, &r, 10.0, 20.0), 0);
    EXPECT_EQ(r, 12.5);
    __orqDeleteStream(&ds);
  }
  const int n = 1000;
  std::vector<double> dv(n);
  std::vector<float> fv(n);
  for (int i = 0; i < n; ++i) {
    dv[i] = -1.0 + 4.0 * ((i * 7919) % n) / n + 1e-9 * (i % 3);  // spread over [-1, 3)
    fv[i] = static_cast<float>(dv[i]);
  }
  OrqStream ds = nullptr, fs = nullptr;
  ASSERT_EQ(__orqdNewAbstractStream(&ds, n, dv.data(), -1.0, 3.0, keep_once<double>), 0);
  ASSERT_EQ(__orqsNewAbstractStream(&fs, n, fv.data(), -1.0f, 3.0f, keep_once<float>), 0);
  std::vector<double> rd(n);
  std::vector<float> rs(n);
  reset(kWanted);
  ASSERT_EQ(_orqdRngUniform(0, ds, n, rd.data(), 0.1, 0.7), 0);
  reset(kWanted);
  ASSERT_EQ(_orqsRngUniform(0, fs, n, rs.data(), 0.1f, 0.7f), 0);
  const double sd = (0.7 - 0.1) / (3.0 - -1.0);
  const float sf = (0.7f - 0.1f) / (3.0f - -1.0f);
  for (int i = 0; i < n; ++i) {
    volatile double pd = (dv[i] - -1.0) * sd;
    volatile float pf = (fv[i] - -1.0f) * sf;
    ASSERT_EQ(rd[i], pd + 0.1) << i;
    ASSERT_EQ(rs[i], pf + 0.1f) << i << " computed in single precision";
    ASSERT_TRUE(rd[i] >= 0.1 && rd[i] < 0.7) << i;
  }
  __orqDeleteStream(&ds);
  __orqDeleteStream(&fs);
}

TEST(AbstractStreams, StateWithoutBufferIsRefused) {
  uint32_t buf[4];
  OrqStream s = nullptr;
  ASSERT_EQ(__orqiNewAbstractStream(&s, 4, buf, refill<uint32_t>), 0);
  // the buffer pointer follows size, next and room (aligned to 8 bytes in the x86-64 build)
  void* null_buffer = nullptr;
  memcpy(static_cast<char*>(s) + 16 + (sizeof(void*) == 4 ? 12 : 16), &null_buffer, sizeof null_buffer);
  reset(kWanted);
  int32_t st;
  draw(s, 2, &st);
  EXPECT_EQ(st, ORQ_STATUS_NULL_POINTER);
  EXPECT_TRUE(script.calls.empty());
  __orqDeleteStream(&s);
}

TEST(AbstractStreams, CopiesShareTheBufferWithTheirOwnPosition) {
  uint32_t buf[8];
  OrqStream s = nullptr, c = nullptr;
  ASSERT_EQ(__orqiNewAbstractStream(&s, 8, buf, refill<uint32_t>), 0);
  reset(kRoom);
  EXPECT_EQ(draw(s, 3), seq(1, 3));
  ASSERT_EQ(__orqCopyStream(&c, s), 0);
  EXPECT_EQ(draw(c, 5), seq(4, 8)) << "the copy reads the same unread numbers";
  EXPECT_EQ(draw(s, 2), seq(4, 5)) << "the original keeps its own position";
  EXPECT_EQ(ring(c).room, 8);
  EXPECT_EQ(ring(s).room, 5);
  __orqDeleteStream(&c);
  __orqDeleteStream(&s);
  EXPECT_EQ(s, nullptr);
}

}  // namespace
