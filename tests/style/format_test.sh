#!/bin/sh
# Every C++ file of the project is formatted as .clang-format says.
# usage: format_test.sh SOURCE_DIR
set -u
cd "$1" || exit 1
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null) || files=$(find . -name '*.cpp' -o -name '*.h' | grep -v '^./build/')
# shellcheck disable=SC2086
clang-format --dry-run --Werror $files
