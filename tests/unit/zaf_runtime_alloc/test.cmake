# This binary replaces malloc and free; the sanitizers own them in the asan build.
if(ZAFORQ_SANITIZE)
  set(skip ON)
endif()
