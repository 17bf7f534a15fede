# The checked-in Tanh tables must be what their generator writes today (mpmath, a few seconds).
add_test(NAME tables.hyperbolic_tanh
  COMMAND sh -c "/usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/hyperbolic_tables/gen.py --stdout | cmp - ${CMAKE_SOURCE_DIR}/src/zaf_core/tanh/tanh_tables.inc")
# The same for the float 11-bit Asinh/Acosh/Atanh logarithm polynomial.
add_test(NAME tables.hyperbolic_arc
  COMMAND sh -c "/usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/arc_hyperbolic_tables/gen.py --stdout | cmp - ${CMAKE_SOURCE_DIR}/src/zaf_core/_hyperbolic/arc_tables.inc")
