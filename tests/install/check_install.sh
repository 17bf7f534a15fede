#!/bin/sh
# Installs the build into a scratch prefix, then builds and runs a program outside the tree
# against it twice: through find_package(zaforq) and through pkg-config. Also runs the
# installed command, which must find the installed library by itself.
#   check_install.sh BUILD_DIR SOURCE_DIR C_COMPILER
set -eu
build=$1 src=$2 cc=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }
lib=$(find "$prefix" -name 'libzaforq.so.*' -type f | head -n 1)
[ -n "$lib" ] || { echo "no libzaforq.so.* installed"; exit 1; }
soname=$(readelf -d "$lib" | sed -n 's/.*Library soname: \[\(.*\)\]/\1/p')
[ -e "$(dirname "$lib")/$soname" ] || { echo "SONAME $soname has no link beside $lib"; exit 1; }

echo "== find_package =="
cmake -S "$src/tests/install/consumer" -B "$work/cm" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_C_COMPILER="$cc" >"$work/cm.log" || { cat "$work/cm.log"; exit 1; }
cmake --build "$work/cm" >"$work/cmb.log" || { cat "$work/cmb.log"; exit 1; }
"$work/cm/consumer"

echo "== pkg-config =="
pcdir=$(dirname "$(find "$prefix" -name zaforq.pc | head -n 1)")
flags=$(PKG_CONFIG_PATH=$pcdir pkg-config --cflags --libs zaforq)
libdir=$(PKG_CONFIG_PATH=$pcdir pkg-config --variable=libdir zaforq)
# shellcheck disable=SC2086
"$cc" -std=c99 "$src/tests/install/consumer/main.c" $flags -Wl,-rpath,"$libdir" -o "$work/pc_consumer"
"$work/pc_consumer"

echo "== installed command =="
"$prefix/bin/zaforq" --help >/dev/null
echo "install ok"
