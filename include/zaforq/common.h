/* zaforq: definitions shared by the public headers. C99. */
#ifndef ZAFORQ_COMMON_H
#define ZAFORQ_COMMON_H

#include <stddef.h>
#include <stdint.h>

/* The one export macro: every public entry is declared with it; everything else in the
   shared object has hidden visibility. */
#if defined(__GNUC__)
#define ZAFORQ_API __attribute__((visibility("default")))
#else
#define ZAFORQ_API
#endif

#ifdef __cplusplus
#define ZAFORQ_BEGIN_DECLS extern "C" {
#define ZAFORQ_END_DECLS }
#else
#define ZAFORQ_BEGIN_DECLS
#define ZAFORQ_END_DECLS
#endif

#endif
