// SLEEF's AVX2 variants of the hyperbolic functions (u10). Built with -mavx2 -mfma; the
// benchmark skips them on a processor without AVX2.
#include <sleef.h>

#include "peers_wrap.h"

namespace vmbench {
namespace {

const bool kHA = true, kF = true, kD = false;

#define HYP_AVX2(Fam, f)                                                    \
  {#Fam, kD, "sleef-avx2-u10", kHA, VM_PEER1(LD4, Sleef_##f##d4_u10avx2)}, \
      {#Fam, kF, "sleef-avx2-u10", kHA, VM_PEER1(LF8, Sleef_##f##f8_u10avx2)}

const AddPeer registered[] = {
    HYP_AVX2(Sinh, sinh), HYP_AVX2(Cosh, cosh), HYP_AVX2(Tanh, tanh),
    HYP_AVX2(Asinh, asinh), HYP_AVX2(Acosh, acosh), HYP_AVX2(Atanh, atanh),
};

}  // namespace
}  // namespace vmbench
