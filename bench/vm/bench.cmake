# Peers: glibc's libmvec and SLEEF. Each register width's peers live in their own source, built
# for that instruction set only; the kernels and the other peers stay SSE2.
find_library(ZAFORQ_SLEEF sleef REQUIRED)
find_path(ZAFORQ_SLEEF_INCLUDE sleef.h PATHS /usr/include/x86_64-linux-gnu REQUIRED)
target_include_directories(${b} PRIVATE ${ZAFORQ_SLEEF_INCLUDE})
target_link_libraries(${b} PRIVATE ${ZAFORQ_SLEEF} mvec)
set_source_files_properties(${dir}/peers_avx2.cpp PROPERTIES COMPILE_OPTIONS "-mavx2;-mfma")
set_source_files_properties(${dir}/peers_avx512.cpp PROPERTIES
  COMPILE_OPTIONS "-mavx512f;-mavx512dq;-mavx512vl;-mavx2;-mfma")
# Every contender computes its own function on the benchmark's arguments (no timing involved).
add_test(NAME bench_vm_peers COMMAND ${b} --verify)
