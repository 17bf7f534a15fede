# MPFR is the oracle; it exists only as an x86-64 library here.
if(ZAFORQ_I386)
  message(STATUS "${t}: skipped on i386 (needs the x86-64 MPFR library)")
  set(skip ON)
  set_target_properties(${t} PROPERTIES EXCLUDE_FROM_ALL ON)
else()
  target_link_libraries(${t} PRIVATE mpfr gmp)
  # The checked-in tables must be what the generators write today.
  add_executable(trig_tables ${CMAKE_SOURCE_DIR}/tools/trig_tables/trig_tables.cpp)
  target_link_libraries(trig_tables PRIVATE mpfr gmp)
  set_target_properties(trig_tables PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZAFORQ_TEST_DIR})
  foreach(table reduction sincos tan)
    add_test(NAME tables.trig_${table}
      COMMAND sh -c "$<TARGET_FILE:trig_tables> ${table} | cmp - ${CMAKE_SOURCE_DIR}/src/zaf_core/_heap/${table}_tab.inc")
  endforeach()
endif()
