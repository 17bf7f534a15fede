# The kernel list comes from the export lists of the ABI test.
target_compile_definitions(${t} PRIVATE ZAFORQ_EXPORTS_DIR="${CMAKE_SOURCE_DIR}/tests/abi/exports")
target_link_libraries(${t} PRIVATE ${CMAKE_DL_LIBS})
