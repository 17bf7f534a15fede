# Runs the zaforq command; the i386 command cannot be started from the emulated test, so this
# check runs in the 64-bit builds.
if(ZAFORQ_I386)
  set(skip ON)
  set_target_properties(${t} PROPERTIES EXCLUDE_FROM_ALL ON)
else()
  target_compile_definitions(${t} PRIVATE ZAFORQ_CLI="$<TARGET_FILE:zaforq_cli>")
  add_dependencies(${t} zaforq_cli)
endif()
