#!/usr/bin/env bash
# Installs the build into a fresh scratch prefix, as a packager or a user would with
# `cmake --install`. Usage: install_into_prefix.sh CMAKE BUILD PREFIX
set -euo pipefail
cmake=$1
build=$2
prefix=$3
rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
echo "installed into $prefix"
