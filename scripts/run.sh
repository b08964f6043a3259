#!/bin/sh
# Installs what is missing, builds, starts a virtual panel and the configuration
# tool, so the tool can read and write a panel without hardware. Without a
# display it runs under a virtual X server.
set -eu
cd "$(dirname "$0")/.."

./scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$(nproc 2>/dev/null || echo 2)" --target glt-config glt-panel-sim gltcfg

sim_pid=""
cleanup() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true; }
trap cleanup EXIT INT TERM

sim_out="$(mktemp)"
build/release/tools/glt-panel-sim/glt-panel-sim >"$sim_out" &
sim_pid=$!
for _ in 1 2 3 4 5 6 7 8 9 10; do
    [ -s "$sim_out" ] && break
    sleep 0.2
done
echo "virtual panel on $(head -n 1 "$sim_out") (pick it as the COM port in \"Параметры связи\")"
rm -f "$sim_out"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    build/release/ui/glt-config
else
    xvfb-run -a -s "-screen 0 1280x1024x24" build/release/ui/glt-config
fi
