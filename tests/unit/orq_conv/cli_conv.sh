#!/bin/sh
# zaforq conv end to end: files in, outputs out, bad input refused with a message and status.
# Arguments: the command to run zaforq (an emulator may come first).
set -u
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
printf '1\n2\n3\n' > "$tmp/x"
printf '1 1\n' > "$tmp/y"
printf '1 two\n' > "$tmp/bad"
fail=0
check() {  # expected-output args...
  want=$1; shift
  got=$("$@" 2>/dev/null | tr '\n' ' ')
  if [ "$got" != "$want" ]; then echo "zaforq $*: got '$got', want '$want'"; fail=1; fi
}
z="$*"
check "1 3 5 3 " $z conv "$tmp/x" "$tmp/y"
check "3 5 3 1 " $z conv "$tmp/x" "$tmp/y" --corr
check "5 3 " $z conv "$tmp/x" "$tmp/y" --corr --start -1 --count 2
check "1 5 " $z conv "$tmp/x" "$tmp/y" --decimation 2 --float
check "1 5 " $z conv "$tmp/x" "$tmp/y" --decimation 2 --method fft
check "3 5 3 1 " $z conv "$tmp/x" "$tmp/y" --corr --method fft --float
for args in "conv $tmp/x $tmp/y --start 9" "conv $tmp/x $tmp/bad" "conv $tmp/x" "conv $tmp/x $tmp/y --method slow" "conv $tmp/x $tmp/nothing"; do
  if $z $args >/dev/null 2>"$tmp/err"; then echo "zaforq $args: accepted"; fail=1; fi
  if ! grep -q 'zaforq conv' "$tmp/err" && ! grep -q usage "$tmp/err"; then echo "zaforq $args: no message"; fail=1; fi
done
exit $fail
