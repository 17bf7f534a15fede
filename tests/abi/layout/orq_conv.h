/* Layout assertions of the orq_conv records (included by layout_checks.h). The task record
   holds pointers: the 32-bit build has one 32-bit word per field (asserted in full); the 64-bit
   build has 8-byte, 8-byte aligned pointers. */
_Static_assert(offsetof(CcTask, status) == 0, "status");
_Static_assert(offsetof(CcTask, kind) == 4, "kind");
_Static_assert(offsetof(CcTask, callerWordA) == 8, "callerWordA");
_Static_assert(offsetof(CcTask, method) == 12, "method");
_Static_assert(offsetof(CcTask, optionWord) == 16, "optionWord");
#if defined(__i386__)
_Static_assert(sizeof(CcTask) == 248, "CcTask is 248 bytes on the 32-bit build");
_Static_assert(offsetof(CcTask, start) == 20, "start");
_Static_assert(offsetof(CcTask, decimation) == 24, "decimation");
_Static_assert(offsetof(CcTask, callerWordB) == 28, "callerWordB");
_Static_assert(offsetof(CcTask, dataType) == 32, "dataType");
_Static_assert(offsetof(CcTask, precision) == 36, "precision");
_Static_assert(offsetof(CcTask, rank) == 40, "rank");
_Static_assert(offsetof(CcTask, xShape) == 44, "xShape");
_Static_assert(offsetof(CcTask, yShape) == 48, "yShape");
_Static_assert(offsetof(CcTask, zShape) == 52, "zShape");
_Static_assert(offsetof(CcTask, xStride) == 56, "xStride");
_Static_assert(offsetof(CcTask, x) == 60, "x");
_Static_assert(offsetof(CcTask, startStore) == 64, "startStore");
_Static_assert(offsetof(CcTask, decimationStore) == 92, "decimationStore");
_Static_assert(offsetof(CcTask, xShapeStore) == 120, "xShapeStore");
_Static_assert(offsetof(CcTask, yShapeStore) == 148, "yShapeStore");
_Static_assert(offsetof(CcTask, zShapeStore) == 176, "zShapeStore");
_Static_assert(offsetof(CcTask, xStrideStore) == 204, "xStrideStore");
_Static_assert(offsetof(CcTask, committed) == 232, "committed");
_Static_assert(offsetof(CcTask, attachment) == 236, "attachment");
_Static_assert(offsetof(CcTask, attachmentRelease) == 240, "attachmentRelease");
_Static_assert(offsetof(CcTask, attachmentCopy) == 244, "attachmentCopy");
#else
_Static_assert(sizeof(CcTask) == 296, "CcTask is 296 bytes on the 64-bit build");
_Static_assert(offsetof(CcTask, start) == 24, "start (64-bit)");
_Static_assert(offsetof(CcTask, callerWordB) == 40, "callerWordB (64-bit)");
_Static_assert(offsetof(CcTask, rank) == 52, "rank (64-bit)");
_Static_assert(offsetof(CcTask, x) == 88, "x (64-bit)");
_Static_assert(offsetof(CcTask, startStore) == 96, "startStore (64-bit)");
_Static_assert(offsetof(CcTask, committed) == 264, "committed (64-bit)");
_Static_assert(offsetof(CcTask, attachment) == 272, "attachment (64-bit)");
_Static_assert(offsetof(CcTask, attachmentCopy) == 288, "attachmentCopy (64-bit)");
#endif
