/* zaforq random streams: status codes, generator registry, stream services, stream files, basic generators. C99; included by orq.h.

   What is checked: generator ids, initialisation methods, leapfrog and skip-ahead arguments,
   registry rows, abstract-stream arguments and stream files answer with the statuses below.
   What is trusted: stream handles and output arrays must be valid, and generation and
   distribution counts at least 1; a null stream or array there is the caller's error, not a
   status. Deleting a null stream does nothing. */
#ifndef ZAFORQ_ORQ_STREAMS_H
#define ZAFORQ_ORQ_STREAMS_H

#include "zaforq/common.h"

ZAFORQ_BEGIN_DECLS

/* ---- status codes of the random-stream component (0 success, negative failure) ---------- */
#define ORQ_STATUS_OK 0
#define ORQ_STATUS_UNKNOWN_METHOD (-2)          /* initialisation method other than 0, 1, 2 */
#define ORQ_STATUS_BAD_ARGUMENT (-3)            /* abstract-stream creation arguments */
#define ORQ_STATUS_NO_MEMORY (-4)               /* an allocation failed */
#define ORQ_STATUS_NULL_POINTER (-5)            /* registration with a null function, ... */
#define ORQ_STATUS_INVALID_GENERATOR (-1000)    /* id without a registered row or set */
#define ORQ_STATUS_NO_LEAPFROG (-1002)          /* leapfrog unsupported or refused */
#define ORQ_STATUS_NO_SKIPAHEAD (-1003)         /* skip-ahead unsupported or refused */
#define ORQ_STATUS_GENERATOR_MISMATCH (-1005)   /* state copy between different rows */
#define ORQ_STATUS_REGISTRY_FULL (-1007)        /* registration with 512 rows in use */
#define ORQ_STATUS_BAD_STATE_SIZE (-1008)       /* registration: RecordSize below 16 */
#define ORQ_STATUS_BAD_WORD_SIZE (-1009)        /* registration: WordBytes not 4, 8 or 16 */
#define ORQ_STATUS_BAD_STATE_WORDS (-1010)      /* registration: StateWords below 1 */
#define ORQ_STATUS_BAD_BIT_COUNT (-1011)        /* registration: OutputBits below 1 */
#define ORQ_STATUS_FILE_CLOSE_FAILED (-1100)
#define ORQ_STATUS_FILE_OPEN_FAILED (-1101)
#define ORQ_STATUS_FILE_WRITE_FAILED (-1102)
#define ORQ_STATUS_FILE_READ_FAILED (-1103)
#define ORQ_STATUS_BAD_FILE_FORMAT (-1110)
#define ORQ_STATUS_BAD_FILE_VERSION (-1111)
#define ORQ_STATUS_ABSTRACT_BAD_COUNT (-1120)
#define ORQ_STATUS_ABSTRACT_NO_NUMBERS (-1121)
#define ORQ_STATUS_WRONG_ABSTRACT_KIND (-1122)

/* ---- generator ids: (registry row + 1) << 20, plus a parameter-set offset ---------------- */
#define ORQ_BRNG_MCG31 0x100000
#define ORQ_BRNG_R250 0x200000
#define ORQ_BRNG_MRG32K3A 0x300000
#define ORQ_BRNG_MCG59 0x400000
#define ORQ_BRNG_WH 0x500000
#define ORQ_BRNG_SOBOL 0x600000
#define ORQ_BRNG_NIEDERR 0x700000
#define ORQ_BRNG_MT19937 0x800000
#define ORQ_BRNG_MT2203 0x900000
#define ORQ_BRNG_IABSTRACT 0xA00000
#define ORQ_BRNG_DABSTRACT 0xB00000
#define ORQ_BRNG_SABSTRACT 0xC00000

/* ---- stream handle and generator functions ------------------------------------------------ */
/* A stream is a heap record: a 16-byte header (int32 generator id at 0, flag byte at 4,
   chunk-list head in a 64-bit slot at 8) followed by the generator state from byte 16. */
typedef void* OrqStream;

/* method 0: new stream (n seed words in params); 1: leapfrog (n = nstreams, params points
   to the int32 k); 2: skip-ahead (n = nskip, params null). */
typedef int32_t (*OrqInitFn)(int32_t method, OrqStream stream, int32_t n, const uint32_t* params);
typedef int32_t (*OrqFloatFn)(OrqStream stream, int32_t n, float* r, float a, float b);
typedef int32_t (*OrqDoubleFn)(OrqStream stream, int32_t n, double* r, double a, double b);
typedef int32_t (*OrqIntFn)(OrqStream stream, int32_t n, void* r);

/* One registry row, also the generator-properties record.
   Size: 36 bytes in the i386 build (5 x int32, then the 4-byte pointers at 20, 24, 28, 32),
   56 bytes in the x86-64 build (InitFn at 24 after 4 bytes of padding, then 32, 40, 48). */
typedef struct BrngRow {
  int32_t RecordSize;   /* bytes of one stream record, 16-byte header included */
  int32_t StateWords;   /* words a state copy transfers from byte 16 */
  int32_t ZeroPossible; /* 1 if the output may be zero */
  int32_t WordBytes;    /* bytes per integer output element: 4, 8 or 16 */
  int32_t OutputBits;   /* random bits per integer output element */
  OrqInitFn InitFn;
  OrqFloatFn FloatFn;
  OrqDoubleFn DoubleFn;
  OrqIntFn IntFn;
} BrngRow;

/* ---- generator registry ------------------------------------------------------------------- */
ZAFORQ_API extern BrngRow __RegBrngsNew[512]; /* current table: 12 built-in rows, then user rows */
ZAFORQ_API extern BrngRow __RegBrngs[512];    /* legacy table, 279 rows used */

/* Resolves an id: returns the table and writes its row and parameter-set offset. */
ZAFORQ_API BrngRow* __orqGetBrngBaseOffset(int32_t id, int32_t* row, int32_t* offset);
ZAFORQ_API int32_t __orqIsBrngValid(const BrngRow* table, int32_t row, int32_t offset);
ZAFORQ_API int32_t __orqRegisterBrng(const BrngRow* properties);
ZAFORQ_API int32_t __orqGetBrngProperties(int32_t id, BrngRow* properties);
ZAFORQ_API int32_t __orqGetNumRegBrngs(void);

/* ---- stream services ------------------------------------------------------------------------ */
ZAFORQ_API int32_t __orqNewStreamEx(OrqStream* stream, int32_t id, int32_t n, const uint32_t* params);
ZAFORQ_API int32_t __orqAllocateStream(OrqStream* stream, const BrngRow* table, int32_t id, int32_t row,
                                       int32_t offset);
ZAFORQ_API int32_t __orqCopyStream(OrqStream* copy, OrqStream source);
ZAFORQ_API int32_t __orqCopyStreamState(OrqStream destination, OrqStream source);
ZAFORQ_API int32_t __orqDeleteStream(OrqStream* stream);
ZAFORQ_API int32_t __orqLeapfrogStream(OrqStream stream, int32_t k, int32_t nstreams);
ZAFORQ_API int32_t __orqSkipAheadStream(OrqStream stream, int32_t nskip);
ZAFORQ_API int32_t __orqGetStreamStateBrng(OrqStream stream);

/* Chunks: keyed heap blocks owned by a stream (data released with free by the stream). */
ZAFORQ_API int32_t __orqAddChunk(OrqStream stream, uint32_t key, void* data, uint32_t size);
ZAFORQ_API void* __orqSearchChunk(OrqStream stream, uint32_t key);
ZAFORQ_API int32_t __orqGetNumChunks(OrqStream stream);

/* ---- stream files --------------------------------------------------------------------------- */
/* name_length >= 0: the first name_length characters of name; negative: a terminated string. */
ZAFORQ_API int32_t __orqSaveStreamF(OrqStream stream, const char* name, int32_t name_length);
ZAFORQ_API int32_t __orqLoadStreamF(OrqStream* stream, const char* name);

/* ---- basic generators ------------------------------------------------------------------------ */
ZAFORQ_API int32_t __orqBRngMCG31M1InitStream(int32_t method, OrqStream stream, int32_t n, const uint32_t* params);
ZAFORQ_API int32_t __orqdBRngMCG31M1(OrqStream stream, int32_t n, double* r, double a, double b);
ZAFORQ_API int32_t __orqsBRngMCG31M1(OrqStream stream, int32_t n, float* r, float a, float b);
ZAFORQ_API int32_t __orqiBRngMCG31M1(OrqStream stream, int32_t n, void* r);

ZAFORQ_API int32_t __orqBRngMCG59InitStream(int32_t method, OrqStream stream, int32_t n, const uint32_t* params);
ZAFORQ_API int32_t __orqdBRngMCG59(OrqStream stream, int32_t n, double* r, double a, double b);
ZAFORQ_API int32_t __orqsBRngMCG59(OrqStream stream, int32_t n, float* r, float a, float b);
ZAFORQ_API int32_t __orqiBRngMCG59(OrqStream stream, int32_t n, void* r);

ZAFORQ_API int32_t __orqBRngR250InitStream(int32_t method, OrqStream stream, int32_t n, const uint32_t* params);
ZAFORQ_API int32_t __orqdBRngR250(OrqStream stream, int32_t n, double* r, double a, double b);
ZAFORQ_API int32_t __orqsBRngR250(OrqStream stream, int32_t n, float* r, float a, float b);
ZAFORQ_API int32_t __orqiBRngR250(OrqStream stream, int32_t n, void* r);

/* MRG32k3a (skip-ahead, no leapfrog) and Wichmann-Hill (273 parameter sets, id 0x500000 + set;
   the integer entry writes 16 bytes per element: the four component values). */
ZAFORQ_API int32_t __orqBRngMRG32K3AInitStream(int32_t method, OrqStream stream, int32_t n, const uint32_t* params);
ZAFORQ_API int32_t __orqdBRngMRG32K3A(OrqStream stream, int32_t n, double* r, double a, double b);
ZAFORQ_API int32_t __orqsBRngMRG32K3A(OrqStream stream, int32_t n, float* r, float a, float b);
ZAFORQ_API int32_t __orqiBRngMRG32K3A(OrqStream stream, int32_t n, void* r);

ZAFORQ_API int32_t __orqBRngWHInitStream(int32_t method, OrqStream stream, int32_t n, const uint32_t* params);
ZAFORQ_API int32_t __orqdBRngWH(OrqStream stream, int32_t n, double* r, double a, double b);
ZAFORQ_API int32_t __orqsBRngWH(OrqStream stream, int32_t n, float* r, float a, float b);
ZAFORQ_API int32_t __orqiBRngWH(OrqStream stream, int32_t n, void* r);

/* Wichmann-Hill parameter sets: the moduli (primes below 2^24), multipliers and the doubles
   nearest 1/modulus of set s at entries 4s to 4s + 3. */
ZAFORQ_API extern const uint32_t _orq_WH_M[4 * 273];
ZAFORQ_API extern const uint8_t _orq_WH_A[4 * 273];
ZAFORQ_API extern const double _orqdWH_IM_Tab[4 * 273];

/* v = K^e v mod m for the companion matrix K = [[0, 1, 0], [0, 0, 1], [c[2], c[1], c[0]]] of
   x(n) = c[0] x(n-1) + c[1] x(n-2) + c[2] x(n-3), v = (x(n-3), x(n-2), x(n-1)); products in 64
   bits. A negative exponent leaves v unchanged. */
ZAFORQ_API void __orqiVect3PowMod(uint32_t* v, const uint32_t* c, uint32_t m, int32_t e);

ZAFORQ_API int32_t __orqBRngMT19937InitStream(int32_t method, OrqStream stream, int32_t n, const uint32_t* params);
ZAFORQ_API int32_t __orqdBRngMT19937(OrqStream stream, int32_t n, double* r, double a, double b);
ZAFORQ_API int32_t __orqsBRngMT19937(OrqStream stream, int32_t n, float* r, float a, float b);
ZAFORQ_API int32_t __orqiBRngMT19937(OrqStream stream, int32_t n, void* r);

ZAFORQ_API int32_t __orqBRngMT2203InitStream(int32_t method, OrqStream stream, int32_t n, const uint32_t* params);
ZAFORQ_API int32_t __orqdBRngMT2203(OrqStream stream, int32_t n, double* r, double a, double b);
ZAFORQ_API int32_t __orqsBRngMT2203(OrqStream stream, int32_t n, float* r, float a, float b);
ZAFORQ_API int32_t __orqiBRngMT2203(OrqStream stream, int32_t n, void* r);

/* 1024 MT2203 parameter sets: a, b, c of set k at words 3k, 3k + 1, 3k + 2. */
ZAFORQ_API extern const uint32_t _orq_mt2203_table[3 * 1024];

/* Modular powers by right-to-left binary exponentiation (1 for exponent 0; 0 for a negative
   exponent or a zero modulus, which have no result here). */
ZAFORQ_API uint32_t __orqiPowMod(uint32_t base, int32_t exponent, uint32_t modulus);
ZAFORQ_API uint32_t __orqiPowMod2P31M1(uint32_t base, int32_t exponent);
ZAFORQ_API uint64_t __orqiPowMod2P59(uint32_t base_lo, uint32_t base_hi, int32_t exponent);

/* ---- uniform entries ------------------------------------------------------------------------- */
/* n uniform numbers on [a, b) from the stream's generator (the method is not looked at). */
ZAFORQ_API int32_t _orqdRngUniform(int32_t method, OrqStream stream, int32_t n, double* r, double a, double b);
ZAFORQ_API int32_t _orqsRngUniform(int32_t method, OrqStream stream, int32_t n, float* r, float a, float b);
/* n integer output words of the generator (its WordBytes each), unchanged. */
ZAFORQ_API int32_t _orqiRngUniformBits(int32_t method, OrqStream stream, int32_t n, void* r);

ZAFORQ_END_DECLS

#endif
