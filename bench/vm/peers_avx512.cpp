// The 512-bit peers: libmvec's AVX-512 entries (8 doubles, 16 floats), SLEEF's AVX-512F
// variants, AVX-512 instructions and the 14-bit estimates. Built with the AVX-512 flags; the
// benchmark leaves them out without AVX-512F and DQ.
#include "peers_wrap.h"

namespace vmbench {
namespace {
using LD = LD8;
using LF = LF16;
__m512d vd_set1(double x) { return _mm512_set1_pd(x); }
__m512 vf_set1(float x) { return _mm512_set1_ps(x); }
__m512d vd_sqrt(__m512d x) { return _mm512_sqrt_pd(x); }
__m512 vf_sqrt(__m512 x) { return _mm512_sqrt_ps(x); }
__m512 vf_rcp(__m512 x) { return _mm512_rcp14_ps(x); }
__m512 vf_rsqrt(__m512 x) { return _mm512_rsqrt14_ps(x); }
}  // namespace
}  // namespace vmbench

using VD = __m512d;
using VF = __m512;
#define VM_W "512"
#define VM_ISA Isa::avx512
#define VM_RCP "vrcp14ps"
#define VM_RSQRT "vrsqrt14ps"
#define MV_D(fn) _ZGVeN8v_##fn
#define MV_F(fn) _ZGVeN16v_##fn##f
#define MV_D2(fn) _ZGVeN8vv_##fn
#define MV_F2(fn) _ZGVeN16vv_##fn##f
#define SL_D(fn, u) Sleef_##fn##d8_##u##avx512f
#define SL_F(fn, u) Sleef_##fn##f16_##u##avx512f
#include "peers_table.h"
