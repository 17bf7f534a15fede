// The stream record and the typed views generators use to reach their state.
#pragma once
#include <stdint.h>
#include <string.h>

#include "zaforq/orq_streams.h"

namespace zaforq::orq {

// A chunk: one keyed block owned by a stream; the list runs from the newest to the oldest.
struct ChunkNode {
  uint32_t key;
  uint32_t size;
  void* data;
  ChunkNode* next;
};

// The 16-byte record header; the generator state follows at byte 16.
struct StreamHeader {
  int32_t id;
  uint8_t flag;
  uint8_t pad[3];
  uint64_t chunks;  // the head pointer, held in a 64-bit slot in both builds
};
static_assert(sizeof(StreamHeader) == 16, "the stream header is 16 bytes");
constexpr int32_t kHeaderBytes = 16;

inline StreamHeader* header(OrqStream s) { return static_cast<StreamHeader*>(s); }

inline ChunkNode* chunk_head(OrqStream s) {
  return reinterpret_cast<ChunkNode*>(static_cast<uintptr_t>(header(s)->chunks));
}
inline void set_chunk_head(OrqStream s, ChunkNode* node) {
  // a 32-bit pointer is stored sign-extended, as the file and copy code expect a 64-bit slot
  header(s)->chunks = static_cast<uint64_t>(static_cast<int64_t>(reinterpret_cast<intptr_t>(node)));
}

// The generator state of a stream, viewed as the generator's own record type.
template <class State>
inline State* StateOf(OrqStream s) {
  return reinterpret_cast<State*>(static_cast<unsigned char*>(s) + kHeaderBytes);
}

// The registry row of a stream's generator (nullptr when the id no longer resolves).
const BrngRow* row_of_id(int32_t id);

// Frees every chunk of the stream and empties its list.
void delete_chunks(OrqStream s);

}  // namespace zaforq::orq
