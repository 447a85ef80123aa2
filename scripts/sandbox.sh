#!/usr/bin/env bash
# Runs one command inside a private network namespace with its own Wine prefix and, when there is
# no display, its own Xvfb. The resolver addresses the program probes are made local to the
# namespace, so nothing the program sends can leave this machine. Everything made here is removed
# on exit, also after Ctrl+C.
#
#   scripts/sandbox.sh [--setup FILE]... [--no-resolvers] [--xvfb] -- COMMAND [ARG]...
#
#   --setup FILE     bash file run inside the namespace before COMMAND (it may start fixtures in
#                    the background; they are ended with the namespace). It sees QV_NETNS and may
#                    write nameserver lines to "$QV_RESOLV_CONF".
#   --no-resolvers   do not put the resolver addresses on lo (a setup routes them instead)
#   --xvfb           start an Xvfb even when DISPLAY is set
#
# COMMAND runs in the namespace with WINEPREFIX, WINEDEBUG=-all, LANG=zh_CN.UTF-8 and DISPLAY set,
# and with QV_NETNS naming the namespace. The exit status is COMMAND's.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=scripts/resolver_addresses.sh
source "$here/resolver_addresses.sh"

setups=()
on_lo=1
own_display=0
while (($#)); do
  case "$1" in
    --setup) setups+=("$(realpath "$2")"); shift 2 ;;
    --no-resolvers) on_lo=0; shift ;;
    --xvfb) own_display=1; shift ;;
    --) shift; break ;;
    *) echo "sandbox: unknown option $1" >&2; exit 2 ;;
  esac
done
(($#)) || { echo "sandbox: no command given" >&2; exit 2; }

[[ $(id -u) == 0 ]] || { echo "sandbox: network namespaces need root" >&2; exit 1; }

# A sandbox killed outright (SIGKILL, as a test time-out may do) cannot clean up after itself: end
# the namespaces whose sandbox process is gone, with everything still running in them.
reap_stale_sandboxes() {
  local name owner pid
  for name in $(ip netns list 2>/dev/null | awk '{print $1}' | grep -E '^qv-[0-9]+-[0-9]+$'); do
    owner=${name#qv-}
    owner=${owner%%-*}
    # alive unless gone or a zombie (an orphan's zombie may never be reaped here)
    [[ -r /proc/$owner/stat && $(awk '{print $3}' "/proc/$owner/stat") != Z ]] && continue
    for pid in $(ip netns pids "$name" 2>/dev/null); do kill -9 "$pid" 2>/dev/null || true; done
    ip netns del "$name" 2>/dev/null || true
    [[ -f /run/quorvel-sandbox/$name ]] && rm -rf "$(cat "/run/quorvel-sandbox/$name")"
    rm -f "/run/quorvel-sandbox/$name"
    rm -rf "/etc/netns/$name"
  done
}
reap_stale_sandboxes

netns="qv-$$-$RANDOM"
workdir=$(mktemp -d /tmp/quorvel-sandbox.XXXXXX)
export QV_NETNS="$netns"
export WINEPREFIX="$workdir/wineprefix"
export WINEDEBUG=-all
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export QV_RESOLV_CONF="/etc/netns/$netns/resolv.conf"
xvfb_pid=""

in_ns() { ip netns exec "$netns" "$@"; }

cleanup() {
  local status=$?
  trap - EXIT INT TERM
  if ip netns list | grep -qw "$netns"; then
    in_ns wineserver -k >/dev/null 2>&1 || true
    for pid in $(ip netns pids "$netns" 2>/dev/null); do kill "$pid" 2>/dev/null || true; done
    sleep 0.2
    for pid in $(ip netns pids "$netns" 2>/dev/null); do kill -9 "$pid" 2>/dev/null || true; done
    ip netns del "$netns" 2>/dev/null || true
  fi
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "/etc/netns/$netns" "$workdir" "/run/quorvel-sandbox/$netns"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

ip netns add "$netns"
ip -n "$netns" link set lo up
mkdir -p "/etc/netns/$netns"
: >"$QV_RESOLV_CONF"
mkdir -p /run/quorvel-sandbox  # not under /etc/netns: ip netns exec mounts every file there
echo "$workdir" >"/run/quorvel-sandbox/$netns"

if ((on_lo)); then
  for address in "${QV_RESOLVER_ADDRESSES[@]}"; do
    ip -n "$netns" addr add "$address/32" dev lo
  done
fi

for setup in "${setups[@]}"; do
  in_ns bash "$setup"
done

# Guard: the namespace must have no way out. Only lo, veth peers inside our own namespaces and
# TUN devices served by our fixtures may exist; a default route would be a hole.
if in_ns ip route show default | grep -q .; then
  echo "sandbox: refusing to run: the namespace has a default route" >&2
  exit 1
fi

if [[ -z ${DISPLAY:-} ]] || ((own_display)); then
  display_file="$workdir/display"
  in_ns Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [[ -s $display_file ]] && break; sleep 0.1; done
  [[ -s $display_file ]] || { echo "sandbox: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$display_file")"
fi

# A new Wine prefix takes seconds to make; make one template per machine (in a namespace of its
# own, under a lock) and give each sandbox a copy: hard links for the read-only bulk, real copies
# of the registry files, which Wine rewrites.
#
# The window's layout was made for the default GUI font of a Chinese Windows (SimSun, 12 px).
# Wine's own substitute for it under zh_CN is wider and cuts labels, so the template maps the
# dialog faces behind DEFAULT_GUI_FONT to AR PL UMing CN (fonts-arphic-uming), which has SimSun's
# metrics. A template with different contents gets a new path, so that sandboxes still using an
# older template are left alone and every machine builds this one.
template=/var/tmp/quorvel-wine-template-2
font_substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
dialog_face="AR PL UMing CN"
(
  flock 9
  if [[ ! -f $template/.complete ]]; then
    rm -rf "$template"
    template_ns="qv-template-$$"
    ip netns add "$template_ns"
    in_template() { WINEPREFIX="$template" ip netns exec "$template_ns" "$@"; }
    in_template wineboot -i >/dev/null 2>&1 </dev/null || true
    # After wineboot: its first start writes the locale's own substitutes.
    for face in "MS Shell Dlg" "MS Shell Dlg 2"; do
      in_template wine reg add "$font_substitutes" /v "$face" /t REG_SZ /d "$dialog_face" /f \
        >/dev/null 2>&1 </dev/null || true
    done
    # The server writes the registry files when it ends.
    in_template wineserver -w >/dev/null 2>&1 || true
    ip netns del "$template_ns"
    if [[ -f $template/system.reg ]] &&
      [[ $(grep -c "^\"MS Shell Dlg\( 2\)\?\"=\"$dialog_face\"" "$template/system.reg") == 2 ]]; then
      touch "$template/.complete"
    else
      echo "sandbox: the Wine prefix template lacks the font substitutes; using a plain prefix" >&2
    fi
  fi
) 9>/var/tmp/quorvel-wine-template-2.lock
if [[ -f $template/.complete ]]; then
  cp -al "$template" "$WINEPREFIX"
  for f in "$template"/*.reg; do cp --remove-destination "$f" "$WINEPREFIX/"; done
else
  mkdir -p "$WINEPREFIX"
fi

# The server first, with its output elsewhere: a server started by a captured wine call would hold
# that call's pipes open.
in_ns wineserver -p >/dev/null 2>&1 </dev/null
in_ns wineboot -i >/dev/null 2>&1 </dev/null || true
# The first ICMP echo of a Wine session reports a round trip 4 to 16 ms longer than the real one
# (later echoes, also of later processes, do not): send it to the namespace's own loopback before
# COMMAND measures any.
in_ns wine ping -n 1 -w 200 127.0.0.1 >/dev/null 2>&1 </dev/null || true

set +e
in_ns "$@"
status=$?
set -e
exit "$status"
