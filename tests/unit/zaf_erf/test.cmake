# The checked-in Erf and Erfc tables must be what the generator writes today.
add_test(NAME tables.erf
  COMMAND sh -c "/usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/erf_tables/gen.py --stdout | cmp - ${CMAKE_SOURCE_DIR}/src/zaf_core/_erf/erf_tables.inc")
