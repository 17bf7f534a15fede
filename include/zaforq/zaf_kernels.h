/* zaforq vector-math kernels: included by zaf.h; each group of families has its own header. */
#ifndef ZAFORQ_ZAF_KERNELS_H
#define ZAFORQ_ZAF_KERNELS_H

#include "zaforq/zaf_algebraic.h"
#include "zaforq/zaf_explog.h"
#include "zaforq/zaf_trig.h"
#include "zaforq/zaf_hyperbolic.h"
#include "zaforq/zaf_erf.h"
#include "zaforq/zaf_invtrig.h"
#include "zaforq/zaf_pack.h"
#endif
