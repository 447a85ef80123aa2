#!/usr/bin/env bash
# Builds and runs every test: the logic natively with sanitizers (host), the fuzz targets for a
# bounded time (fuzz), and the Windows build under Wine (windows), where every test runs in a
# network namespace of its own. Ends with one summary line: "N passed, N failed".
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh || { echo "test: installing the build dependencies failed" >&2; exit 1; }

logs=build/test-logs
mkdir -p "$logs"
passed=0
failed=0
broken_stages=()

# stage NAME: configure, build and test one preset; counts come from ctest's closing line.
stage() {
  local name=$1 log="$logs/$1.log"
  echo "== $name: configure and build"
  if ! { cmake --preset "$name" && cmake --build --preset "$name" -- -j2; } >"$log.build" 2>&1; then
    tail -n 60 "$log.build"
    echo "== $name: build FAILED (full log: $log.build)"
    broken_stages+=("$name")
    failed=$((failed + 1))
    return
  fi
  echo "== $name: test"
  ctest --preset "$name" -j"${QV_TEST_JOBS:-2}" 2>&1 | tee "$log"
  local line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [[ -z $line ]]; then
    echo "== $name: ctest printed no result"
    broken_stages+=("$name")
    failed=$((failed + 1))
    return
  fi
  bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  ((bad == 0)) || broken_stages+=("$name")
}

stage host
stage fuzz
stage windows

((${#broken_stages[@]})) && echo "stages with failures: ${broken_stages[*]}"
echo "Summary: $passed passed, $failed failed"
((failed == 0))
