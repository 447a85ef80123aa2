#!/usr/bin/env bash
# Inside the sandbox, without a user: shows quorvel.exe on an 800 x 400 Wine desktop (so the window
# has its title bar), saves a screenshot once the window is up, then presses Esc.
set -euo pipefail

# The desktop window does not pass the program's exit code on; the tool's "close" reports it.
wine explorer /desktop=quorvel,800x400 "$QV_EXE" &
program=$!

if ! wine "$QV_TOOL" --desktop quorvel wait 60000; then
  echo "run: the window titled Quorvel工具 did not appear" >&2
  kill "$program" 2>/dev/null || true
  exit 1
fi
sleep 1  # let the controls finish painting
desktop=$(xwininfo -root -tree | awk '/"quorvel - Wine desktop"/ {print $1; exit}')
if [[ -n $desktop ]]; then
  import -window "$desktop" "$QV_SCREENSHOT"
else
  import -window root "$QV_SCREENSHOT"
fi
echo "screenshot: $QV_SCREENSHOT"

status=0
wine "$QV_TOOL" --desktop quorvel close || status=$?
wait "$program" || true
echo "quorvel.exe exited with $status"
exit "$status"
