#!/bin/sh
# zaforq vm: results, classes, pairs, the standard-error report and bad input.
# $1 is the command line that runs zaforq (an emulator may come first).
zaforq="$1"
fail=0
expect() {  # expect NAME EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    printf '%s\n  expected: %s\n  got:      %s\n' "$1" "$2" "$3"
    fail=1
  fi
}
out=$(printf '1\n0\n-745.5\n' | $zaforq vm Exp 2>/dev/null | tr '\n' ' ')
expect "double Exp" "2.7182818284590451 1 0 " "$out"
out=$(printf '2 4\n' | $zaforq vm Div --float --accuracy HA 2>/dev/null)
expect "float Div pairs" "0.5" "$out"
out=$(printf '1 0\n' | $zaforq vm Div 2>&1 >/dev/null | head -1)
expect "report on standard error" "Error (ZAF_STATUS_SING) in _zafdDiv_HA: argument caused singularity" "$out"
out=$(printf '0x1p-1074\n' | $zaforq vm sqrt --accuracy 50 2>/dev/null)
expect "Sqrt of the smallest subnormal" "2.2227587494850775e-162" "$out"
out=$(printf '2 10\n' | $zaforq vm Pow 2>/dev/null)
expect "Pow pairs" "1024" "$out"
out=$(printf '4\n9\n' | $zaforq vm Powx --power 0.5 2>/dev/null | tr '\n' ' ')
expect "Powx with one exponent" "2 3 " "$out"
out=$(printf '0\n' | $zaforq vm SinCos 2>/dev/null)
expect "SinCos prints both results" "0 1" "$out"
out=$(printf '1 -1\n-0 -0\n' | $zaforq vm Atan2 --accuracy 50 2>/dev/null | tr '\n' ' ')
expect "Atan2 pairs, signed zeros" "2.3561944901923448 -3.1415926535897931 " "$out"
out=$(printf '2\n' | $zaforq vm Asin --float --accuracy 11 2>&1 >/dev/null | head -1)
expect "Asin domain error on standard error" "Error (ZAF_STATUS_ERRDOM) in _zafsAsin_11: argument is out of domain" "$out"
$zaforq vm Powx </dev/null >/dev/null 2>&1 && { echo "Powx without --power must fail"; fail=1; }
printf '1\nx\n' | $zaforq vm Exp >/dev/null 2>&1 && { echo "a non-number must fail"; fail=1; }
$zaforq vm Exp --accuracy 11 </dev/null >/dev/null 2>&1 && { echo "double has no _11 class"; fail=1; }
printf '1\n' | $zaforq vm Div >/dev/null 2>&1 && { echo "an odd count for Div must fail"; fail=1; }
[ $fail -eq 0 ] && echo "cli vm: all cases pass"
exit $fail
