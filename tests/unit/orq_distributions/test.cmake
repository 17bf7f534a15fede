# The checked-in logarithm table is rendered again with MPFR, an x86-64 library here: that one
# check runs in the 64-bit builds only.
if(NOT ZAFORQ_I386)
  target_link_libraries(${t} PRIVATE mpfr gmp)
  target_compile_definitions(${t} PRIVATE ZAFORQ_HAVE_MPFR=1 ZAFORQ_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_include_directories(${t} PRIVATE ${CMAKE_SOURCE_DIR})
endif()
