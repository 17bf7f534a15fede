#!/bin/sh
# The shared object exports exactly the names listed in exports/*.txt (one per line, # comments).
lib=$1; dir=$2
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
nm -D --defined-only "$lib" | awk 'NF >= 3 {print $3}' | sed 's/@.*//' | grep -v '^__odr_asan\.' | sort -u > "$tmp/have"
cat "$dir"/*.txt | sed 's/#.*//; s/[[:space:]]//g' | grep -v '^$' | sort -u > "$tmp/want"
if ! diff -u "$tmp/want" "$tmp/have" > "$tmp/diff"; then
  echo "exported names differ from the list (- listed only, + exported only):"
  grep '^[-+][^-+]' "$tmp/diff"
  exit 1
fi
echo "$(wc -l < "$tmp/have") exported names match the list"
