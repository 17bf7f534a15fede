// Stream services: creation, copy, state copy, deletion, leapfrog and skip-ahead.
#include <stdlib.h>

#include "orq_sub_kernel/_service/stream.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqAllocateStream(OrqStream* stream, const BrngRow* table, int32_t id,
                                                  int32_t row, int32_t offset) {
  if (__orqIsBrngValid(table, row, offset) != ORQ_STATUS_OK) return ORQ_STATUS_INVALID_GENERATOR;
  void* record = malloc(static_cast<size_t>(table[row].RecordSize));
  *stream = record;
  if (!record) return ORQ_STATUS_NO_MEMORY;
  StreamHeader* h = header(record);
  h->id = id;
  h->flag = 1;
  h->pad[0] = h->pad[1] = h->pad[2] = 0;
  set_chunk_head(record, nullptr);
  return ORQ_STATUS_OK;
}

extern "C" ZAFORQ_API int32_t __orqNewStreamEx(OrqStream* stream, int32_t id, int32_t n, const uint32_t* params) {
  // abstract streams own caller buffers and are made only by their own creation functions
  if (id == ORQ_BRNG_IABSTRACT || id == ORQ_BRNG_DABSTRACT || id == ORQ_BRNG_SABSTRACT)
    return ORQ_STATUS_INVALID_GENERATOR;
  int32_t row, offset;
  BrngRow* table = __orqGetBrngBaseOffset(id, &row, &offset);
  int32_t status = __orqAllocateStream(stream, table, id, row, offset);
  if (status < 0) return status;
  return table[row].InitFn(0, *stream, n, params);
}

extern "C" ZAFORQ_API int32_t __orqCopyStream(OrqStream* copy, OrqStream source) {
  int32_t id = header(source)->id;
  int32_t row, offset;
  BrngRow* table = __orqGetBrngBaseOffset(id, &row, &offset);
  int32_t status = __orqAllocateStream(copy, table, id, row, offset);
  if (status < 0) return status;
  OrqStream c = *copy;
  memcpy(c, source, static_cast<size_t>(table[row].RecordSize));
  // The copy gets its own chunks, same keys, sizes and contents in the same order, so that a
  // distribution continues identically on both and deleting one never frees the other's data.
  set_chunk_head(c, nullptr);
  ChunkNode* last = nullptr;
  for (ChunkNode* node = chunk_head(source); node; node = node->next) {
    ChunkNode* dup = static_cast<ChunkNode*>(malloc(sizeof(ChunkNode)));
    void* data = node->data ? malloc(node->size ? node->size : 1) : nullptr;
    if (!dup || (node->data && !data)) {
      free(dup);
      free(data);
      delete_chunks(c);
      free(c);
      *copy = nullptr;
      return ORQ_STATUS_NO_MEMORY;
    }
    if (data) memcpy(data, node->data, node->size);
    dup->key = node->key;
    dup->size = node->size;
    dup->data = data;
    dup->next = nullptr;
    if (last) last->next = dup;
    else set_chunk_head(c, dup);
    last = dup;
  }
  return ORQ_STATUS_OK;
}

extern "C" ZAFORQ_API int32_t __orqCopyStreamState(OrqStream destination, OrqStream source) {
  if (destination == source) return ORQ_STATUS_OK;
  int32_t drow, srow, offset;
  __orqGetBrngBaseOffset(header(destination)->id, &drow, &offset);
  BrngRow* table = __orqGetBrngBaseOffset(header(source)->id, &srow, &offset);
  // Only the row number is compared: legacy rows 0..4 are the current rows 0..4.
  if (drow != srow) return ORQ_STATUS_GENERATOR_MISMATCH;
  const BrngRow& r = table[srow];
  int64_t bytes = static_cast<int64_t>(r.StateWords) * r.WordBytes;
  // never past the state area (Wichmann-Hill's words x bytes exceed its 32-byte state)
  int64_t area = static_cast<int64_t>(r.RecordSize) - kHeaderBytes;
  if (bytes > area) bytes = area;
  if (bytes > 0)
    memcpy(static_cast<unsigned char*>(destination) + kHeaderBytes,
           static_cast<unsigned char*>(source) + kHeaderBytes, static_cast<size_t>(bytes));
  return ORQ_STATUS_OK;
}

extern "C" ZAFORQ_API int32_t __orqDeleteStream(OrqStream* stream) {
  if (!stream || !*stream) return ORQ_STATUS_OK;  // nothing to free
  delete_chunks(*stream);
  free(*stream);
  *stream = nullptr;
  return ORQ_STATUS_OK;
}

extern "C" ZAFORQ_API int32_t __orqLeapfrogStream(OrqStream stream, int32_t k, int32_t nstreams) {
  int32_t row, offset;
  BrngRow* table = __orqGetBrngBaseOffset(header(stream)->id, &row, &offset);
  return table[row].InitFn(1, stream, nstreams, reinterpret_cast<const uint32_t*>(&k));
}

extern "C" ZAFORQ_API int32_t __orqSkipAheadStream(OrqStream stream, int32_t nskip) {
  int32_t row, offset;
  BrngRow* table = __orqGetBrngBaseOffset(header(stream)->id, &row, &offset);
  return table[row].InitFn(2, stream, nskip, nullptr);
}

extern "C" ZAFORQ_API int32_t __orqGetStreamStateBrng(OrqStream stream) { return header(stream)->id; }
