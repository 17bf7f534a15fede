// SLEEF's AVX2 variants: a wider-register reference point. Built with -mavx2 -mfma; the
// benchmark skips them on a processor without AVX2.
#include <sleef.h>

#include "peers_wrap.h"

namespace vmbench {
namespace {

__m256d pd_invcbrt_u10(__m256d x) { return _mm256_div_pd(_mm256_set1_pd(1.0), Sleef_cbrtd4_u10avx2(x)); }
__m256 ps_invcbrt_u10(__m256 x) { return _mm256_div_ps(_mm256_set1_ps(1.0f), Sleef_cbrtf8_u10avx2(x)); }

const bool kHA = true, kLow = false;
const bool kF = true, kD = false;

const AddPeer registered[] = {
    {"Sqrt", kD, "sleef-avx2-u05", kHA, VM_PEER1(LD4, Sleef_sqrtd4_u05avx2)},
    {"Sqrt", kF, "sleef-avx2-u05", kHA, VM_PEER1(LF8, Sleef_sqrtf8_u05avx2)},
    {"Cbrt", kD, "sleef-avx2-u10", kHA, VM_PEER1(LD4, Sleef_cbrtd4_u10avx2)},
    {"Cbrt", kF, "sleef-avx2-u10", kHA, VM_PEER1(LF8, Sleef_cbrtf8_u10avx2)},
    {"InvCbrt", kD, "sleef-avx2-u10+divpd", kHA, VM_PEER1(LD4, pd_invcbrt_u10)},
    {"InvCbrt", kF, "sleef-avx2-u10+divps", kHA, VM_PEER1(LF8, ps_invcbrt_u10)},
    {"Exp", kD, "sleef-avx2-u10", kHA, VM_PEER1(LD4, Sleef_expd4_u10avx2)},
    {"Exp", kF, "sleef-avx2-u10", kHA, VM_PEER1(LF8, Sleef_expf8_u10avx2)},
    {"Ln", kD, "sleef-avx2-u10", kHA, VM_PEER1(LD4, Sleef_logd4_u10avx2)},
    {"Ln", kF, "sleef-avx2-u10", kHA, VM_PEER1(LF8, Sleef_logf8_u10avx2)},
    {"Log10", kD, "sleef-avx2-u10", kHA, VM_PEER1(LD4, Sleef_log10d4_u10avx2)},
    {"Log10", kF, "sleef-avx2-u10", kHA, VM_PEER1(LF8, Sleef_log10f8_u10avx2)},
    {"Sin", kD, "sleef-avx2-u10", kHA, VM_PEER1(LD4, Sleef_sind4_u10avx2)},
    {"Sin", kF, "sleef-avx2-u10", kHA, VM_PEER1(LF8, Sleef_sinf8_u10avx2)},
    {"Cos", kD, "sleef-avx2-u10", kHA, VM_PEER1(LD4, Sleef_cosd4_u10avx2)},
    {"Cos", kF, "sleef-avx2-u10", kHA, VM_PEER1(LF8, Sleef_cosf8_u10avx2)},
    {"Tan", kD, "sleef-avx2-u10", kHA, VM_PEER1(LD4, Sleef_tand4_u10avx2)},
    {"Tan", kF, "sleef-avx2-u10", kHA, VM_PEER1(LF8, Sleef_tanf8_u10avx2)},
    {"SinCos", kD, "sleef-avx2-u10", kHA, VM_PEERP(LD4, Sleef_sincosd4_u10avx2)},
    {"SinCos", kF, "sleef-avx2-u10", kHA, VM_PEERP(LF8, Sleef_sincosf8_u10avx2)},
    {"Pow", kD, "sleef-avx2-u10", kHA, VM_PEER2(LD4, Sleef_powd4_u10avx2)},
    {"Pow", kF, "sleef-avx2-u10", kHA, VM_PEER2(LF8, Sleef_powf8_u10avx2)},
    {"Sin", kD, "sleef-avx2-u35", kLow, VM_PEER1(LD4, Sleef_sind4_u35avx2)},
    {"Cos", kD, "sleef-avx2-u35", kLow, VM_PEER1(LD4, Sleef_cosd4_u35avx2)},
    {"Ln", kD, "sleef-avx2-u35", kLow, VM_PEER1(LD4, Sleef_logd4_u35avx2)},
    {"Asin", kD, "sleef-avx2-u10", kHA, VM_PEER1(LD4, Sleef_asind4_u10avx2)},
    {"Asin", kF, "sleef-avx2-u10", kHA, VM_PEER1(LF8, Sleef_asinf8_u10avx2)},
    {"Acos", kD, "sleef-avx2-u10", kHA, VM_PEER1(LD4, Sleef_acosd4_u10avx2)},
    {"Acos", kF, "sleef-avx2-u10", kHA, VM_PEER1(LF8, Sleef_acosf8_u10avx2)},
    {"Atan", kD, "sleef-avx2-u10", kHA, VM_PEER1(LD4, Sleef_atand4_u10avx2)},
    {"Atan", kF, "sleef-avx2-u10", kHA, VM_PEER1(LF8, Sleef_atanf8_u10avx2)},
    {"Atan2", kD, "sleef-avx2-u10", kHA, VM_PEER2(LD4, Sleef_atan2d4_u10avx2)},
    {"Atan2", kF, "sleef-avx2-u10", kHA, VM_PEER2(LF8, Sleef_atan2f8_u10avx2)},
};

}  // namespace
}  // namespace vmbench
