#!/bin/sh
# The shipped object is hardened: relocations resolved at load and then read-only (full
# RELRO), stack canaries, and, in optimised builds, the checked forms of the copy and print
# functions.
#   check_hardening.sh LIB optimised|debug
lib=$1; kind=$2
status=0
readelf -lW "$lib" | grep -q GNU_RELRO || { echo "no GNU_RELRO segment"; status=1; }
readelf -d "$lib" | grep -E '\(FLAGS(_1)?\)' | grep -q -w NOW || { echo "not linked with -z now"; status=1; }
nm "$lib" 2>/dev/null | grep -q '__stack_chk_fail' || nm -D "$lib" | grep -q '__stack_chk_fail' ||
  { echo "no stack canary anywhere"; status=1; }
if [ "$kind" = optimised ]; then
  nm -D --undefined-only "$lib" | grep -q '__[a-z]*_chk' || { echo "no fortified call (_FORTIFY_SOURCE off?)"; status=1; }
fi
[ $status = 0 ] && echo "hardened ($kind): full RELRO, canaries$([ "$kind" = optimised ] && echo ', fortified calls')"
exit $status
