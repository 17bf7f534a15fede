// Task records: creation, edit, commitment, copy (with the attachment hooks), deletion and the
// sticky status word.
#include "orq_kernel/_service/task.h"

#include <stdlib.h>
#include <string.h>

namespace zaforq::cc {

void convgate_copy(int32_t* storage, int32_t** field, const int32_t* source, int32_t count) {
  if (!source) {
    *field = nullptr;
    return;
  }
  if (count > 0) memcpy(storage, source, sizeof(int32_t) * static_cast<size_t>(count));
  *field = storage;
}

bool convgate_stride(int32_t* out, const int32_t* shape, int32_t rank) {
  if (rank < 1) return true;
  int64_t s = 1;
  out[0] = 1;
  for (int32_t i = 1; i < rank; ++i) {
    s *= shape[i - 1];
    if (s > INT32_MAX || s < INT32_MIN) return false;
    out[i] = static_cast<int32_t>(s);
  }
  return true;
}

}  // namespace zaforq::cc

using zaforq::cc::convgate_copy;

extern "C" int32_t __orqNewTaskX(CcTask** handle, int32_t kind, int32_t callerWordA, int32_t method,
                                 int32_t callerWordB, int32_t dataType, int32_t rank, const int32_t* xShape,
                                 const int32_t* yShape, const int32_t* zShape, const void* x,
                                 const int32_t* xStride) {
  if (!handle) return ORQ_CC_STATUS_NULL_ARGUMENT;
  // Every vector of the task lives in seven-word arrays inside the record: a larger rank could
  // only be stored by writing past them, and rank 0 describes nothing.
  if (rank < 1 || rank > ORQ_CC_MAX_RANK) return ORQ_CC_STATUS_UNSUPPORTED;
  CcTask* t = static_cast<CcTask*>(malloc(sizeof(CcTask)));
  if (!t) return ORQ_CC_STATUS_NO_MEMORY;
  t->kind = kind;
  t->callerWordA = callerWordA;
  t->method = method;
  t->optionWord = 0;
  t->callerWordB = callerWordB;
  t->dataType = dataType;
  t->precision = dataType;
  t->rank = rank;
  t->start = nullptr;
  t->decimation = nullptr;
  convgate_copy(t->xShapeStore, &t->xShape, xShape, rank);
  convgate_copy(t->yShapeStore, &t->yShape, yShape, rank);
  convgate_copy(t->zShapeStore, &t->zShape, zShape, rank);
  convgate_copy(t->xStrideStore, &t->xStride, xStride, rank);
  t->x = x;
  t->committed = 0;
  t->attachment = nullptr;
  t->attachmentRelease = nullptr;
  t->attachmentCopy = nullptr;
  t->status = ORQ_CC_STATUS_OK;
  *handle = t;
  return ORQ_CC_STATUS_OK;
}

extern "C" int32_t __orqNewTask(CcTask** handle, int32_t kind, int32_t callerWordA, int32_t method,
                                int32_t callerWordB, int32_t dataType, int32_t rank, const int32_t* xShape,
                                const int32_t* yShape, const int32_t* zShape) {
  return __orqNewTaskX(handle, kind, callerWordA, method, callerWordB, dataType, rank, xShape, yShape, zShape,
                       nullptr, nullptr);
}

extern "C" int32_t __orqEditTask(CcTask* task, int32_t code, const int32_t* value) {
  if (!task) return ORQ_CC_STATUS_NULL_ARGUMENT;
  if (task->status != ORQ_CC_STATUS_OK) return task->status;
  int32_t result;
  if (!value) {
    result = ORQ_CC_STATUS_NULL_ARGUMENT;
  } else if (code < 1 || code > 19) {
    result = ORQ_CC_STATUS_BAD_PARAMETER_CODE;
  } else {
    result = ORQ_CC_STATUS_OK;
    switch (code) {
      case ORQ_CC_EDIT_METHOD: task->method = *value; break;
      case ORQ_CC_EDIT_OPTION: task->optionWord = *value; break;
      case ORQ_CC_EDIT_START: convgate_copy(task->startStore, &task->start, value, task->rank); break;
      case ORQ_CC_EDIT_DECIMATION: convgate_copy(task->decimationStore, &task->decimation, value, task->rank); break;
      case ORQ_CC_EDIT_PRECISION: task->precision = *value; break;
      default: result = ORQ_CC_STATUS_PARAMETER_NOT_EDITABLE; break;
    }
  }
  // Any edit, good or bad, makes the description provisional again; a bad one sticks.
  task->committed = 0;
  task->status = result;
  return result;
}

extern "C" int32_t __orqCommitTask(CcTask* task) {
  if (!task) return ORQ_CC_STATUS_NULL_ARGUMENT;
  if (task->status != ORQ_CC_STATUS_OK) return task->status;
  task->committed = 1;
  return ORQ_CC_STATUS_OK;
}

extern "C" int32_t __orqCopyTask(CcTask** newHandle, CcTask* task) {
  if (!newHandle || !task) return ORQ_CC_STATUS_NULL_ARGUMENT;
  if (task->status != ORQ_CC_STATUS_OK) return task->status;
  CcTask* t = static_cast<CcTask*>(malloc(sizeof(CcTask)));
  if (!t) return ORQ_CC_STATUS_NO_MEMORY;
  t->kind = task->kind;
  t->callerWordA = task->callerWordA;
  t->method = task->method;
  t->optionWord = task->optionWord;
  t->callerWordB = task->callerWordB;
  t->dataType = task->dataType;
  t->precision = task->precision;
  t->rank = task->rank;
  const int32_t n = task->rank;
  convgate_copy(t->startStore, &t->start, task->start, n);
  convgate_copy(t->decimationStore, &t->decimation, task->decimation, n);
  convgate_copy(t->xShapeStore, &t->xShape, task->xShape, n);
  convgate_copy(t->yShapeStore, &t->yShape, task->yShape, n);
  convgate_copy(t->zShapeStore, &t->zShape, task->zShape, n);
  convgate_copy(t->xStrideStore, &t->xStride, task->xStride, n);
  t->x = task->x;
  t->attachmentRelease = task->attachmentRelease;
  t->attachmentCopy = task->attachmentCopy;
  t->committed = task->committed;
  t->attachment = task->attachment;
  if (task->attachment) {
    // The hook replaces the shared pointer with a private copy; without a hook, or when it
    // fails, the new task must not be handed out holding the old task's block.
    if (!task->attachmentCopy || task->attachmentCopy(t, &t->attachment, task->attachment) != 0) {
      free(t);
      return ORQ_CC_STATUS_ATTACHMENT_COPY_FAILED;
    }
  }
  t->status = ORQ_CC_STATUS_OK;
  *newHandle = t;
  return ORQ_CC_STATUS_OK;
}

extern "C" int32_t __orqDeleteTask(CcTask** handle) {
  if (!handle) return ORQ_CC_STATUS_NULL_ARGUMENT;
  CcTask* t = *handle;
  if (!t) return ORQ_CC_STATUS_OK;
  bool failed = false;
  if (t->attachment) {
    if (t->attachmentRelease)
      failed = t->attachmentRelease(t, t->attachment) != 0;
    else
      failed = true;
    free(t->attachment);
    t->attachment = nullptr;
  }
  free(t);
  *handle = nullptr;
  return failed ? ORQ_CC_STATUS_ATTACHMENT_RELEASE_FAILED : ORQ_CC_STATUS_OK;
}

extern "C" int32_t __orqccSetStatus(CcTask* task, int32_t code) {
  if (!task) return ORQ_CC_STATUS_NULL_ARGUMENT;
  const int32_t old = task->status;
  task->status = code;
  return old;
}

extern "C" int32_t __orqccGetStatus(const CcTask* task) {
  if (!task) return ORQ_CC_STATUS_NULL_ARGUMENT;
  return task->status;
}
