// Double-double helpers. SSE2 has no fused multiply-add, so exact products use Dekker's split.
#pragma once

namespace zaforq::dd {

// s + e == a + b exactly.
inline void two_sum(double a, double b, double& s, double& e) {
  s = a + b;
  const double bb = s - a;
  e = (a - (s - bb)) + (b - bb);
}
// Requires |a| >= |b| (or a == 0).
inline void fast_two_sum(double a, double b, double& s, double& e) {
  s = a + b;
  e = b - (s - a);
}
// hi + lo == a, each with at most 26 significant bits.
inline void split(double a, double& hi, double& lo) {
  const double c = 134217729.0 * a;  // 2^27 + 1
  hi = c - (c - a);
  lo = a - hi;
}
// p + e == a * b exactly (barring overflow).
inline void two_prod(double a, double b, double& p, double& e) {
  p = a * b;
  double ah, al, bh, bl;
  split(a, ah, al);
  split(b, bh, bl);
  e = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
}

}  // namespace zaforq::dd
