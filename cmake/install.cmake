# What `cmake --install` puts under the prefix: the shared object with its SONAME links, the
# public C headers, the `zaforq` command, a CMake package exporting zaforq::zaforq, and a
# pkg-config file. Included from the top-level CMakeLists.txt.
include(CMakePackageConfigHelpers)

install(TARGETS zaforq EXPORT zaforqTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} NAMELINK_COMPONENT Development
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS zaforq_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} FILES_MATCHING PATTERN "*.h")

set(ZAFORQ_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/zaforq)
install(EXPORT zaforqTargets NAMESPACE zaforq:: DESTINATION ${ZAFORQ_CMAKE_DIR})
configure_package_config_file(cmake/zaforqConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/zaforqConfig.cmake INSTALL_DESTINATION ${ZAFORQ_CMAKE_DIR})
# Minor versions add entries but never change existing ones, so any 0.x at least as new serves.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/zaforqConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zaforqConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/zaforqConfigVersion.cmake
  DESTINATION ${ZAFORQ_CMAKE_DIR})

# pkg-config paths relative to the file's own place, so an installed tree can be moved whole.
file(RELATIVE_PATH ZAFORQ_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" ZAFORQ_PC_TO_PREFIX "${ZAFORQ_PC_TO_PREFIX}")
configure_file(cmake/zaforq.pc.in ${CMAKE_CURRENT_BINARY_DIR}/zaforq.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zaforq.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
