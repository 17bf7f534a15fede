// Double Erfc: the kernel policy of both classes, which differ only in the table of G and in
// how G times e^(-x^2) is evaluated. |x| above 26.4, and NaN, go through the special routine,
// which scales the result in two steps below the normal range and reports UNDERFLOW from
// 26.543258454250978 on.
#pragma once
#include "zaf_core/_erf/erf_core.h"

namespace zaforq::vm::erfk {

template <bool HA>
struct DErfcPolicy : DErfcCore<HA> {
  using Wide = DErfcCore<HA>;
  static constexpr X87 x87 = X87::untouched;
  static uint32_t fast(const double* a, double* r) { return Wide::template fast<f64x2>(a, r); }
  static void special(double a, double& r, const vm::Report<double>& report) { derfc_special<HA>(a, r, report); }
};

}  // namespace zaforq::vm::erfk
