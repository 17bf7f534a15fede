#!/bin/sh
# The shared object needs only the C runtime, libm and libpthread, and imports only the
# functions in the allowed list (the runtime's memory, file and formatted-output functions,
# three math functions, errno, the thread keys, and helpers the compiler emits).
lib=$1; allowed=$2
status=0
needed=$(readelf -d "$lib" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
for n in $needed; do
  case "$n" in
    libc.so.*|libm.so.*|libpthread.so.*|ld-linux*.so.*) ;;
    *) echo "needs a library outside libc, libm and libpthread: $n"; status=1 ;;
  esac
done
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
nm -D --undefined-only "$lib" | awk '{print $NF}' | sed 's/@.*//' | sort -u > "$tmp/imports"
sed 's/#.*//; s/[[:space:]]//g' "$allowed" | grep -v '^$' | sort -u > "$tmp/allowed"
extra=$(comm -23 "$tmp/imports" "$tmp/allowed")
if [ -n "$extra" ]; then
  echo "imports outside the allowed list:"; echo "$extra"; status=1
fi
[ $status = 0 ] && echo "needs: $(echo $needed); $(wc -l < "$tmp/imports") imports, all allowed"
exit $status
