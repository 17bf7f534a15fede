#!/bin/sh
# zaforq fft: a known spectrum, the scaled inverse, single precision and bad lengths.
zaforq="$1"
fail=0
expect() {
  if [ "$2" != "$3" ]; then
    printf '%s\n  expected: %s\n  got:      %s\n' "$1" "$2" "$3"
    fail=1
  fi
}
out=$(printf '1\n2\n3\n4\n' | $zaforq fft | tr '\n' ' ')
expect "forward, Perm layout" "10 -2 -2 2 " "$out"
out=$(printf '10\n-2\n-2\n2\n' | $zaforq fft --inverse --scale 2 | tr '\n' ' ')
expect "inverse scaled by 1/N" "1 2 3 4 " "$out"
out=$(printf '1\n1\n1\n1\n1\n1\n1\n1\n' | $zaforq fft --float --scale 1 | sed 's/^-0$/0/' | tr '\n' ' ')
expect "single precision, forward scaled by 1/N" "1 0 0 0 0 0 0 0 " "$out"
printf '1\n2\n3\n' | $zaforq fft >/dev/null 2>&1 && { echo "a length of 3 must fail"; fail=1; }
printf '1\n2\n' | $zaforq fft --scale 3 >/dev/null 2>&1 && { echo "scale 3 must fail"; fail=1; }
[ $fail -eq 0 ] && echo "cli fft: all cases pass"
exit $fail
