# GSL's generators are peers in the same run.
target_link_libraries(${b} PRIVATE gsl gslcblas)
