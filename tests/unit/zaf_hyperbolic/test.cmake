# The checked-in Tanh tables must be what their generator writes today (mpmath, a few seconds).
add_test(NAME tables.hyperbolic_tanh
  COMMAND sh -c "/usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/hyperbolic_tables/gen.py --stdout | cmp - ${CMAKE_SOURCE_DIR}/src/zaf_core/tanh/tanh_tables.inc")
