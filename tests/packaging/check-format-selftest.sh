#!/usr/bin/env bash
# The format check must pass a tree that clang-format leaves alone and fail one it would
# change, also outside a git checkout.
# Usage: check-format-selftest.sh <check-format.sh> <.clang-format> <scratch dir>
set -euo pipefail
check=$1 style=$2 scratch=$3

rm -rf "$scratch"
mkdir -p "$scratch/src" "$scratch/build"
cp "$style" "$scratch/.clang-format"
printf 'int twice(int x) {\n    return 2 * x;\n}\n' >"$scratch/src/good.cpp"
# build/ is not source: a badly formatted file there must not count
printf 'int  generated( ){return 0 ;}\n' >"$scratch/build/generated.cpp"

if ! bash "$check" "$scratch"; then
    echo "FAIL: a formatted tree was rejected"
    exit 1
fi

printf 'int  twice(int x){return 2*x;}\n' >"$scratch/src/bad.h"
if bash "$check" "$scratch"; then
    echo "FAIL: a badly formatted header was accepted"
    exit 1
fi
echo "the format check passes formatted sources and rejects the others"
