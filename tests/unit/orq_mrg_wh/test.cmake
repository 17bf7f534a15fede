# The table test runs the search tool to compare its output with the checked-in table.
target_compile_definitions(${t} PRIVATE ZAFORQ_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
