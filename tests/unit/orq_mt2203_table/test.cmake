# The period check shares the search tool's polynomial code. Without the carry-less multiply
# instruction the full test takes minutes under emulation, so it runs in the 64-bit builds.
if(ZAFORQ_I386)
  message(STATUS "${t}: skipped on i386 (the period check needs the carry-less multiply instruction)")
  set(skip ON)
  set_target_properties(${t} PROPERTIES EXCLUDE_FROM_ALL ON)
else()
  target_include_directories(${t} PRIVATE ${CMAKE_SOURCE_DIR}/tools)
  target_compile_options(${t} PRIVATE -mpclmul)
  # the search tool itself, for `mt2203_search verify` over the whole table by hand
  add_executable(mt2203_search ${CMAKE_SOURCE_DIR}/tools/mt2203_search/mt2203_search.cpp)
  target_compile_options(mt2203_search PRIVATE -mpclmul -O2)
  set_target_properties(mt2203_search PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools EXCLUDE_FROM_ALL ON)
endif()
