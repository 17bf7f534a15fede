// _dSin, _dCos, _dSinCos, _dTan: one element each, correct to within one ulp for every double.
#include "zaf_core/_heap/trig_scalar.h"

extern "C" {
#include "zaf_core/_heap/sincos_tab.inc"
#include "zaf_core/_heap/tan_tab.inc"
}

extern "C" double _dSin(double x) { return zaforq::trig::sin_scalar(x); }
extern "C" double _dCos(double x) { return zaforq::trig::cos_scalar(x); }
extern "C" void _dSinCos(double x, double* s, double* c) { zaforq::trig::sincos_scalar(x, s, c); }
extern "C" double _dTan(double x) { return zaforq::trig::tan_scalar(x); }
