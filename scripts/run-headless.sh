#!/usr/bin/env bash
# Inside the sandbox, without a user: shows quorvel.exe on an 800 x 400 Wine desktop (so the window
# has its title bar), saves a screenshot once the window is up, then presses Esc.
set -euo pipefail

wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x400 /f >/dev/null 2>&1

wine "$QV_EXE" &
program=$!

if ! wine "$QV_TOOL" wait 60000; then
  echo "run: the window titled Quorvel工具 did not appear" >&2
  kill "$program" 2>/dev/null || true
  exit 1
fi
sleep 1  # let the controls finish painting
desktop=$(xwininfo -root -tree | awk '/"Wine desktop"|"Default - Wine desktop"|Wine desktop/ {print $1; exit}')
if [[ -n $desktop ]]; then
  import -window "$desktop" "$QV_SCREENSHOT"
else
  import -window root "$QV_SCREENSHOT"
fi
echo "screenshot: $QV_SCREENSHOT"

wine "$QV_TOOL" close
status=0
wait "$program" || status=$?
echo "quorvel.exe exited with $status"
exit "$status"
