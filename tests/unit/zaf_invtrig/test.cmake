# The polynomials and table are exactly what their generator writes today. The generator
# (mpmath) does not depend on the build, so the check runs in the 64-bit build only.
find_program(ZAFORQ_PYTHON3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(ZAFORQ_I386)
  message(STATUS "unit.zaf_invtrig_tables: checked in the x86-64 build only")
elseif(ZAFORQ_PYTHON3)
  add_test(NAME unit.zaf_invtrig_tables
    COMMAND sh -c "${ZAFORQ_PYTHON3} ${CMAKE_SOURCE_DIR}/tools/invtrig_tables/gen.py --stdout | cmp - ${CMAKE_SOURCE_DIR}/src/zaf_core/_invtrig/invtrig_tables.inc")
endif()
