#!/usr/bin/env bash
# Fails when any C++ source differs from what clang-format (and the .clang-format at the
# root) would write. Usage: check-format.sh [root]   (default: this repository)
# In a git checkout the tracked *.cpp and *.h are checked; elsewhere every such file
# outside build/ and .git/.
set -euo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
clang_format=${CLANG_FORMAT:-clang-format}
command -v "$clang_format" >/dev/null || {
    echo "check-format.sh: $clang_format not found (apt-get install clang-format)" >&2
    exit 2
}
cd "$root"

files=()
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$root" ]; then
    while IFS= read -r -d '' f; do
        # a tracked file deleted in the working tree is not a format error
        [ -f "$f" ] && files+=("$f")
    done < <(git ls-files -z -- '*.cpp' '*.h')
else
    while IFS= read -r -d '' f; do
        files+=("$f")
    done < <(find . \( -path ./build -o -path ./.git \) -prune -o \
        -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
fi

if [ ${#files[@]} -eq 0 ]; then
    echo "check-format.sh: no C++ files under $root" >&2
    exit 2
fi
if "$clang_format" --dry-run --Werror "${files[@]}"; then
    echo "check-format.sh: ${#files[@]} files formatted"
else
    echo "check-format.sh: run 'make format' (clang-format -i) on the files above" >&2
    exit 1
fi
