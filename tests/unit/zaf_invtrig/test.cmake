# The polynomials and table are exactly what their generator writes today (mpmath, x86-64 and
# i386 alike: the generator does not depend on the build).
find_program(ZAFORQ_PYTHON3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(ZAFORQ_PYTHON3 AND NOT ZAFORQ_I386)
  add_test(NAME unit.zaf_invtrig_tables
    COMMAND sh -c "${ZAFORQ_PYTHON3} ${CMAKE_SOURCE_DIR}/tools/invtrig_tables/gen.py --stdout | cmp - ${CMAKE_SOURCE_DIR}/src/zaf_core/_invtrig/invtrig_tables.inc")
endif()
