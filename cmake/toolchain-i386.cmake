# 32-bit x86 with SSE2 arithmetic, built on an x86-64 host with the multilib compilers.
# Marking the build as cross-compiled makes CTest run every test binary through qemu-i386,
# because the host kernel here cannot execute 32-bit programs directly.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_CROSSCOMPILING_EMULATOR "qemu-i386;-L;/")
set(ZAFORQ_I386 ON CACHE BOOL "i386 build" FORCE)
