#!/usr/bin/env bash
# Counts how much of a folder (game/ by default) compiles without X: every
# source and header is compiled on its own with headers in place of X's that
# stop the build (tools/no-x-headers). Code lines are the lines that are
# neither blank nor only a // comment.
#   tools/count-x-free.sh [folder]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
folder=${1:-game}
cd "$here"

code_lines() { grep -cvE '^[[:space:]]*(//.*)?$' "$1" || true; }

free_files=0 free_lines=0 all_files=0 all_lines=0
while IFS= read -r file; do
    lines=$(code_lines "$file")
    all_files=$((all_files + 1))
    all_lines=$((all_lines + lines))
    if ${CXX:-g++} -std=c++17 -fsyntax-only -x c++ -I"$here/tools/no-x-headers" -I"$here" "$file" 2>/dev/null; then
        free_files=$((free_files + 1))
        free_lines=$((free_lines + lines))
        mark=" "
    else
        mark="X"
    fi
    printf '%s %5d  %s\n' "$mark" "$lines" "$file"
done < <(find "$folder" -name '*.cpp' -o -name '*.h' | sort)

echo "without X: $free_lines of $all_lines code lines ($((100 * free_lines / all_lines)) %), $free_files of $all_files files"
