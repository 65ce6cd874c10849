#!/usr/bin/env bash
# Builds the product again in another folder, configured as the tested build was, and compares
# the files a release hands out byte for byte: a time stamp or a build path in them would differ.
#   rebuild_gives_same_bytes.sh <source> <folder> <toolchain> <build type> <tested build>
#                               <payload or ""> <carried version>
set -euo pipefail
source=$1 folder=$2 toolchain=$3 type=$4 tested=$5 payload=$6 version=$7
"$(dirname "$0")/scratch_build.sh" "$source" "$folder" "$toolchain" "$type" \
    "updater standin_old standin_new" \
    -DUPDATER_PAYLOAD="$payload" -DUPDATER_CARRIED_VERSION="$version"
status=0
for file in ActualizareCalvex.exe standin/old/ZentorCalvex.exe standin/new/ZentorCalvex.exe; do
    if cmp -s "$tested/$file" "$folder/$file"; then
        echo "$file: the same bytes"
    else
        echo "$file differs between the two builds; first differing bytes (offset, values):"
        cmp -l "$tested/$file" "$folder/$file" | head -5 || true
        status=1
    fi
done
exit $status
