#!/usr/bin/env bash
# Start-up figures of the station, measured by hand (not a test): the time from
# starting pcstation until its login screen is shown, and its resident memory
# (VmRSS) at that moment and two seconds later, on the demo laboratory; then the
# time from the password's Enter key (typed with xdotool on the on-screen
# keyboard) until the bench is ready, and the resident memory after login.
#
# "Ready" means the login screen is hidden and the four work windows (header bar,
# rack screen, bench, histogram panel) are viewable. The rack screen's load takes
# its first rack through the rack search, which chooses by itself after one
# second, so that second is part of the figure.
#
# "Shown" means the station's top-level window is viewable (mapped) on the X
# server, a virtual one (Xvfb) started for the run; the script asks xwininfo
# for it in a tight loop, which takes a few milliseconds a round, so a time is
# late by at most one round. One warm-up start comes first, then RUNS starts
# (default 5); each is printed, then the medians.
#
# Usage: benchmarks/startup.sh [BUILD_DIR]     (BUILD_DIR: default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="$(cd "${1:-build}" && pwd)"
runs="${RUNS:-5}"
pcstation="$build_dir/src/app/pcstation"
for tool in "$pcstation" "$build_dir/tools/picture_maker/picture_maker" "$build_dir/tools/labdb/labdb"; do
  [ -x "$tool" ] || { echo "startup: $tool is missing; build first (scripts/build)" >&2; exit 1; }
done
command -v Xvfb >/dev/null && command -v xwininfo >/dev/null && command -v xdotool >/dev/null ||
  { echo "startup: needs Xvfb, xwininfo and xdotool (scripts/install-deps)" >&2; exit 1; }

station="$(mktemp -d)"
xvfb_pid=""
station_pid=""
cleanup() {
  [ -n "$station_pid" ] && kill "$station_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$station"
}
trap cleanup EXIT

"$build_dir/tools/picture_maker/picture_maker" "$station" >/dev/null 2>&1
"$build_dir/tools/labdb/labdb" init --demo "$station/labdata.db" >/dev/null 2>&1

display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.05; done

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

# The number of the station's top-level windows that are viewable.
viewable_windows() {
  local id n=0
  for id in $(xwininfo -root -children 2>/dev/null | awk '/\("pcstation" "pcstation"\)/ { print $1 }'); do
    xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable" && n=$((n + 1))
  done
  echo "$n"
}
login_shown() { [ "$(viewable_windows)" -ge 1 ]; }
# The login screen is the one full-screen window at the top-left corner.
login_hidden() {
  local id
  for id in $(xwininfo -root -children 2>/dev/null | awk '/\("pcstation" "pcstation"\)/ && / 1280x1024\+0\+0 / { print $1 }'); do
    xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable" && return 1
  done
  return 0
}
bench_ready() { login_hidden && [ "$(viewable_windows)" -ge 4 ]; }

times=()
rss_shown=()
rss_settled=()
login_times=()
rss_login=()
for run in $(seq 0 "$runs"); do
  start=$(now_ms)
  (cd "$station" && exec "$pcstation" >/dev/null 2>&1) &
  station_pid=$!
  until login_shown; do
    kill -0 "$station_pid" 2>/dev/null || { echo "startup: pcstation ended before its login screen showed" >&2; exit 1; }
    [ $(( $(now_ms) - start )) -lt 20000 ] || { echo "startup: no login screen within 20 s" >&2; exit 1; }
  done
  shown=$(( $(now_ms) - start ))
  at_shown=$(rss_kb "$station_pid")
  sleep 2
  settled=$(rss_kb "$station_pid")
  # Login: the Login button at the top-left of the splash, the password on the keyboard.
  xdotool mousemove 72 100 click 1
  sleep 1
  xdotool type --delay 20 demo1
  login_start=$(now_ms)
  xdotool key Return
  until bench_ready; do
    [ $(( $(now_ms) - login_start )) -lt 20000 ] || { echo "startup: no bench within 20 s of the login" >&2; exit 1; }
  done
  ready=$(( $(now_ms) - login_start ))
  sleep 2
  after_login=$(rss_kb "$station_pid")
  kill "$station_pid"
  wait "$station_pid" 2>/dev/null || true
  station_pid=""
  rm -f "$station"/*.csv
  "$build_dir/tools/labdb/labdb" init --demo "$station/labdata.db.new" >/dev/null 2>&1
  mv "$station/labdata.db.new" "$station/labdata.db"
  rm -f "$station/labdata.db-wal" "$station/labdata.db-shm"
  if [ "$run" -eq 0 ]; then
    echo "warm-up: login screen after $shown ms, bench ready $ready ms after the login"
    continue
  fi
  printf 'run %d: login screen after %d ms; resident %d MB when shown, %d MB two seconds later;' \
    "$run" "$shown" $((at_shown / 1024)) $((settled / 1024))
  printf ' bench ready %d ms after the login; resident %d MB after login\n' "$ready" $((after_login / 1024))
  times+=("$shown")
  rss_shown+=("$at_shown")
  rss_settled+=("$settled")
  login_times+=("$ready")
  rss_login+=("$after_login")
done

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
printf 'median of %d: login screen after %d ms; resident %d MB when shown, %d MB settled\n' "$runs" \
  "$(median "${times[@]}")" $(( $(median "${rss_shown[@]}") / 1024 )) $(( $(median "${rss_settled[@]}") / 1024 ))
printf 'median of %d: bench ready %d ms after the login; resident %d MB after login\n' "$runs" \
  "$(median "${login_times[@]}")" $(( $(median "${rss_login[@]}") / 1024 ))
