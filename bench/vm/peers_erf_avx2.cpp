// Wider-register peers of Erf and Erfc: libmvec's 4-lane (double) and 8-lane (float) AVX2
// entries and SLEEF's AVX2 variants. Built with -mavx2 -mfma; skipped without AVX2.
#include <sleef.h>

#include "peers_wrap.h"

extern "C" {
__m256d _ZGVdN4v_erf(__m256d);
__m256d _ZGVdN4v_erfc(__m256d);
__m256 _ZGVdN8v_erff(__m256);
__m256 _ZGVdN8v_erfcf(__m256);
}

namespace vmbench {
namespace {

const bool kHA = true;
const bool kF = true, kD = false;

const AddPeer registered[] = {
    {"Erf", kD, "mvec-avx2", kHA, VM_PEER1(LD4, _ZGVdN4v_erf)},
    {"Erf", kF, "mvec-avx2", kHA, VM_PEER1(LF8, _ZGVdN8v_erff)},
    {"Erfc", kD, "mvec-avx2", kHA, VM_PEER1(LD4, _ZGVdN4v_erfc)},
    {"Erfc", kF, "mvec-avx2", kHA, VM_PEER1(LF8, _ZGVdN8v_erfcf)},
    {"Erf", kD, "sleef-avx2-u10", kHA, VM_PEER1(LD4, Sleef_erfd4_u10avx2)},
    {"Erf", kF, "sleef-avx2-u10", kHA, VM_PEER1(LF8, Sleef_erff8_u10avx2)},
    {"Erfc", kD, "sleef-avx2-u15", kHA, VM_PEER1(LD4, Sleef_erfcd4_u15avx2)},
    {"Erfc", kF, "sleef-avx2-u15", kHA, VM_PEER1(LF8, Sleef_erfcf8_u15avx2)},
};

}  // namespace
}  // namespace vmbench
