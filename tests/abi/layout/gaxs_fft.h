/* Layout assertions of the gaxs_fft records (included by layout_checks.h). The FFT
   descriptors hold pointers: their sizes and the offsets after the eighth word differ
   between the 32-bit build (asserted here) and the 64-bit build. */
_Static_assert(offsetof(FftSpecR_32f, tag) == 0, "tag");
_Static_assert(offsetof(FftSpecR_32f, order) == 4, "order");
_Static_assert(offsetof(FftSpecR_32f, scaleForward) == 8, "scaleForward");
_Static_assert(offsetof(FftSpecR_32f, scaleInverse) == 12, "scaleInverse");
_Static_assert(offsetof(FftSpecR_32f, scale) == 16, "scale");
_Static_assert(offsetof(FftSpecR_32f, hint) == 20, "hint");
_Static_assert(offsetof(FftSpecR_32f, bufSize) == 24, "bufSize");
_Static_assert(offsetof(FftSpecR_32f, one) == 28, "one");
_Static_assert(offsetof(FftSpecR_64f, scale) == 16, "scale (double)");
_Static_assert(offsetof(FftSpecR_64f, hint) == 24, "hint (double)");
_Static_assert(offsetof(FftSpecR_64f, bufSize) == 28, "bufSize (double)");
_Static_assert(offsetof(FftSpecR_64f, one) == 32, "one (double)");
#if defined(__i386__)
_Static_assert(sizeof(FftSpecR_32f) == 80, "FftSpecR_32f is 80 bytes on the 32-bit build");
_Static_assert(sizeof(FftSpecR_64f) == 84, "FftSpecR_64f is 84 bytes on the 32-bit build");
_Static_assert(offsetof(FftSpecR_32f, bitRevTable) == 32, "bitRevTable");
_Static_assert(offsetof(FftSpecR_32f, realRecTable) == 48, "realRecTable");
_Static_assert(offsetof(FftSpecR_32f, ccsRecTable) == 52, "ccsRecTable");
_Static_assert(offsetof(FftSpecR_32f, levelTwiddles) == 56, "levelTwiddles");
_Static_assert(offsetof(FftSpecR_64f, bitRevTable) == 36, "bitRevTable (double)");
_Static_assert(offsetof(FftSpecR_64f, levelTwiddles) == 60, "levelTwiddles (double)");
#else
_Static_assert(sizeof(FftSpecR_32f) == 32 + 12 * sizeof(void*), "FftSpecR_32f on the 64-bit build");
_Static_assert(offsetof(FftSpecR_64f, bitRevTable) == 40, "bitRevTable (double, 64-bit)");
#endif
