# Peer: FFTW in double and single precision.
target_link_libraries(${b} PRIVATE fftw3 fftw3f)
