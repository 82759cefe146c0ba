#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what clang-format makes
# of it with the checked-in .clang-format (Debian 12's clang-format 14 is in
# the install list, so everyone formats alike).
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
if ! out=$(echo "$files" | xargs clang-format --dry-run --Werror 2>&1); then
  echo "$out" | grep -E '^[^ ].*(warning|error):' | cut -d: -f1 | sort -u | sed 's/^/  not formatted: /'
  echo "check_style: run clang-format -i on the files above"
  exit 1
fi
echo "check_style: $(echo "$files" | wc -l) files formatted"
