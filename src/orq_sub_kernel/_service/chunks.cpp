// The chunk list of a stream: keyed heap blocks, newest first.
#include <stdlib.h>

#include "orq_sub_kernel/_service/stream.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API int32_t __orqAddChunk(OrqStream stream, uint32_t key, void* data, uint32_t size) {
  ChunkNode* node = static_cast<ChunkNode*>(malloc(sizeof(ChunkNode)));
  if (!node) return ORQ_STATUS_NO_MEMORY;  // the data block stays the caller's
  node->key = key;
  node->size = size;
  node->data = data;
  node->next = chunk_head(stream);
  set_chunk_head(stream, node);
  return ORQ_STATUS_OK;
}

extern "C" ZAFORQ_API void* __orqSearchChunk(OrqStream stream, uint32_t key) {
  for (ChunkNode* node = chunk_head(stream); node; node = node->next)
    if (node->key == key) return node->data;
  return nullptr;
}

extern "C" ZAFORQ_API int32_t __orqGetNumChunks(OrqStream stream) {
  int32_t count = 0;
  for (ChunkNode* node = chunk_head(stream); node; node = node->next) ++count;
  return count;
}

namespace zaforq::orq {

void delete_chunks(OrqStream stream) {
  ChunkNode* node = chunk_head(stream);
  while (node) {
    ChunkNode* next = node->next;
    free(node->data);
    free(node);
    node = next;
  }
  set_chunk_head(stream, nullptr);
}

}  // namespace zaforq::orq
