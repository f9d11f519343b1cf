#!/usr/bin/env bash
# check_stack_guard.sh CMD...
# CMD runs guarded_program. Each start must draw a guard of its own, never 0, and a smashed stack
# must end the process as a failure before the function that smashed it returns.
set -uo pipefail
first="$("$@" | tr -d '\r')"
second="$("$@" | tr -d '\r')"
failed=0
if [[ -z "$first" || "$first" == 0 || "$first" == "$second" ]]; then
    echo "guards of two starts: '$first' and '$second'; want two different ones, not 0" >&2
    failed=1
fi
said="$("$@" overrun)"
status=$?
if ((status == 0)) || [[ "$said" == *returned* ]]; then
    echo "a smashed stack ended with status $status, saying '$said'" >&2
    failed=1
fi
exit "$failed"
