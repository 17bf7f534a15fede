# MPFR is the oracle; it exists only as an x86-64 library here.
if(ZAFORQ_I386)
  message(STATUS "${t}: skipped on i386 (needs the x86-64 MPFR library)")
  set(skip ON)
  set_target_properties(${t} PROPERTIES EXCLUDE_FROM_ALL ON)
else()
  target_link_libraries(${t} PRIVATE mpfr gmp)
endif()
