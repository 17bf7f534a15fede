// The bounds of the Cauchy distribution's angles, +pi/2 and -pi/2, in each precision.
#include "zaforq/orq_dist.h"

extern "C" ZAFORQ_API const double _orqdCauchyTab[2] = {1.5707963267948966, -1.5707963267948966};
// the float nearest pi/2
extern "C" ZAFORQ_API const float _orqsCauchyTab[2] = {1.5707963705062866f, -1.5707963705062866f};
