// Stream files: a 16-byte header (magic "RNG", version 0, header size, state size, chunk
// count, reserved, generator id; little-endian), the state bytes from byte 16 of the record,
// then the chunks from the list head on, each as key, size and data. Saving and loading are
// chains of steps sharing one running status: a step does nothing once it is negative.
#include <stdio.h>
#include <stdlib.h>

#include "orq_sub_kernel/_service/stream.h"

using namespace zaforq::orq;

namespace {

constexpr int kFileHeaderBytes = 16;

void put16(unsigned char* p, uint32_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}
void put32(unsigned char* p, uint32_t v) {
  put16(p, v);
  put16(p + 2, v >> 16);
}
uint32_t get16(const unsigned char* p) { return p[0] | (static_cast<uint32_t>(p[1]) << 8); }
uint32_t get32(const unsigned char* p) { return get16(p) | (get16(p + 2) << 16); }

// The abstract streams hold addresses of the caller's buffer and refill function, which mean
// nothing in another process or after the buffer is gone; their states are neither written
// nor read.
bool is_abstract_row(const BrngRow* table, int32_t row) {
  return table == __RegBrngsNew && row >= 9 && row <= 11;
}

// ---- saving -----------------------------------------------------------------------------------

void __orqCreateString(int32_t* status, const char* name, int32_t length, char** copy) {
  *copy = nullptr;
  if (*status < 0 || length < 0 || !name) return;
  *copy = static_cast<char*>(malloc(static_cast<size_t>(length) + 1));
  if (!*copy) {
    *status = ORQ_STATUS_NO_MEMORY;
    return;
  }
  memcpy(*copy, name, static_cast<size_t>(length));
  (*copy)[length] = '\0';
}

void __orqFillInFileHeader(int32_t* status, OrqStream stream, unsigned char* h, int32_t* state_bytes) {
  if (*status < 0) return;
  const int32_t id = header(stream)->id;
  int32_t row, offset;
  const BrngRow* table = __orqGetBrngBaseOffset(id, &row, &offset);
  BrngRow props;
  if (__orqGetBrngProperties(id, &props) < 0 || is_abstract_row(table, row)) {
    *status = ORQ_STATUS_INVALID_GENERATOR;
    return;
  }
  *state_bytes = props.RecordSize - kHeaderBytes;
  h[0] = 0x52;  // R
  h[1] = 0x4E;  // N
  h[2] = 0x47;  // G
  h[3] = 0;     // version
  put16(h + 4, kFileHeaderBytes);
  put16(h + 6, static_cast<uint32_t>(*state_bytes));
  put16(h + 8, static_cast<uint32_t>(__orqGetNumChunks(stream)));
  put16(h + 10, 0);  // reserved
  put32(h + 12, static_cast<uint32_t>(id));
}

void __orqOpenFileToWrite(int32_t* status, const char* name, FILE** f) {
  *f = nullptr;
  if (*status < 0) return;
  *f = name ? fopen(name, "wb") : nullptr;
  if (!*f) *status = ORQ_STATUS_FILE_OPEN_FAILED;
}

void write_item(int32_t* status, FILE* f, const void* p, size_t bytes) {
  if (*status < 0) return;
  if (fwrite(p, bytes, 1, f) != 1) *status = ORQ_STATUS_FILE_WRITE_FAILED;
}

void __orqWriteFileHeaderToFile(int32_t* status, FILE* f, const unsigned char* h) {
  write_item(status, f, h, kFileHeaderBytes);
}

void __orqWriteStreamStateToFile(int32_t* status, FILE* f, OrqStream stream, int32_t state_bytes) {
  if (state_bytes > 0)
    write_item(status, f, static_cast<unsigned char*>(stream) + kHeaderBytes, static_cast<size_t>(state_bytes));
}

void __orqWriteChunksToFile(int32_t* status, FILE* f, OrqStream stream, uint32_t count) {
  ChunkNode* node = chunk_head(stream);
  for (uint32_t k = 0; k < count && node && *status >= 0; ++k, node = node->next) {
    unsigned char kv[8];
    put32(kv, node->key);
    put32(kv + 4, node->size);
    write_item(status, f, kv, 4);
    write_item(status, f, kv + 4, 4);
    // one item of the chunk's size: an empty chunk is not a complete write
    write_item(status, f, node->data, node->size);
  }
}

void __orqCloseFile(int32_t* status, FILE* f) {
  if (f && fclose(f) != 0) *status = ORQ_STATUS_FILE_CLOSE_FAILED;
}

void __orqDeleteString(char* copy) { free(copy); }

// ---- loading ----------------------------------------------------------------------------------

void __orqOpenFileToRead(int32_t* status, const char* name, FILE** f) {
  *f = name ? fopen(name, "rb") : nullptr;
  if (!*f) *status = ORQ_STATUS_FILE_OPEN_FAILED;
}

void read_item(int32_t* status, FILE* f, void* p, size_t bytes) {
  if (*status < 0) return;
  if (fread(p, bytes, 1, f) != 1) *status = ORQ_STATUS_FILE_READ_FAILED;
}

// A chunk's data, read only as fast as the file delivers it. The size word comes from the file
// and may be corrupt, so nothing is allocated before the bytes that will fill it have arrived:
// each piece is read onto the stack and kept in a heap block of exactly its length, and the
// chunk's own block is allocated once all of it has been read. A size word of 0xFFFFFFFF in a
// short file then ends in a read failure after a few kilobytes, not in a 4 GiB request.
// Returns the block, or null with the status set.
void* read_chunk_data(int32_t* status, FILE* f, uint32_t size) {
  constexpr uint32_t kPiece = 4096;
  struct Piece {
    Piece* next;
    uint32_t bytes;
  };
  unsigned char staged[kPiece];
  Piece* head = nullptr;
  Piece** tail = &head;
  uint32_t have = 0;
  // The last piece stays on the stack; only earlier ones need a heap block.
  while (*status >= 0 && size - have > kPiece) {
    read_item(status, f, staged, kPiece);
    if (*status < 0) break;
    Piece* p = static_cast<Piece*>(malloc(sizeof(Piece) + kPiece));
    if (!p) {
      *status = ORQ_STATUS_NO_MEMORY;
      break;
    }
    p->next = nullptr;
    p->bytes = kPiece;
    memcpy(p + 1, staged, kPiece);
    *tail = p;
    tail = &p->next;
    have += kPiece;
  }
  if (size > have) read_item(status, f, staged, size - have);
  unsigned char* data = nullptr;
  if (*status >= 0) {
    data = static_cast<unsigned char*>(malloc(size ? size : 1));
    if (!data) *status = ORQ_STATUS_NO_MEMORY;
  }
  uint32_t at = 0;
  while (head) {
    Piece* next = head->next;
    if (data) memcpy(data + at, head + 1, head->bytes);
    at += head->bytes;
    free(head);
    head = next;
  }
  if (data && size > at) memcpy(data + at, staged, size - at);
  return data;
}

void __orqReadFileHeaderFromFile(int32_t* status, FILE* f, unsigned char* h) {
  read_item(status, f, h, kFileHeaderBytes);
}

void __orqValidateHeader(int32_t* status, const unsigned char* h) {
  if (*status < 0) return;
  if (h[0] != 0x52 || h[1] != 0x4E || h[2] != 0x47) {
    *status = ORQ_STATUS_BAD_FILE_FORMAT;
    return;
  }
  if (h[3] != 0) {
    *status = ORQ_STATUS_BAD_FILE_VERSION;
    return;
  }
  int32_t row, offset;
  const BrngRow* table = __orqGetBrngBaseOffset(static_cast<int32_t>(get32(h + 12)), &row, &offset);
  if (__orqIsBrngValid(table, row, offset) < 0 || is_abstract_row(table, row) ||
      static_cast<int32_t>(get16(h + 6)) != table[row].RecordSize - kHeaderBytes ||
      get16(h + 4) < kFileHeaderBytes)
    *status = ORQ_STATUS_BAD_FILE_FORMAT;
}

void __orqCreateStream(int32_t* status, const unsigned char* h, OrqStream* stream, bool* made) {
  if (*status < 0) return;
  const int32_t id = static_cast<int32_t>(get32(h + 12));
  int32_t row, offset;
  const BrngRow* table = __orqGetBrngBaseOffset(id, &row, &offset);
  *status = __orqAllocateStream(stream, table, id, row, offset);
  *made = *status >= 0;
}

void __orqReadStreamStateFromFile(int32_t* status, FILE* f, OrqStream stream, const unsigned char* h) {
  uint32_t bytes = get16(h + 6);
  if (bytes > 0) read_item(status, f, static_cast<unsigned char*>(stream) + kHeaderBytes, bytes);
}

void __orqReadChunksFromFile(int32_t* status, FILE* f, OrqStream stream, const unsigned char* h) {
  const uint32_t count = get16(h + 8);
  for (uint32_t k = 0; k < count && *status >= 0; ++k) {
    unsigned char kv[8];
    read_item(status, f, kv, 4);
    read_item(status, f, kv + 4, 4);
    if (*status < 0) return;
    const uint32_t size = get32(kv + 4);
    void* data = read_chunk_data(status, f, size);
    if (!data) return;
    *status = __orqAddChunk(stream, get32(kv), data, size);
    if (*status < 0) free(data);
  }
}

void __orqDeallocateStream(int32_t status, OrqStream* stream, bool made) {
  if (status < 0 && made) __orqDeleteStream(stream);
}

}  // namespace

extern "C" ZAFORQ_API int32_t __orqSaveStreamF(OrqStream stream, const char* name, int32_t name_length) {
  int32_t status = ORQ_STATUS_OK;
  char* copy = nullptr;
  unsigned char h[kFileHeaderBytes];
  int32_t state_bytes = 0;
  FILE* f = nullptr;
  __orqCreateString(&status, name, name_length, &copy);
  __orqFillInFileHeader(&status, stream, h, &state_bytes);
  __orqOpenFileToWrite(&status, copy ? copy : name, &f);
  __orqWriteFileHeaderToFile(&status, f, h);
  __orqWriteStreamStateToFile(&status, f, stream, state_bytes);
  if (status >= 0) __orqWriteChunksToFile(&status, f, stream, get16(h + 8));
  __orqCloseFile(&status, f);
  __orqDeleteString(copy);
  return status;
}

extern "C" ZAFORQ_API int32_t __orqLoadStreamF(OrqStream* stream, const char* name) {
  int32_t status = ORQ_STATUS_OK;
  unsigned char h[kFileHeaderBytes];
  FILE* f = nullptr;
  bool made = false;
  __orqOpenFileToRead(&status, name, &f);
  __orqReadFileHeaderFromFile(&status, f, h);
  __orqValidateHeader(&status, h);
  __orqCreateStream(&status, h, stream, &made);
  if (status >= 0) __orqReadStreamStateFromFile(&status, f, *stream, h);
  if (status >= 0) __orqReadChunksFromFile(&status, f, *stream, h);
  __orqCloseFile(&status, f);
  __orqDeallocateStream(status, stream, made);
  return status;
}
