#!/usr/bin/env bash
# pipe_session.sh WINE64 VANTREL_SIM_EXE VANTREL_EXE BUILD SOURCE RT_PEER SCRATCH
# Both ends of the simulator link under Wine, as on the simulator's own PC:
# the stand-in simulator (vantrel-sim.exe) serves the named pipe
# \\.\pipe\Microsoft Flight Simulator\SimConnect, and vantrel.exe, which has
# no SimConnect.cfg, reaches it over that pipe. The Linux RealTraffic peer
# plays the demonstration's traffic on loopback until Vantrel has created
# an AI aircraft through the pipe. Then vantrel.exe is closed as Windows
# closes a program (WM_CLOSE), which must end it cleanly and take its
# aircraft and its connection away, and the stand-in ends on "exit".
set -euo pipefail
source "$(dirname "$0")/../support/own_wine_prefix.sh"
wine=$1 sim=$2 vantrel=$3 build=$4 source=$5 peer=$6 scratch=$7

fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits up to $2 seconds for process $1 to end and puts its exit status in
# status; fails (returns 1) when it is still running then.
await_exit() {
  local pid=$1
  for _ in $(seq $(( $2 * 10 ))); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && return 1
  status=0
  wait "$pid" || status=$?
}
[ -n "${DISPLAY:-}" ] || fail "the test needs an X display (run it under xvfb-run)"
if [ ! -x "$peer" ]; then
  echo "SKIPPED: no RealTraffic peer at $peer (the Linux build's tools/rt-peer; tools/build-and-test builds it before the Windows tests run)"
  exit 77
fi

# The feed's ports and the link's port are fixed: one run on this machine
# at a time, as the Linux end-to-end tests (the same lock file).
exec 8>/tmp/vantrel-fixed-ports.lock
flock 8

# The Wine prefix is kept from run to run (making one takes long); all the
# rest is made anew.
mkdir -p "$scratch"
find "$scratch" -mindepth 1 -maxdepth 1 ! -name wineprefix -exec rm -rf {} +
use_wine_prefix "$scratch/wineprefix"
# Nothing listens at port 9 of this machine: no download.
export VANTREL_DOWNLOAD_BASE=http://127.0.0.1:9/

vantrel_pid="" sim_pid="" peer_pid=""
end_all() {
  for pid in $vantrel_pid $peer_pid $sim_pid; do
    kill "$pid" 2>/dev/null || true
  done
  "$wineserver" -k 2>/dev/null || true
}
trap end_all EXIT

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "${run_wine[@]}" wineboot -i > "$scratch/wineboot.out" 2>&1 || fail "wineboot failed: $(cat "$scratch/wineboot.out")"
fi

# The program folder as the package has it, without SimConnect.cfg.
program=$scratch/program
mkdir -p "$program/input"
cp "$vantrel" "$program/vantrel.exe"
cp -r "$source/docs" "$program/docs"
for name in dbase.enc AIG-regcodes.enc airports_msfs.xml airports_msfs_names.xml; do
  cp "$build/input/$name" "$program/input/$name"
done

# The user's folders in the prefix: the settings, a simulator installation
# with the demonstration's AI liveries, and RealTraffic installed on this
# PC, so that Vantrel waits for it on its link.
roaming=$(find "$WINEPREFIX/drive_c/users" -mindepth 3 -maxdepth 3 -path "*/AppData/Roaming" ! -path "*/Public/*" | head -n 1)
[ -n "$roaming" ] || fail "the Wine prefix has no user's AppData/Roaming"
packages=$scratch/MSFS/Packages
mkdir -p "$packages/Official" "$roaming/Vantrel" "$roaming/InsideSystems"
rm -rf "${roaming:?}/Vantrel"/* "$roaming/InsideSystems"/*
cp -r "$source/tools/demo/Community" "$packages/Community"
touch "$roaming/InsideSystems/RealTraffic.jar"
cat > "$roaming/Vantrel/parameters.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<parameters>
  <parameter name="MSFS_INSTALL_PATH" value="Z:${packages//\//\\}"/>
  <parameter name="SCAN_AIRPORTS" value="false"/>
</parameters>
XML

# The stand-in, its control commands through a FIFO held open here.
mkfifo "$scratch/sim.in"
"${run_wine[@]}" "$sim" --show-traffic "$source/tools/demo/simulator.json" \
  < "$scratch/sim.in" > "$scratch/sim.out" 2> "$scratch/sim.err" &
sim_pid=$!
exec 7> "$scratch/sim.in"
for _ in $(seq 600); do
  [ -s "$scratch/sim.out" ] && break
  kill -0 "$sim_pid" 2>/dev/null || fail "vantrel-sim.exe ended at start: $(cat "$scratch/sim.err")"
  sleep 0.1
done
grep -qF '"pipe":"\\\\.\\pipe\\Microsoft Flight Simulator\\SimConnect"' "$scratch/sim.out" ||
  fail "vantrel-sim.exe does not serve the named pipe: $(cat "$scratch/sim.out" "$scratch/sim.err")"

# Sends a control command; its answer (one line) on standard output,
# without the CR that Windows' text output puts before the line end.
command() {
  local before
  before=$(wc -l < "$scratch/sim.out")
  echo "$1" >&7
  for _ in $(seq 100); do
    if [ "$(wc -l < "$scratch/sim.out")" -gt "$before" ]; then
      tail -n 1 "$scratch/sim.out" | tr -d '\r'
      return
    fi
    sleep 0.1
  done
  fail "vantrel-sim.exe gave no answer to \"$1\""
}

(cd "$program" && exec "${run_wine[@]}" vantrel.exe) > "$scratch/vantrel.out" 2>&1 &
vantrel_pid=$!
for _ in $(seq 1200); do
  grep -q "Waiting for RealTraffic to connect" "$program/Log.txt" 2>/dev/null && break
  kill -0 "$vantrel_pid" 2>/dev/null || fail "vantrel.exe ended at start: $(cat "$scratch/vantrel.out")"
  sleep 0.1
done
grep -q "Waiting for RealTraffic to connect" "$program/Log.txt" ||
  fail "vantrel.exe did not wait for RealTraffic within 120 s: $(cat "$program/Log.txt")"

awk -v now="$(date +%s)" -f "$source/tools/demo/traffic.awk" | sort -n -s -k1,1 > "$scratch/traffic.txt"
"$peer" --connect 10747 --max-seconds 280 --qnh-each-minute '{"QNH":1013}' "$scratch/traffic.txt" \
  > "$scratch/rt-peer.out" 2> "$scratch/rt-peer.err" &
peer_pid=$!

# An AI aircraft of the demonstration's traffic, created by the client on
# the pipe (the first traffic is played about 40 s after the peer's start).
state=""
created=""
for _ in $(seq 90); do
  state=$(command state)
  created=$(grep -oE '"atcId":"(SWR101|DLH202|KLM303|EZY404|RYR505|SWR606)"' <<<"${state%%\"removed\":*}" | head -n 1 || true)
  [ -n "$created" ] && break
  sleep 2
done
[ -n "$created" ] || fail "no AI aircraft was created within 180 s: $state"
grep -q '"connection":"pipe","name":"Vantrel' <<<"$state" || fail "Vantrel is not connected over the pipe: $state"
grep -q '"connection":"tcp"' <<<"$state" && fail "a client connected over TCP: $state"
echo "created over the pipe: $created"

"${run_wine[@]}" taskkill /IM vantrel.exe > "$scratch/taskkill.out" 2>&1 || fail "taskkill: $(cat "$scratch/taskkill.out")"
await_exit "$vantrel_pid" 60 || fail "vantrel.exe did not close within 60 s of WM_CLOSE"
vantrel_pid=""
[ "$status" -eq 0 ] || fail "vantrel.exe ended with status $status: $(cat "$scratch/vantrel.out")"

# Its aircraft and its connection went with it.
for _ in $(seq 50); do
  state=$(command state)
  grep -q '"clients":\[\]' <<<"$state" && break
  sleep 0.2
done
grep -q '"clients":\[\]' <<<"$state" || fail "Vantrel's connection stayed after its end: $state"
grep -q '"user":false' <<<"${state%%\"removed\":*}" && fail "AI aircraft stayed after Vantrel's end: $state"

[ "$(command exit)" = '{"ok":true}' ] || fail "vantrel-sim.exe refused \"exit\""
await_exit "$sim_pid" 10 || fail "vantrel-sim.exe did not end within 10 s of \"exit\""
sim_pid=""
[ "$status" -eq 0 ] || fail "vantrel-sim.exe ended with status $status: $(cat "$scratch/sim.err")"
echo "vantrel.exe created $created in vantrel-sim.exe over the named pipe and closed cleanly"
