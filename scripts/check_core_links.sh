#!/bin/sh
# Fails when one of the given programs loads a Qt library: the core and its
# suites are plain C++.
status=0
for program in "$@"; do
  if [ ! -x "$program" ]; then
    echo "missing program: $program"
    status=1
    continue
  fi
  qt=$(ldd "$program" | grep -o 'libQt[^ ]*' | sort -u | tr '\n' ' ')
  if [ -n "$qt" ]; then
    echo "$program loads $qt"
    status=1
  fi
done
[ $status -eq 0 ] && echo "$# core programs, none loads Qt"
exit $status
