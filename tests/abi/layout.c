/* Layouts of the public records as a C compiler sees them. */
#include "zaforq.h"
#include "layout_checks.h"

int main(void) { return dll_cpu_version() == 2 ? 0 : 1; }
