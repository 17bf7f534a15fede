# GSL's quasi-random generators are the oracle; GSL is installed for x86-64 only, so the i386
# build runs the other checks and skips those two.
target_compile_definitions(${t} PRIVATE ZAFORQ_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
if(NOT ZAFORQ_I386)
  target_compile_definitions(${t} PRIVATE ZAFORQ_HAVE_GSL=1)
  target_link_libraries(${t} PRIVATE gsl gslcblas)
endif()
