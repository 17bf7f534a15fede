/* Layout assertions of the orq_streams records (included by layout_checks.h). BrngRow holds
   five int32 fields and four function pointers: 36 bytes in the i386 build, 56 in x86-64. */
_Static_assert(offsetof(BrngRow, RecordSize) == 0, "RecordSize");
_Static_assert(offsetof(BrngRow, StateWords) == 4, "StateWords");
_Static_assert(offsetof(BrngRow, ZeroPossible) == 8, "ZeroPossible");
_Static_assert(offsetof(BrngRow, WordBytes) == 12, "WordBytes");
_Static_assert(offsetof(BrngRow, OutputBits) == 16, "OutputBits");
#if defined(__i386__)
_Static_assert(sizeof(BrngRow) == 36, "BrngRow is 36 bytes in the i386 build");
_Static_assert(offsetof(BrngRow, InitFn) == 20, "InitFn");
_Static_assert(offsetof(BrngRow, FloatFn) == 24, "FloatFn");
_Static_assert(offsetof(BrngRow, DoubleFn) == 28, "DoubleFn");
_Static_assert(offsetof(BrngRow, IntFn) == 32, "IntFn");
#else
_Static_assert(sizeof(BrngRow) == 56, "BrngRow is 56 bytes in the x86-64 build");
_Static_assert(offsetof(BrngRow, InitFn) == 24, "InitFn");
_Static_assert(offsetof(BrngRow, FloatFn) == 32, "FloatFn");
_Static_assert(offsetof(BrngRow, DoubleFn) == 40, "DoubleFn");
_Static_assert(offsetof(BrngRow, IntFn) == 48, "IntFn");
#endif
_Static_assert(sizeof(__RegBrngsNew) == 512 * sizeof(BrngRow), "512 current rows");
_Static_assert(sizeof(__RegBrngs) == 512 * sizeof(BrngRow), "512 legacy rows");
_Static_assert(ORQ_STATUS_FILE_READ_FAILED == -1103 && ORQ_STATUS_WRONG_ABSTRACT_KIND == -1122, "status values");
