// Fuzz target for the abstract-stream refill protocol. The input chooses the kind, the ring's
// size, a sequence of draws and, for every refill, how many numbers the caller's function
// claims to have written (the requested count, all the room, a part, none, too many, a negative
// count) and whether it scribbles over the size, wanted, room and start it was given.
//
// Oracle: a second, deliberately plain model of the ring (one slot at a time, its own shadow
// buffer, its own refill calls driven by the same script) predicts every refill's arguments,
// every delivered number, the status and what the ring holds afterwards. The library runs on an
// exactly-sized heap buffer, so the sanitizer sees any slot read or written outside it.
#include <math.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "fuzz_input.h"
#include "zaforq/orq_dist.h"
#include "zaforq/orq_quasi.h"
#include "zaforq/orq_streams.h"

namespace {

#define CHECK(c) \
  do {           \
    if (!(c)) abort(); \
  } while (0)

struct Action {
  int mode;     // 0 wanted, 1 room, 2 part of wanted, 3 none, 4 too many, 5 negative
  int part;     // for mode 2
  bool tamper;  // overwrite the four integers passed by address
};

struct RefillArgs {
  int32_t size, wanted, room, start;
  bool operator==(const RefillArgs& o) const {
    return size == o.size && wanted == o.wanted && room == o.room && start == o.start;
  }
};

// One side of the comparison (the library, or the model): its ring buffer, the position in the
// refill script, the serial number of the next value written, and the arguments it was called
// with.
struct Side {
  std::vector<uint32_t> words;  // the integer kind's buffer; the real kinds derive from it
  double* dbuf = nullptr;
  float* sbuf = nullptr;
  uint32_t* ibuf = nullptr;
  size_t script_at = 0;
  uint32_t serial = 1;
  std::vector<RefillArgs> calls;
};

struct Run {
  int kind = 0;  // 0 integer, 1 double, 2 float
  int32_t size = 1;
  double lower = 0, upper = 1;
  std::vector<Action> script;
  Side lib, model;
};

Run* g_run = nullptr;

// The value of serial number k in [lower, upper): distinct for distinct k within one ring.
double real_value(const Run& r, uint32_t k) { return r.lower + (r.upper - r.lower) * ((k % 997u) / 997.0); }

// Writes per the script into whichever buffer belongs to `side`, and returns the claimed count.
int32_t refill_on(Run& r, Side& side, int32_t* size, int32_t* wanted, int32_t* room, int32_t* start) {
  side.calls.push_back({*size, *wanted, *room, *start});
  const Action a = side.script_at < r.script.size() ? r.script[side.script_at] : Action{0, 0, false};
  ++side.script_at;
  int32_t k;
  switch (a.mode) {
    case 0: k = *wanted; break;
    case 1: k = *room; break;
    case 2: k = 1 + a.part % (*wanted > 0 ? *wanted : 1); break;
    case 3: k = 0; break;
    case 4: k = *room + 1 + a.part; break;
    default: k = -1 - a.part; break;
  }
  // Writes only the slots it may: at most room of them, from start, wrapping.
  const int32_t writes = k < 0 ? 0 : (k < *room ? k : *room);
  for (int32_t i = 0; i < writes; ++i) {
    const int32_t slot = (*start + i) % *size;
    const uint32_t v = side.serial++;
    if (r.kind == 0) side.ibuf[slot] = v;
    if (r.kind == 1) side.dbuf[slot] = real_value(r, v);
    if (r.kind == 2) side.sbuf[slot] = static_cast<float>(real_value(r, v));
  }
  if (a.tamper) *size = *wanted = *room = *start = 0x7FFFFFFF;
  return k;
}

int32_t lib_refill_i(OrqStream, int32_t* n, uint32_t*, int32_t* w, int32_t* room, int32_t* s) {
  return refill_on(*g_run, g_run->lib, n, w, room, s);
}
int32_t lib_refill_d(OrqStream, int32_t* n, double*, int32_t* w, int32_t* room, int32_t* s) {
  return refill_on(*g_run, g_run->lib, n, w, room, s);
}
int32_t lib_refill_s(OrqStream, int32_t* n, float*, int32_t* w, int32_t* room, int32_t* s) {
  return refill_on(*g_run, g_run->lib, n, w, room, s);
}

// The model ring: next and room, advanced one slot at a time.
struct Model {
  int32_t next = 0, room;
};

// Draws `count` numbers in the model; returns the status and appends the delivered slots'
// values (as doubles, mapped to [a, b) for the real kinds) to out.
int32_t model_draw(Run& r, Model& m, int32_t count, double a, double b, std::vector<double>& out) {
  Side& s = r.model;
  const Model before = m;
  const int32_t size = r.size;
  auto deliver = [&](int32_t slot) {
    if (r.kind == 0) out.push_back(s.ibuf[slot]);
    if (r.kind == 1) out.push_back((s.dbuf[slot] - r.lower) * ((b - a) / (r.upper - r.lower)) + a);
    if (r.kind == 2) {
      const float fa = static_cast<float>(a), fb = static_cast<float>(b);
      const float fl = static_cast<float>(r.lower), fu = static_cast<float>(r.upper);
      out.push_back((s.sbuf[slot] - fl) * ((fb - fa) / (fu - fl)) + fa);
    }
  };
  int32_t still = count;
  while (still > 0 && m.room < size) {  // undelivered numbers first
    deliver(m.next);
    m.next = (m.next + 1) % size;
    ++m.room;
    --still;
  }
  while (still > 0) {
    int32_t n = size, wanted = still < m.room ? still : m.room, room = m.room, start = m.next;
    const int32_t k = refill_on(r, s, &n, &wanted, &room, &start);
    if (k < 0 || k > m.room) {
      m = before;
      return ORQ_STATUS_ABSTRACT_BAD_COUNT;
    }
    if (k == 0) {
      m = before;
      return ORQ_STATUS_ABSTRACT_NO_NUMBERS;
    }
    m.room -= k;  // k fresh numbers from slot next on
    while (still > 0 && m.room < size) {
      deliver(m.next);
      m.next = (m.next + 1) % size;
      ++m.room;
      --still;
    }
  }
  return ORQ_STATUS_OK;
}

bool same(double x, double y) { return memcmp(&x, &y, sizeof x) == 0 || (isnan(x) && isnan(y)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in{data, size};
  Run r;
  g_run = &r;
  r.kind = in.in(0, 2);
  r.size = in.in(1, 40);
  if (r.kind != 0) {
    // Bounds representable in the kind's precision (the float kind would refuse 1e-300).
    static const double bounds[][2] = {{0, 1}, {-3, 5}, {-1e6, 1e-6}, {1e-30, 3e-30}, {1e-300, 2e-300}};
    const int bi = in.in(0, r.kind == 1 ? 4 : 3);
    r.lower = bounds[bi][0];
    r.upper = bounds[bi][1];
  }
  const int nactions = in.in(0, 48);
  for (int i = 0; i < nactions; ++i) {
    const uint32_t b = in.byte();
    r.script.push_back({static_cast<int>(b % 6), in.in(0, 50), (b & 0x80) != 0});
  }
  // Exactly-sized buffers: one for the library, one for the model.
  std::vector<void*> owned;
  auto make = [&](Side& s) {
    const size_t bytes = static_cast<size_t>(r.size) * (r.kind == 1 ? 8 : 4);
    void* p = calloc(1, bytes);
    CHECK(p);
    owned.push_back(p);
    if (r.kind == 0) s.ibuf = static_cast<uint32_t*>(p);
    if (r.kind == 1) s.dbuf = static_cast<double*>(p);
    if (r.kind == 2) s.sbuf = static_cast<float*>(p);
  };
  make(r.lib);
  make(r.model);

  OrqStream st = nullptr;
  int32_t status = r.kind == 0   ? __orqiNewAbstractStream(&st, r.size, r.lib.ibuf, lib_refill_i)
                   : r.kind == 1 ? __orqdNewAbstractStream(&st, r.size, r.lib.dbuf, r.lower, r.upper, lib_refill_d)
                                 : __orqsNewAbstractStream(&st, r.size, r.lib.sbuf, static_cast<float>(r.lower),
                                                           static_cast<float>(r.upper), lib_refill_s);
  CHECK(status == 0 && st);
  Model m{0, r.size};

  const int ops = in.in(1, 12);
  std::vector<double> want, got;
  for (int op = 0; op < ops; ++op) {
    const int what = in.in(0, 7);
    const int32_t count = in.in(1, 130);
    want.clear();
    got.clear();
    if (what == 6) {  // an entry of another kind answers -1122 and changes nothing
      double d[4];
      float f[4];
      uint32_t w[4];
      const int32_t s = r.kind == 0 ? _orqdRngUniform(0, st, 4, d, 0, 1)
                        : r.kind == 1 ? _orqsRngUniform(0, st, 4, f, 0, 1)
                                      : _orqiRngUniformBits(0, st, 4, w);
      CHECK(s == ORQ_STATUS_WRONG_ABSTRACT_KIND);
      continue;
    }
    if (what == 7) {  // a copy reads the same ring with its own position
      OrqStream copy = nullptr;
      CHECK(__orqCopyStream(&copy, st) == 0);
      CHECK(__orqDeleteStream(&st) == 0);
      st = copy;
      continue;
    }
    const double a = what < 3 ? 0.0 : -7.5, b = what < 3 ? 1.0 : 1e3;
    const size_t lib_calls = r.lib.calls.size();
    const int32_t ms = model_draw(r, m, count, a, b, want);
    if (r.kind == 0) {
      std::vector<uint32_t> out(count, 0xDEADBEEFu);
      status = _orqiRngUniformBits(0, st, count, out.data());
      for (size_t i = 0; i < want.size(); ++i) got.push_back(out[i]);
    } else if (r.kind == 1) {
      std::vector<double> out(count, -1.0);
      status = _orqdRngUniform(0, st, count, out.data(), a, b);
      got.assign(out.begin(), out.begin() + static_cast<long>(want.size()));
    } else {
      std::vector<float> out(count, -1.0f);
      status = _orqsRngUniform(0, st, count, out.data(), static_cast<float>(a), static_cast<float>(b));
      for (size_t i = 0; i < want.size(); ++i) got.push_back(out[i]);
    }
    CHECK(status == ms);
    // The refills the library made in this draw are the ones the model made, argument for
    // argument (what a tampering refill wrote back never moves the ring).
    CHECK(r.lib.calls.size() == r.model.calls.size());
    for (size_t i = lib_calls; i < r.lib.calls.size(); ++i) CHECK(r.lib.calls[i] == r.model.calls[i]);
    // Every number the model delivered, the library delivered (on a failed draw too: what was
    // written before the failing refill stays written).
    for (size_t i = 0; i < want.size(); ++i) CHECK(same(want[i], got[i]));
  }
  // Both rings hold the same numbers.
  CHECK(memcmp(owned[0], owned[1], static_cast<size_t>(r.size) * (r.kind == 1 ? 8 : 4)) == 0);
  CHECK(__orqDeleteStream(&st) == 0);
  for (void* p : owned) free(p);
  g_run = nullptr;
  return 0;
}
