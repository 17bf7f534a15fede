// Layouts of the public records as a C++ compiler sees them.
#include "zaforq.h"
#define _Static_assert static_assert
#include "layout_checks.h"

int main() { return dll_cpu_version() == 2 ? 0 : 1; }
