# This binary replaces malloc and free to make allocations fail; the sanitizers own them in
# the asan build, where the distribution tests check for leaks instead.
if(ZAFORQ_SANITIZE)
  set(skip ON)
  set_target_properties(${t} PROPERTIES EXCLUDE_FROM_ALL ON)
endif()
