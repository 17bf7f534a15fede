/* Monte Carlo estimate of pi over MPI ranks, each rank drawing from its own zaforq stream.

   mode 1  one MT2203 parameter set per rank (set = rank): independent streams, one per
           process; the estimate depends on the number of ranks, as it should.
   mode 2  one MCG59 stream cut into blocks of BLOCK points; block b goes to rank b mod size,
           which reaches it by skip-ahead. Every block's hit count and integral sum are
           computed from the same numbers whatever the number of ranks, and rank 0 adds them
           in block order, so the result is the same bits on 1, 2 or 64 ranks.

   Each point is a pair (x, y) of uniforms on [0, 1): a hit when x^2 + y^2 < 1 (pi ~ 4 hits/N),
   and the integral of 4 sqrt(1 - x^2) over [0, 1) by the mean of its values at x (the square
   roots through the library's vector kernel).

   Build and run:
     mpicc -O2 -std=c99 pi.c -I include -L build/release -Wl,-rpath,build/release -lzaforq -lm
     mpirun -np 4 ./a.out 2 4000000        # mode, number of points */
#include <math.h>
#include <mpi.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "zaforq.h"

enum { BLOCK = 1 << 16 }; /* points per block: 2 * BLOCK uniforms */
static const uint32_t SEED[2] = {20261206u, 7u};

static void check(int32_t status, const char* what, int rank) {
  if (status != 0) {
    fprintf(stderr, "rank %d: %s failed with status %d\n", rank, what, (int)status);
    MPI_Abort(MPI_COMM_WORLD, 1);
  }
}

/* Skip-ahead takes a 32-bit count; longer skips go in pieces. */
static void skip(OrqStream s, int64_t n, int rank) {
  while (n > 0) {
    int32_t step = n > INT32_MAX ? INT32_MAX : (int32_t)n;
    check(__orqSkipAheadStream(s, step), "skip-ahead", rank);
    n -= step;
  }
}

/* Draws `points` points from s: hits inside the quarter circle, and the sum of 4 sqrt(1 - x^2). */
static void draw(OrqStream s, int32_t points, double* u, double* w, int64_t* hits, double* sum,
                 int rank) {
  check(_orqdRngUniform(0, s, 2 * points, u, 0.0, 1.0), "uniform draw", rank);
  int64_t h = 0;
  for (int32_t i = 0; i < points; ++i) {
    double x = u[2 * i], y = u[2 * i + 1];
    h += x * x + y * y < 1.0;
    w[i] = 1.0 - x * x;
  }
  _zafdSqrt_HA(points, w, w);
  double acc = 0.0;
  for (int32_t i = 0; i < points; ++i) acc += 4.0 * w[i];
  *hits = h;
  *sum = acc;
}

int main(int argc, char** argv) {
  MPI_Init(&argc, &argv);
  int rank, size;
  MPI_Comm_rank(MPI_COMM_WORLD, &rank);
  MPI_Comm_size(MPI_COMM_WORLD, &size);
  int mode = argc > 1 ? atoi(argv[1]) : 2;
  int64_t total = argc > 2 ? atoll(argv[2]) : 4000000;
  if ((mode != 1 && mode != 2) || total < 1) {
    if (rank == 0) fprintf(stderr, "usage: %s [1|2] [points >= 1]\n", argv[0]);
    MPI_Finalize();
    return 2;
  }
  double* u = malloc(2 * sizeof(double) * BLOCK);
  double* w = malloc(sizeof(double) * BLOCK);
  if (!u || !w) check(-1, "malloc", rank);

  if (mode == 1) {
    if (size > 1024) {
      if (rank == 0) fprintf(stderr, "mode 1: MT2203 has 1024 parameter sets, not %d\n", size);
      MPI_Abort(MPI_COMM_WORLD, 1);
    }
    OrqStream s = NULL;
    check(__orqNewStreamEx(&s, ORQ_BRNG_MT2203 + rank, 2, SEED), "MT2203 stream", rank);
    int64_t mine = total / size + (rank < total % size);
    int64_t hits = 0;
    double sum = 0.0;
    for (int64_t done = 0; done < mine; done += BLOCK) {
      int32_t k = (int32_t)(mine - done < BLOCK ? mine - done : BLOCK);
      int64_t h;
      double part;
      draw(s, k, u, w, &h, &part, rank);
      hits += h;
      sum += part;
    }
    __orqDeleteStream(&s);
    int64_t all_hits = 0;
    double all_sum = 0.0;
    MPI_Reduce(&hits, &all_hits, 1, MPI_INT64_T, MPI_SUM, 0, MPI_COMM_WORLD);
    MPI_Reduce(&sum, &all_sum, 1, MPI_DOUBLE, MPI_SUM, 0, MPI_COMM_WORLD);
    if (rank == 0)
      printf("mode 1 (MT2203 set per rank), ranks %d, points %lld: pi ~ %.10f (hits), %.10f (integral)\n",
             size, (long long)total, 4.0 * (double)all_hits / (double)total, all_sum / (double)total);
  } else {
    int64_t nblocks = (total + BLOCK - 1) / BLOCK;
    /* One slot per block; each rank fills only its own, so the sums below add one value and
       zeros per slot: exact, whatever order the reduction takes. */
    int64_t* hits = calloc((size_t)nblocks, sizeof(int64_t));
    double* sums = calloc((size_t)nblocks, sizeof(double));
    int64_t* all_hits = rank == 0 ? calloc((size_t)nblocks, sizeof(int64_t)) : NULL;
    double* all_sums = rank == 0 ? calloc((size_t)nblocks, sizeof(double)) : NULL;
    if (!hits || !sums || (rank == 0 && (!all_hits || !all_sums))) check(-1, "calloc", rank);
    OrqStream s = NULL;
    check(__orqNewStreamEx(&s, ORQ_BRNG_MCG59, 2, SEED), "MCG59 stream", rank);
    int64_t position = 0; /* uniforms this rank's stream has passed */
    for (int64_t b = rank; b < nblocks; b += size) {
      skip(s, 2 * BLOCK * b - position, rank);
      int32_t k = (int32_t)(total - BLOCK * b < BLOCK ? total - BLOCK * b : BLOCK);
      draw(s, k, u, w, &hits[b], &sums[b], rank);
      position = 2 * BLOCK * b + 2 * (int64_t)k;
    }
    __orqDeleteStream(&s);
    MPI_Reduce(hits, all_hits, (int)nblocks, MPI_INT64_T, MPI_SUM, 0, MPI_COMM_WORLD);
    MPI_Reduce(sums, all_sums, (int)nblocks, MPI_DOUBLE, MPI_SUM, 0, MPI_COMM_WORLD);
    if (rank == 0) {
      int64_t h = 0;
      double sum = 0.0;
      for (int64_t b = 0; b < nblocks; ++b) {
        h += all_hits[b];
        sum += all_sums[b];
      }
      double pi_hits = 4.0 * (double)h / (double)total, pi_int = sum / (double)total;
      printf("mode 2 (MCG59 blocks by skip-ahead), ranks %d, points %lld: pi ~ %.10f (hits), %.10f (integral)\n",
             size, (long long)total, pi_hits, pi_int);
      printf("result %lld %a %a\n", (long long)h, pi_hits, pi_int); /* the exact bits, to compare */
    }
    free(hits);
    free(sums);
    free(all_hits);
    free(all_sums);
  }
  free(u);
  free(w);
  MPI_Finalize();
  return 0;
}
