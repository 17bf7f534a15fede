// The 256-bit peers: libmvec's AVX2 entries (4 doubles, 8 floats), SLEEF's AVX2 variants,
// AVX instructions. Built with -mavx2 -mfma; the benchmark leaves them out without AVX2.
#include "peers_wrap.h"

namespace vmbench {
namespace {
using LD = LD4;
using LF = LF8;
__m256d vd_set1(double x) { return _mm256_set1_pd(x); }
__m256 vf_set1(float x) { return _mm256_set1_ps(x); }
__m256d vd_sqrt(__m256d x) { return _mm256_sqrt_pd(x); }
__m256 vf_sqrt(__m256 x) { return _mm256_sqrt_ps(x); }
__m256 vf_rcp(__m256 x) { return _mm256_rcp_ps(x); }
__m256 vf_rsqrt(__m256 x) { return _mm256_rsqrt_ps(x); }
}  // namespace
}  // namespace vmbench

using VD = __m256d;
using VF = __m256;
#define VM_W "256"
#define VM_ISA Isa::avx2
#define VM_RCP "rcpps"
#define VM_RSQRT "rsqrtps"
#define MV_D(fn) _ZGVdN4v_##fn
#define MV_F(fn) _ZGVdN8v_##fn##f
#define MV_D2(fn) _ZGVdN4vv_##fn
#define MV_F2(fn) _ZGVdN8vv_##fn##f
#define SL_D(fn, u) Sleef_##fn##d4_##u##avx2
#define SL_F(fn, u) Sleef_##fn##f8_##u##avx2
#include "peers_table.h"
