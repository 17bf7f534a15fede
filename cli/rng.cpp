// zaforq rng: numbers from a random stream, as text or raw binary, with skip-ahead, leapfrog
// and stream files; and the random-stream section of zaforq demo.
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "rng_dist.h"
#include "zaforq.h"

namespace {

struct Named {
  const char* name;
  int32_t id;
};
const Named kGenerators[] = {{"mcg31", ORQ_BRNG_MCG31},     {"mcg31m1", ORQ_BRNG_MCG31}, {"r250", ORQ_BRNG_R250},
                             {"mrg32k3a", ORQ_BRNG_MRG32K3A}, {"mcg59", ORQ_BRNG_MCG59},   {"wh", ORQ_BRNG_WH},
                             {"sobol", ORQ_BRNG_SOBOL},     {"niederr", ORQ_BRNG_NIEDERR}, {"mt19937", ORQ_BRNG_MT19937},
                             {"mt2203", ORQ_BRNG_MT2203}};

// "mt19937", "mt2203:5" (parameter set 5), or a number such as 0x900005
bool parse_brng(const char* text, int32_t* id) {
  std::string s(text);
  std::string base = s.substr(0, s.find(':'));
  for (const Named& g : kGenerators) {
    if (base != g.name) continue;
    *id = g.id;
    if (base.size() < s.size()) {
      char* end;
      long set = std::strtol(s.c_str() + base.size() + 1, &end, 0);
      if (*end || set < 0 || set > 0xFFFFF) return false;
      *id += static_cast<int32_t>(set);
    }
    return true;
  }
  char* end;
  errno = 0;
  long long v = std::strtoll(text, &end, 0);
  if (*end || errno || v < INT32_MIN || v > INT32_MAX) return false;
  *id = static_cast<int32_t>(v);
  return true;
}

bool parse_long(const char* text, long long lo, long long hi, long long* out) {
  char* end;
  errno = 0;
  long long v = std::strtoll(text, &end, 0);
  if (!*text || *end || errno || v < lo || v > hi) return false;
  *out = v;
  return true;
}

bool parse_double(const char* text, double* out) {
  char* end;
  *out = std::strtod(text, &end);
  return *text && !*end;
}

int fail(const char* what, int32_t status) {
  std::fprintf(stderr, "zaforq rng: %s failed with status %d\n", what, status);
  return 1;
}

struct Options {
  int32_t id = ORQ_BRNG_MT19937;
  std::vector<uint32_t> seeds;
  long long n = 10;
  enum { kUnit, kUniform, kBits } kind = kUnit;
  double a = 0.0, b = 1.0;
  bool single = false, binary = false;
  const char* out = nullptr;
  const char* save = nullptr;
  const char* load = nullptr;
  long long skip = -1, lf_k = -1, lf_n = -1;
};

int parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto need = [&](int count) {
      if (i + count >= argc) {
        std::fprintf(stderr, "zaforq rng: %s needs %d value%s\n", arg.c_str(), count, count > 1 ? "s" : "");
        return false;
      }
      return true;
    };
    long long v;
    if (arg == "--brng") {
      if (!need(1)) return 2;
      if (!parse_brng(argv[++i], &o.id)) {
        std::fprintf(stderr, "zaforq rng: unknown generator '%s'\n", argv[i]);
        return 2;
      }
    } else if (arg == "--seed") {
      if (!need(1) || !parse_long(argv[++i], 0, UINT32_MAX, &v)) {
        std::fprintf(stderr, "zaforq rng: --seed takes a number from 0 to 4294967295\n");
        return 2;
      }
      o.seeds.push_back(static_cast<uint32_t>(v));
    } else if (arg == "-n") {
      if (!need(1) || !parse_long(argv[++i], 0, INT64_MAX / 16, &o.n)) {
        std::fprintf(stderr, "zaforq rng: -n takes a count of 0 or more\n");
        return 2;
      }
    } else if (arg == "--uniform") {
      if (!need(2) || !parse_double(argv[i + 1], &o.a) || !parse_double(argv[i + 2], &o.b) || !(o.a < o.b)) {
        std::fprintf(stderr, "zaforq rng: --uniform takes two numbers a < b\n");
        return 2;
      }
      i += 2;
      o.kind = Options::kUniform;
    } else if (arg == "--bits") {
      o.kind = Options::kBits;
    } else if (arg == "--float") {
      o.single = true;
    } else if (arg == "--format") {
      if (!need(1)) return 2;
      std::string f = argv[++i];
      if (f != "text" && f != "binary") {
        std::fprintf(stderr, "zaforq rng: --format is text or binary\n");
        return 2;
      }
      o.binary = f == "binary";
    } else if (arg == "-o") {
      if (!need(1)) return 2;
      o.out = argv[++i];
    } else if (arg == "--skip") {
      if (!need(1) || !parse_long(argv[++i], 0, INT32_MAX, &o.skip)) {
        std::fprintf(stderr, "zaforq rng: --skip takes a count from 0 to 2147483647\n");
        return 2;
      }
    } else if (arg == "--leapfrog") {
      if (!need(2) || !parse_long(argv[i + 1], 0, INT32_MAX, &o.lf_k) || !parse_long(argv[i + 2], 1, INT32_MAX, &o.lf_n)) {
        std::fprintf(stderr, "zaforq rng: --leapfrog takes K >= 0 and N >= 1\n");
        return 2;
      }
      i += 2;
    } else if (arg == "--save") {
      if (!need(1)) return 2;
      o.save = argv[++i];
    } else if (arg == "--load") {
      if (!need(1)) return 2;
      o.load = argv[++i];
    } else if (int used = rng_dist_option(argc, argv, i)) {
      if (used < 0) return 2;
      i += used - 1;
    } else {
      std::fprintf(stderr, "zaforq rng: unknown option '%s' (see zaforq rng --help)\n", arg.c_str());
      return 2;
    }
  }
  return rng_dist_check();
}

int cmd_rng(int argc, char** argv) {
  Options o;
  if (int bad = parse(argc, argv, o)) return bad;
  OrqStream s = nullptr;
  int32_t st;
  if (o.load) {
    st = __orqLoadStreamF(&s, o.load);
    if (st < 0) return fail("loading the stream file", st);
  } else {
    if (o.seeds.empty()) o.seeds.push_back(1);
    st = __orqNewStreamEx(&s, o.id, static_cast<int32_t>(o.seeds.size()), o.seeds.data());
    if (st < 0) {
      if (s) __orqDeleteStream(&s);
      return fail("creating the stream", st);
    }
  }
  int rc = 0;
  if (o.lf_k >= 0 && (st = __orqLeapfrogStream(s, static_cast<int32_t>(o.lf_k), static_cast<int32_t>(o.lf_n))) < 0)
    rc = fail("leapfrog", st);
  if (!rc && o.skip >= 0 && (st = __orqSkipAheadStream(s, static_cast<int32_t>(o.skip))) < 0) rc = fail("skip-ahead", st);
  FILE* out = stdout;
  if (!rc && o.out && !(out = std::fopen(o.out, o.binary ? "wb" : "w"))) {
    std::fprintf(stderr, "zaforq rng: cannot open %s: %s\n", o.out, std::strerror(errno));
    rc = 1;
  }
  BrngRow props;
  __orqGetBrngProperties(__orqGetStreamStateBrng(s), &props);
  const int32_t block = 4096;
  std::vector<unsigned char> buf(static_cast<size_t>(block) * 16);
  if (!rc && rng_dist_active()) rc = rng_dist_run(s, o.n, o.single, o.binary, out);
  for (long long done = 0; !rc && !rng_dist_active() && done < o.n;) {
    int32_t k = static_cast<int32_t>(o.n - done < block ? o.n - done : block);
    size_t elem;
    if (o.kind == Options::kBits) {
      st = _orqiRngUniformBits(0, s, k, buf.data());
      elem = static_cast<size_t>(props.WordBytes);
    } else if (o.single) {
      st = _orqsRngUniform(0, s, k, reinterpret_cast<float*>(buf.data()), static_cast<float>(o.a), static_cast<float>(o.b));
      elem = sizeof(float);
    } else {
      st = _orqdRngUniform(0, s, k, reinterpret_cast<double*>(buf.data()), o.a, o.b);
      elem = sizeof(double);
    }
    if (st < 0) {
      rc = fail("generation", st);
      break;
    }
    if (o.binary) {
      if (std::fwrite(buf.data(), elem, static_cast<size_t>(k), out) != static_cast<size_t>(k)) rc = 1;
    } else {
      for (int32_t i = 0; i < k; ++i) {
        const unsigned char* p = buf.data() + i * elem;
        if (o.kind == Options::kBits) {
          if (elem == 4) {
            uint32_t v;
            std::memcpy(&v, p, 4);
            std::fprintf(out, "%" PRIu32 "\n", v);
          } else if (elem == 8) {
            uint64_t v;
            std::memcpy(&v, p, 8);
            std::fprintf(out, "%" PRIu64 "\n", v);
          } else {
            uint32_t v[4];
            std::memcpy(v, p, 16);
            std::fprintf(out, "%" PRIu32 " %" PRIu32 " %" PRIu32 " %" PRIu32 "\n", v[0], v[1], v[2], v[3]);
          }
        } else if (o.single) {
          float v;
          std::memcpy(&v, p, 4);
          std::fprintf(out, "%.9g\n", static_cast<double>(v));
        } else {
          double v;
          std::memcpy(&v, p, 8);
          std::fprintf(out, "%.17g\n", v);
        }
      }
    }
    done += k;
  }
  if (out && out != stdout && std::fclose(out) != 0) rc = 1;
  if (!rc && o.save && (st = __orqSaveStreamF(s, o.save, -1)) < 0) rc = fail("saving the stream file", st);
  __orqDeleteStream(&s);
  return rc;
}

void demo_rng() {
  std::printf("== Random streams ==\n");
  std::printf("%d generators registered\n", __orqGetNumRegBrngs());
  OrqStream mt = nullptr;
  const uint32_t seed = 5489;
  __orqNewStreamEx(&mt, ORQ_BRNG_MT19937, 1, &seed);
  uint32_t w[4];
  _orqiRngUniformBits(0, mt, 4, w);
  std::printf("MT19937, key {5489}: %u %u %u %u\n", w[0], w[1], w[2], w[3]);
  double d[3];
  _orqdRngUniform(0, mt, 3, d, 10.0, 20.0);
  std::printf("  then three doubles on [10, 20): %.6f %.6f %.6f\n", d[0], d[1], d[2]);

  OrqStream whole = nullptr, part = nullptr;
  const uint32_t one = 1;
  __orqNewStreamEx(&whole, ORQ_BRNG_MCG31, 1, &one);
  __orqCopyStream(&part, whole);
  uint32_t x[10], y[3];
  _orqiRngUniformBits(0, whole, 10, x);
  __orqLeapfrogStream(part, 1, 3);
  _orqiRngUniformBits(0, part, 3, y);
  std::printf("MCG31m1 from 1: x1 x4 x7 = %u %u %u; leapfrog (1, 3) gives %u %u %u\n", x[1], x[4], x[7], y[0], y[1],
              y[2]);

  OrqStream r250 = nullptr;
  __orqNewStreamEx(&r250, ORQ_BRNG_R250, 1, &one);
  int32_t refused = __orqSkipAheadStream(r250, 10);
  std::printf("R250 refuses skip-ahead with status %d\n", refused);

  const char* path = "/tmp/zaforq-demo-stream.bin";
  int32_t saved = __orqSaveStreamF(mt, path, -1);
  OrqStream back = nullptr;
  int32_t loaded = __orqLoadStreamF(&back, path);
  if (saved == 0 && loaded == 0) {
    uint32_t u, v;
    _orqiRngUniformBits(0, mt, 1, &u);
    _orqiRngUniformBits(0, back, 1, &v);
    std::printf("saved to %s and loaded back: next words %u and %u\n", path, u, v);
    __orqDeleteStream(&back);
  } else {
    std::printf("stream file round trip failed: save %d, load %d\n", saved, loaded);
  }
  std::remove(path);
  __orqDeleteStream(&mt);
  __orqDeleteStream(&whole);
  __orqDeleteStream(&part);
  __orqDeleteStream(&r250);
}

const RegisterCommand rng_command(
    {"rng", "numbers from a random stream",
     "usage: zaforq rng [--brng NAME] [--seed S]... [-n N] [--uniform A B | --bits] [--float]\n"
     "                  [--format text|binary] [-o FILE] [--skip K] [--leapfrog K N]\n"
     "                  [--save FILE] [--load FILE]\n\n"
     "  --brng NAME      mcg31, r250, mcg59, mt19937 (default), mt2203[:SET], or a generator id\n"
     "  --seed S         a 32-bit seed word; repeat for more words (default: one word, 1)\n"
     "  -n N             how many numbers (default 10)\n"
     "  --uniform A B    doubles (or floats with --float) on [A, B); the default is [0, 1)\n"
     "  --bits           the generator's integer output words\n"
     "  --format binary  raw native-endian numbers, for piping into other tools\n"
     "  --skip K         skip the first K numbers; --leapfrog K N: every N-th number from the K-th\n"
     "  --load FILE      continue a stream from a stream file instead of creating one\n"
     "  --save FILE      write the stream, as it stands after the numbers, to a stream file\n"
     ZAFORQ_RNG_DIST_USAGE,
     cmd_rng});

const RegisterDemo rng_section({40, "rng", "random streams: generators, leapfrog, stream files", demo_rng});

}  // namespace
