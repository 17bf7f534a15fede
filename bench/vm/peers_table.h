// The peers every register width has, written once: peers_sse2.cpp, peers_avx2.cpp and
// peers_avx512.cpp include this after naming their width's shapes, entry points and
// instructions:
//   VM_W "128" | "256" | "512"       VM_ISA  Isa::sse2 | avx2 | avx512
//   LD, LF  register shapes          VD, VF  register types
//   MV_D(fn), MV_F(fn), MV_D2(fn), MV_F2(fn)   libmvec's one- and two-argument entries
//   SL_D(fn, u), SL_F(fn, u)         SLEEF's variant u of fn
//   vd_set1, vf_set1, vd_sqrt, vf_sqrt, vf_rcp, vf_rsqrt (the estimates)
//   VM_RCP, VM_RSQRT the names of the estimate instructions
#include <sleef.h>

#include "peers_wrap.h"

// libmvec's entries; glibc's headers declare them only for OpenMP simd use.
extern "C" {
#define VM_MV1(fn) VD MV_D(fn)(VD); VF MV_F(fn)(VF);
#define VM_MV2(fn) VD MV_D2(fn)(VD, VD); VF MV_F2(fn)(VF, VF);
VM_MV1(exp) VM_MV1(log) VM_MV1(log10) VM_MV1(cbrt) VM_MV1(sin) VM_MV1(cos) VM_MV1(tan)
VM_MV1(sinh) VM_MV1(cosh) VM_MV1(tanh) VM_MV1(asinh) VM_MV1(acosh) VM_MV1(atanh)
VM_MV1(asin) VM_MV1(acos) VM_MV1(atan) VM_MV1(erf) VM_MV1(erfc)
VM_MV2(pow) VM_MV2(atan2)
#undef VM_MV1
#undef VM_MV2
}

namespace vmbench {
namespace {

// Plain instructions: correct rounding, the cheapest way to the exact result.
VD vd_inv(VD x) { return vd_set1(1.0) / x; }
VF vf_inv(VF x) { return vf_set1(1.0f) / x; }
VD vd_invsqrt(VD x) { return vd_set1(1.0) / vd_sqrt(x); }
VF vf_invsqrt(VF x) { return vf_set1(1.0f) / vf_sqrt(x); }
VD vd_div(VD x, VD y) { return x / y; }
VF vf_div(VF x, VF y) { return x / y; }
VF vf_div_rcp(VF x, VF y) { return x * vf_rcp(y); }  // 12/14-bit estimate: a float _11 peer

// InvCbrt through the peer's cube root and a division.
#define VM_INVCBRT(name, cbrt_d, cbrt_f)                           \
  VD name##_d(VD x) { return vd_set1(1.0) / cbrt_d(x); }            \
  VF name##_f(VF x) { return vf_set1(1.0f) / cbrt_f(x); }
VM_INVCBRT(invcbrt_mv, MV_D(cbrt), MV_F(cbrt))
VM_INVCBRT(invcbrt_u10, SL_D(cbrt, u10), SL_F(cbrt, u10))
VM_INVCBRT(invcbrt_u35, SL_D(cbrt, u35), SL_F(cbrt, u35))
#undef VM_INVCBRT

const bool kF = true, kD = false;
const int kLowAll = kClassLow | kClass11;

// One entry for double and one for float.
#define VM_BOTH(Fam, who, cls, M, fd, ff) \
  {#Fam, kD, who, cls, VM_ISA, M(LD, fd)}, { #Fam, kF, who, cls, VM_ISA, M(LF, ff) }
#define VM_MVEC(Fam, fn) VM_BOTH(Fam, "mvec" VM_W, kClassAll, VM_PEER1, MV_D(fn), MV_F(fn))
#define VM_MVEC2(Fam, fn) VM_BOTH(Fam, "mvec" VM_W, kClassAll, VM_PEER2, MV_D2(fn), MV_F2(fn))
#define VM_SLEEF(Fam, fn, u, cls) \
  VM_BOTH(Fam, "sleef" VM_W "-" #u, cls, VM_PEER1, SL_D(fn, u), SL_F(fn, u))
#define VM_SLEEF2(Fam, fn, u, cls) \
  VM_BOTH(Fam, "sleef" VM_W "-" #u, cls, VM_PEER2, SL_D(fn, u), SL_F(fn, u))
// A function SLEEF offers as a 1-ulp (or u15) and a 3.5-ulp variant.
#define VM_SLEEF_HA_LOW(Fam, fn, u) VM_SLEEF(Fam, fn, u, kClassHA), VM_SLEEF(Fam, fn, u35, kLowAll)

const AddPeer registered_width[] = {
    // Roots, reciprocals, division.
    VM_BOTH(Sqrt, "sqrt" VM_W, kClassAll, VM_PEER1, vd_sqrt, vf_sqrt),
    VM_SLEEF_HA_LOW(Sqrt, sqrt, u05),
    VM_BOTH(InvSqrt, "sqrt+div" VM_W, kClassAll, VM_PEER1, vd_invsqrt, vf_invsqrt),
    {"InvSqrt", kF, VM_RSQRT VM_W, kClass11, VM_ISA, VM_PEER1(LF, vf_rsqrt)},
    VM_MVEC(Cbrt, cbrt),
    VM_SLEEF_HA_LOW(Cbrt, cbrt, u10),
    VM_BOTH(InvCbrt, "mvec" VM_W "+div", kClassAll, VM_PEER1, invcbrt_mv_d, invcbrt_mv_f),
    VM_BOTH(InvCbrt, "sleef" VM_W "-u10+div", kClassHA, VM_PEER1, invcbrt_u10_d, invcbrt_u10_f),
    VM_BOTH(InvCbrt, "sleef" VM_W "-u35+div", kLowAll, VM_PEER1, invcbrt_u35_d, invcbrt_u35_f),
    VM_BOTH(Inv, "div" VM_W, kClassAll, VM_PEER1, vd_inv, vf_inv),
    {"Inv", kF, VM_RCP VM_W, kClass11, VM_ISA, VM_PEER1(LF, vf_rcp)},
    VM_BOTH(Div, "div" VM_W, kClassAll, VM_PEER2, vd_div, vf_div),
    {"Div", kF, VM_RCP "+mul" VM_W, kClass11, VM_ISA, VM_PEER2(LF, vf_div_rcp)},
    // Exponential, logarithms, powers.
    VM_MVEC(Exp, exp),
    VM_SLEEF(Exp, exp, u10, kClassAll),
    VM_MVEC(Ln, log),
    VM_SLEEF_HA_LOW(Ln, log, u10),
    VM_MVEC(Log10, log10),
    VM_SLEEF(Log10, log10, u10, kClassAll),
    VM_MVEC2(Pow, pow),
    VM_SLEEF2(Pow, pow, u10, kClassAll),
    VM_MVEC2(Powx, pow),
    VM_SLEEF2(Powx, pow, u10, kClassAll),
    {"Pow", kF, "sleef" VM_W "-fast", kClass11, VM_ISA, VM_PEER2(LF, SL_F(fastpow, u3500))},
    {"Powx", kF, "sleef" VM_W "-fast", kClass11, VM_ISA, VM_PEER2(LF, SL_F(fastpow, u3500))},
    // Trigonometric.
    VM_MVEC(Sin, sin),
    VM_SLEEF_HA_LOW(Sin, sin, u10),
    {"Sin", kF, "sleef" VM_W "-fast", kClass11, VM_ISA, VM_PEER1(LF, SL_F(fastsin, u3500))},
    VM_MVEC(Cos, cos),
    VM_SLEEF_HA_LOW(Cos, cos, u10),
    {"Cos", kF, "sleef" VM_W "-fast", kClass11, VM_ISA, VM_PEER1(LF, SL_F(fastcos, u3500))},
    VM_MVEC(Tan, tan),
    VM_SLEEF_HA_LOW(Tan, tan, u10),
    VM_BOTH(SinCos, "sleef" VM_W "-u10", kClassHA, VM_PEERP, SL_D(sincos, u10), SL_F(sincos, u10)),
    VM_BOTH(SinCos, "sleef" VM_W "-u35", kLowAll, VM_PEERP, SL_D(sincos, u35), SL_F(sincos, u35)),
    // Hyperbolic and inverse hyperbolic.
    VM_MVEC(Sinh, sinh),
    VM_SLEEF_HA_LOW(Sinh, sinh, u10),
    VM_MVEC(Cosh, cosh),
    VM_SLEEF_HA_LOW(Cosh, cosh, u10),
    VM_MVEC(Tanh, tanh),
    VM_SLEEF_HA_LOW(Tanh, tanh, u10),
    VM_MVEC(Asinh, asinh),
    VM_SLEEF(Asinh, asinh, u10, kClassAll),
    VM_MVEC(Acosh, acosh),
    VM_SLEEF(Acosh, acosh, u10, kClassAll),
    VM_MVEC(Atanh, atanh),
    VM_SLEEF(Atanh, atanh, u10, kClassAll),
    // Inverse trigonometric.
    VM_MVEC(Asin, asin),
    VM_SLEEF_HA_LOW(Asin, asin, u10),
    VM_MVEC(Acos, acos),
    VM_SLEEF_HA_LOW(Acos, acos, u10),
    VM_MVEC(Atan, atan),
    VM_SLEEF_HA_LOW(Atan, atan, u10),
    VM_MVEC2(Atan2, atan2),
    VM_SLEEF2(Atan2, atan2, u10, kClassHA),
    VM_SLEEF2(Atan2, atan2, u35, kLowAll),
    // Error functions: SLEEF has erf u10 and erfc u15 only.
    VM_MVEC(Erf, erf),
    VM_SLEEF(Erf, erf, u10, kClassAll),
    VM_MVEC(Erfc, erfc),
    VM_SLEEF(Erfc, erfc, u15, kClassAll),
};

#undef VM_BOTH
#undef VM_MVEC
#undef VM_MVEC2
#undef VM_SLEEF
#undef VM_SLEEF2
#undef VM_SLEEF_HA_LOW

}  // namespace
}  // namespace vmbench
