/* zaforq: vector mathematics, random streams and distributions, convolution and FFT.
   Umbrella header: include this one and link with -lzaforq. C99.

   Threads. The library starts no thread and takes no lock.
   - Per thread: the vector-math mode word, error status and error callback. Each thread has its
     own, created on first use and freed when the thread ends; setting them in one thread never
     affects another.
   - Safe to call from any number of threads at once: every vector-math kernel, pack and unpack,
     the registry's read-only queries, and everything that works only on objects the calling
     thread owns.
   - Not shareable without the caller's own serialisation: a stream (drawing advances its state
     and may add chunks), a convolution task (execution stores its status), and registering a
     generator (it appends to the one registry; register before starting threads).
   - Shareable read-only once created: an FFT descriptor (transforms only read it; give each
     thread its own work buffer, or none) and a task that is only copied, never edited or executed. */
#ifndef ZAFORQ_H
#define ZAFORQ_H

#include "zaf.h"
#include "orq.h"
#include "gaxs.h"
#include "zaforq/cpu.h"

#endif
