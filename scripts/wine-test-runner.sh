#!/usr/bin/env bash
# The emulator through which ctest runs the Windows test executables: wine, inside a sandbox of
# the test's own (network namespace, Wine prefix, Xvfb) unless it already runs inside one.
set -euo pipefail
if [[ -n ${QV_NETNS:-} ]]; then
  exec wine "$@"
fi
exec "$(dirname "${BASH_SOURCE[0]}")/sandbox.sh" -- wine "$@"
