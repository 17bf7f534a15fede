# Peers: glibc's libmvec and SLEEF. The AVX2 peers live in their own source so only they are
# compiled for AVX2; the kernels and the other peers stay SSE2.
find_library(ZAFORQ_SLEEF sleef REQUIRED)
find_path(ZAFORQ_SLEEF_INCLUDE sleef.h PATHS /usr/include/x86_64-linux-gnu REQUIRED)
target_include_directories(${b} PRIVATE ${ZAFORQ_SLEEF_INCLUDE})
target_link_libraries(${b} PRIVATE ${ZAFORQ_SLEEF} mvec)
set_source_files_properties(${dir}/peers_avx2.cpp PROPERTIES COMPILE_OPTIONS "-mavx2;-mfma")
set_source_files_properties(${dir}/peers_hyperbolic_avx2.cpp PROPERTIES COMPILE_OPTIONS "-mavx2;-mfma")
set_source_files_properties(${dir}/peers_erf_avx2.cpp PROPERTIES COMPILE_OPTIONS "-mavx2;-mfma")
