// Peers of Asin, Acos, Atan and Atan2: glibc scalar loops, libmvec's 2-lane (double) and
// 4-lane (float) entries, SLEEF's SSE2 variants.
#include <math.h>
#include <sleef.h>

#include "peers_wrap.h"

extern "C" {
__m128d _ZGVbN2v_asin(__m128d);
__m128d _ZGVbN2v_acos(__m128d);
__m128d _ZGVbN2v_atan(__m128d);
__m128d _ZGVbN2vv_atan2(__m128d, __m128d);
__m128 _ZGVbN4v_asinf(__m128);
__m128 _ZGVbN4v_acosf(__m128);
__m128 _ZGVbN4v_atanf(__m128);
__m128 _ZGVbN4vv_atan2f(__m128, __m128);
}

namespace vmbench {
namespace {

template <class T, T (*F)(T)>
void loop1(int32_t n, const void* a_, const void*, void* r_, void*) {
  const T* a = static_cast<const T*>(a_);
  T* r = static_cast<T*>(r_);
  for (int32_t i = 0; i < n; ++i) r[i] = F(a[i]);
}
template <class T, T (*F)(T, T)>
void loop2(int32_t n, const void* a_, const void* b_, void* r_, void*) {
  const T* a = static_cast<const T*>(a_);
  const T* b = static_cast<const T*>(b_);
  T* r = static_cast<T*>(r_);
  for (int32_t i = 0; i < n; ++i) r[i] = F(a[i], b[i]);
}

const bool kHA = true, kLow = false;
const bool kF = true, kD = false;

const AddPeer registered[] = {
    {"Asin", kD, "glibc", kHA, loop1<double, asin>},   {"Asin", kF, "glibc", kHA, loop1<float, asinf>},
    {"Acos", kD, "glibc", kHA, loop1<double, acos>},   {"Acos", kF, "glibc", kHA, loop1<float, acosf>},
    {"Atan", kD, "glibc", kHA, loop1<double, atan>},   {"Atan", kF, "glibc", kHA, loop1<float, atanf>},
    {"Atan2", kD, "glibc", kHA, loop2<double, atan2>}, {"Atan2", kF, "glibc", kHA, loop2<float, atan2f>},

    {"Asin", kD, "mvec", kHA, VM_PEER1(LD2, _ZGVbN2v_asin)},    {"Asin", kF, "mvec", kHA, VM_PEER1(LF4, _ZGVbN4v_asinf)},
    {"Acos", kD, "mvec", kHA, VM_PEER1(LD2, _ZGVbN2v_acos)},    {"Acos", kF, "mvec", kHA, VM_PEER1(LF4, _ZGVbN4v_acosf)},
    {"Atan", kD, "mvec", kHA, VM_PEER1(LD2, _ZGVbN2v_atan)},    {"Atan", kF, "mvec", kHA, VM_PEER1(LF4, _ZGVbN4v_atanf)},
    {"Atan2", kD, "mvec", kHA, VM_PEER2(LD2, _ZGVbN2vv_atan2)}, {"Atan2", kF, "mvec", kHA, VM_PEER2(LF4, _ZGVbN4vv_atan2f)},

    {"Asin", kD, "sleef-sse2-u10", kHA, VM_PEER1(LD2, Sleef_asind2_u10sse2)},
    {"Asin", kD, "sleef-sse2-u35", kLow, VM_PEER1(LD2, Sleef_asind2_u35sse2)},
    {"Asin", kF, "sleef-sse2-u10", kHA, VM_PEER1(LF4, Sleef_asinf4_u10sse2)},
    {"Asin", kF, "sleef-sse2-u35", kLow, VM_PEER1(LF4, Sleef_asinf4_u35sse2)},
    {"Acos", kD, "sleef-sse2-u10", kHA, VM_PEER1(LD2, Sleef_acosd2_u10sse2)},
    {"Acos", kD, "sleef-sse2-u35", kLow, VM_PEER1(LD2, Sleef_acosd2_u35sse2)},
    {"Acos", kF, "sleef-sse2-u10", kHA, VM_PEER1(LF4, Sleef_acosf4_u10sse2)},
    {"Acos", kF, "sleef-sse2-u35", kLow, VM_PEER1(LF4, Sleef_acosf4_u35sse2)},
    {"Atan", kD, "sleef-sse2-u10", kHA, VM_PEER1(LD2, Sleef_atand2_u10sse2)},
    {"Atan", kD, "sleef-sse2-u35", kLow, VM_PEER1(LD2, Sleef_atand2_u35sse2)},
    {"Atan", kF, "sleef-sse2-u10", kHA, VM_PEER1(LF4, Sleef_atanf4_u10sse2)},
    {"Atan", kF, "sleef-sse2-u35", kLow, VM_PEER1(LF4, Sleef_atanf4_u35sse2)},
    {"Atan2", kD, "sleef-sse2-u10", kHA, VM_PEER2(LD2, Sleef_atan2d2_u10sse2)},
    {"Atan2", kD, "sleef-sse2-u35", kLow, VM_PEER2(LD2, Sleef_atan2d2_u35sse2)},
    {"Atan2", kF, "sleef-sse2-u10", kHA, VM_PEER2(LF4, Sleef_atan2f4_u10sse2)},
    {"Atan2", kF, "sleef-sse2-u35", kLow, VM_PEER2(LF4, Sleef_atan2f4_u35sse2)},
};

}  // namespace
}  // namespace vmbench
