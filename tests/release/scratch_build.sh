#!/usr/bin/env bash
# Configures a second build of the product in a folder of its own, the way the tested build was
# configured (same toolchain and build type, no tests), and builds the given targets.
#   scratch_build.sh <source> <folder> <toolchain> <build type> "<targets>" [-Dname=value...]
set -euo pipefail
source=$1 folder=$2 toolchain=$3 type=$4 targets=$5
shift 5
rm -rf "$folder"
cmake -S "$source" -B "$folder" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE="$type" -DBUILD_TESTING=OFF "$@" >/dev/null
# shellcheck disable=SC2086 # the targets are words
nice cmake --build "$folder" -j2 --target $targets
