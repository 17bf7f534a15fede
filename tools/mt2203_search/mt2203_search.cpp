// Search for the 1024 parameter sets (a, b, c) of the MT2203 family.
//
//   mt2203_search twist FIRST LAST          twist constants for sets FIRST..LAST, one "k a" line each
//   mt2203_search table [--range F L] A_FILES...   picks the tempering masks, writes mt2203_table.inc
//   mt2203_search verify TABLE [k ...]      checks the full period of the sets named (default: all)
//
// A twist constant a gives the full period 2^2203 - 1 exactly when the characteristic
// polynomial of the recurrence (N = 69, M = 34, 5-bit lower mask) is primitive; 2^2203 - 1 is
// prime, so irreducible suffices. The polynomial is the minimal polynomial of one output bit,
// found by Berlekamp-Massey on 2 x 2203 bits. Candidates are sieved by their remainders modulo
// products of all irreducible polynomials of degree <= 16 (carry-less Barrett reduction), and
// only the survivors get the full test x^(2^2203) = x (mod P). The listed sets 0, 1, 2 and 1023
// are fixed and only verified. Build: g++ -O2 -mpclmul -std=c++17 mt2203_search.cpp
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gf2.h"
#include "mt2203_model.h"

namespace {

uint64_t splitmix(uint64_t& s) {
  uint64_t z = (s += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// ---- sieve: products of small irreducible polynomials, each of degree 32..63 -------------
struct SmallMod {
  uint64_t m;       // modulus, degree dm
  int dm;
  uint64_t mu;      // floor(x^(2 dm) / m), degree dm
  uint64_t x64;     // x^64 mod m
};

int deg64(uint64_t v) { return v ? 63 - __builtin_clzll(v) : -1; }
int deg128(unsigned __int128 v) {
  uint64_t hi = static_cast<uint64_t>(v >> 64);
  return hi ? 64 + deg64(hi) : deg64(static_cast<uint64_t>(v));
}
unsigned __int128 clmul128(uint64_t a, uint64_t b) {
  uint64_t lo, hi;
  gf2::clmul(a, b, lo, hi);
  return (static_cast<unsigned __int128>(hi) << 64) | lo;
}
uint64_t mod_small_slow(unsigned __int128 a, uint64_t m) {
  int dm = deg64(m);
  for (int i = deg128(a); i >= dm; i = deg128(a)) a ^= static_cast<unsigned __int128>(m) << (i - dm);
  return static_cast<uint64_t>(a);
}
uint64_t gcd64(uint64_t a, uint64_t b) {
  while (b) {
    while (a && deg64(a) >= deg64(b)) a ^= b << (deg64(a) - deg64(b));
    uint64_t t = a;
    a = b;
    b = t;
  }
  return a;
}

std::vector<SmallMod> build_sieve(int max_degree) {
  std::vector<uint64_t> irr;
  for (uint64_t p = 2; p < (2ull << max_degree); ++p) {
    int d = deg64(p);
    bool ok = true;
    for (uint64_t q : irr) {
      if (2 * deg64(q) > d) break;
      if (mod_small_slow(p, q) == 0) {
        ok = false;
        break;
      }
    }
    if (ok) irr.push_back(p);
  }
  // first fit by decreasing degree into products of degree <= 63
  std::vector<uint64_t> prod;
  std::vector<int> dsum;
  for (size_t k = irr.size(); k-- > 0;) {
    int d = deg64(irr[k]);
    size_t i = 0;
    while (i < prod.size() && dsum[i] + d > 63) ++i;
    if (i == prod.size()) {
      prod.push_back(1);
      dsum.push_back(0);
    }
    prod[i] = static_cast<uint64_t>(clmul128(prod[i], irr[k]));
    dsum[i] += d;
  }
  std::vector<SmallMod> mods;
  for (size_t i = 0; i < prod.size(); ++i) {
    uint64_t m = prod[i];
    // a product of degree < 32 gets a factor x^k: the candidates are never divisible by x
    if (dsum[i] < 32) m <<= 32 - dsum[i];
    SmallMod s;
    s.m = m;
    s.dm = deg64(m);
    unsigned __int128 num = static_cast<unsigned __int128>(1) << (2 * s.dm), q = 0;
    for (int j = 2 * s.dm; j >= s.dm; --j)
      if ((num >> j) & 1) {
        num ^= static_cast<unsigned __int128>(m) << (j - s.dm);
        q |= static_cast<unsigned __int128>(1) << (j - s.dm);
      }
    s.mu = static_cast<uint64_t>(q);
    s.x64 = mod_small_slow(static_cast<unsigned __int128>(1) << 64, m);
    mods.push_back(s);
  }
  return mods;
}

inline uint64_t barrett_small(unsigned __int128 a, const SmallMod& s) {
  uint64_t top = static_cast<uint64_t>(a >> s.dm);
  uint64_t q = static_cast<uint64_t>(clmul128(top, s.mu) >> s.dm);
  unsigned __int128 r = a ^ clmul128(q, s.m);
  return static_cast<uint64_t>(r) & ((1ull << s.dm) - 1);
}

// false when P has a factor of degree <= the sieve's
bool passes_sieve(const gf2::Poly& p, const std::vector<SmallMod>& mods) {
  for (const SmallMod& s : mods) {
    uint64_t r = 0;
    for (size_t w = p.size(); w-- > 0;) r = barrett_small(clmul128(r, s.x64) ^ p[w], s);
    if (gcd64(r, s.m >> __builtin_ctzll(s.m)) != 1) return false;
  }
  return true;
}

std::vector<SmallMod>& sieve() {
  static std::vector<SmallMod> mods = build_sieve(16);
  return mods;
}

bool full_period(uint32_t a, uint64_t seed, bool use_sieve) {
  gf2::Poly p = mt2203::characteristic_polynomial(a, seed);
  if (gf2::degree(p) != 2203) return false;
  if (use_sieve && !passes_sieve(p, sieve())) return false;
  return gf2::irreducible_prime_degree(p);
}

const uint32_t kListed[4][4] = {{0, 0xAF81055F, 0xDD7EEF80, 0xEFD78000},
                                {1, 0x832604E1, 0x66AD7F80, 0xEBD58000},
                                {2, 0x92F70739, 0x656D7780, 0xEFC50000},
                                {1023, 0xE1B6093F, 0x9D326E80, 0xEFD58000}};

int cmd_twist(int first, int last) {
  for (int k = first; k <= last; ++k) {
    bool listed = false;
    for (auto& row : kListed)
      if (static_cast<int>(row[0]) == k) {
        printf("%d 0x%08X\n", k, row[1]);
        listed = true;
      }
    if (listed) {
      fflush(stdout);
      continue;
    }
    uint64_t rng = 0x6D743232303300ull + static_cast<uint64_t>(k) * 0x100000001ull;
    for (long tries = 1;; ++tries) {
      uint32_t a = static_cast<uint32_t>(splitmix(rng)) | 0x80000000u;
      if (full_period(a, rng, true)) {
        printf("%d 0x%08X\n", k, a);
        fprintf(stderr, "set %d: a = 0x%08X after %ld candidates\n", k, a, tries);
        fflush(stdout);
        break;
      }
    }
  }
  return 0;
}

// ---- tempering ----------------------------------------------------------------------------
// k(v): the largest k for which the top v bits of k consecutive tempered outputs are
// equidistributed over the whole period, i.e. the map from the 2203 state bits to those
// k*v bits has full rank. Found by inserting the output functionals word by word into an
// echelon basis until one word's v bits are dependent.
struct OutputMatrix {
  // rows[t][j]: the untempered output bit j of word t as a functional of the state bits
  std::vector<std::vector<gf2::Poly>> rows;
};

OutputMatrix untempered_matrix(uint32_t a, int words) {
  OutputMatrix om;
  om.rows.assign(words, std::vector<gf2::Poly>(32, gf2::Poly(35, 0)));
  for (int i = 0; i < 2203; ++i) {
    // state bit i: bits 5..31 of word 0 are state bits 0..26, word w >= 1 holds bits 27+32(w-1)..
    uint32_t st[69] = {0};
    if (i < 27) st[0] = 1u << (i + 5);
    else st[1 + (i - 27) / 32] = 1u << ((i - 27) % 32);
    std::vector<uint32_t> out = mt2203::untempered_sequence(st, a, words);
    for (int t = 0; t < words; ++t)
      for (uint32_t y = out[t]; y; y &= y - 1) {
        int j = __builtin_ctz(y);
        om.rows[t][j][i >> 6] |= 1ull << (i & 63);
      }
  }
  return om;
}

// Tempered bit j (0 = most significant) of a word as a set of untempered bits.
std::vector<uint32_t> tempering_rows(uint32_t b, uint32_t c) {
  std::vector<uint32_t> rows(32);
  for (int bitpos = 0; bitpos < 32; ++bitpos) {
    uint32_t m = 0;
    for (int src = 0; src < 32; ++src)
      if ((mt2203::temper(1u << src, b, c) >> bitpos) & 1) m |= 1u << src;
    rows[31 - bitpos] = m;
  }
  return rows;
}

int k_of_v(const OutputMatrix& om, const std::vector<uint32_t>& trow, int v) {
  int kmax = 2203 / v;
  std::vector<gf2::Poly> basis(2203);  // basis[p] has leading bit p
  std::vector<bool> have(2203, false);
  for (int t = 0; t < kmax; ++t) {
    for (int j = 0; j < v; ++j) {
      gf2::Poly r(35, 0);
      for (uint32_t m = trow[j]; m; m &= m - 1) {
        const gf2::Poly& src = om.rows[t][__builtin_ctz(m)];
        for (int w = 0; w < 35; ++w) r[w] ^= src[w];
      }
      for (int w = 34; w >= 0; --w) {
        while (r[w]) {
          int p = w * 64 + 63 - __builtin_clzll(r[w]);
          if (!have[p]) {
            basis[p] = r;
            have[p] = true;
            goto inserted;
          }
          for (int x = 0; x <= w; ++x) r[x] ^= basis[p][x];
        }
      }
      return t;  // dependent: only t words are equidistributed at v bits
    inserted:;
    }
  }
  return kmax;
}

int cmd_table(int argc, char** argv) {
  // optional "--range FIRST LAST" writes only those rows (the header with row 0), so that
  // several processes can share the work and their outputs be concatenated
  int first = 0, last = 1023;
  if (argc >= 3 && !strcmp(argv[0], "--range")) {
    first = atoi(argv[1]);
    last = atoi(argv[2]);
    argc -= 3;
    argv += 3;
  }
  uint32_t a[1024] = {0};
  bool have[1024] = {false};
  for (int f = 0; f < argc; ++f) {
    FILE* in = fopen(argv[f], "r");
    if (!in) { perror(argv[f]); return 1; }
    int k;
    unsigned v;
    while (fscanf(in, "%d %x", &k, &v) == 2)
      if (k >= 0 && k < 1024) { a[k] = v; have[k] = true; }
    fclose(in);
  }
  for (int k = first; k <= last; ++k)
    if (!have[k]) { fprintf(stderr, "set %d has no twist constant\n", k); return 1; }
  const int vs[] = {1, 2, 3, 4, 5, 6, 7, 8, 16, 32};
  if (first == 0) printf("// Generated by tools/mt2203_search (mt2203_search table): 1024 MT2203 parameter sets\n"
         "// a, b, c. Every a gives an irreducible (so primitive) characteristic polynomial of\n"
         "// degree 2203. The defect of a row is the sum over v in {1..8, 16, 32} of\n"
         "// floor(2203 / v) - k(v), k(v) the dimension to which the top v bits of the tempered\n"
         "// output are equidistributed; b and c minimise it over sixteen random masks and 48\n"
         "// single-bit changes (the four fixed sets keep their masks). Do not edit.\n");
  for (int k = first; k <= last; ++k) {
    uint32_t best_b = 0, best_c = 0;
    int best = -1;
    const uint32_t* fixed = nullptr;
    for (auto& row : kListed)
      if (static_cast<int>(row[0]) == k) fixed = row;
    OutputMatrix om = untempered_matrix(a[k], 2203);
    uint64_t rng = 0x74656D706572ull + static_cast<uint64_t>(k) * 0x10001ull;
    auto defect_of = [&](uint32_t b, uint32_t c) {
      std::vector<uint32_t> trow = tempering_rows(b, c);
      int defect = 0;
      for (int v : vs) defect += 2203 / v - k_of_v(om, trow, v);
      return defect;
    };
    if (fixed) {
      best_b = fixed[2];
      best_c = fixed[3];
      best = defect_of(best_b, best_c);
    } else {
      // sixteen random masks, then single-bit changes of the best that lower the defect
      for (int cand = 0; cand < 16; ++cand) {
        uint32_t b = static_cast<uint32_t>(splitmix(rng)) & 0xFFFFFF80u;
        uint32_t c = static_cast<uint32_t>(splitmix(rng)) & 0xFFFF8000u;
        int d = defect_of(b, c);
        if (best < 0 || d < best) { best = d; best_b = b; best_c = c; }
      }
      for (int step = 0; step < 48; ++step) {
        uint32_t r = static_cast<uint32_t>(splitmix(rng));
        uint32_t b = best_b, c = best_c;
        if (r & 1) b ^= 1u << (7 + (r >> 1) % 25);
        else c ^= 1u << (15 + (r >> 1) % 17);
        int d = defect_of(b, c);
        if (d < best) { best = d; best_b = b; best_c = c; }
      }
    }
    printf("/* %4d */ 0x%08XU, 0x%08XU, 0x%08XU,  /* defect %d */\n", k, a[k], best_b, best_c, best);
    fprintf(stderr, "set %d: defect %d\n", k, best);
    fflush(stdout);
  }
  return 0;
}

int cmd_verify(int argc, char** argv) {
  FILE* in = fopen(argv[0], "r");
  if (!in) { perror(argv[0]); return 1; }
  std::vector<uint32_t> a;
  char line[512];
  while (fgets(line, sizeof line, in)) {
    const char* p = strstr(line, "*/");
    if (!p || line[0] != '/') continue;
    unsigned x, y, z;
    if (sscanf(p + 2, " 0x%xU, 0x%xU, 0x%xU", &x, &y, &z) == 3) a.push_back(x);
  }
  fclose(in);
  std::vector<int> which;
  for (int i = 1; i < argc; ++i) which.push_back(atoi(argv[i]));
  if (which.empty())
    for (int k = 0; k < static_cast<int>(a.size()); ++k) which.push_back(k);
  int bad = 0;
  for (int k : which) {
    bool ok = k >= 0 && k < static_cast<int>(a.size()) && full_period(a[k], 12345 + k, false);
    printf("set %d: %s\n", k, ok ? "full period" : "NOT full period");
    bad += !ok;
  }
  return bad ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && !strcmp(argv[1], "twist")) return cmd_twist(atoi(argv[2]), atoi(argv[3]));
  if (argc >= 3 && !strcmp(argv[1], "table")) return cmd_table(argc - 2, argv + 2);
  if (argc >= 3 && !strcmp(argv[1], "verify")) return cmd_verify(argc - 2, argv + 2);
  fprintf(stderr, "usage: mt2203_search twist FIRST LAST | table A_FILES... | verify TABLE [k...]\n");
  return 2;
}
