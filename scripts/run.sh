#!/usr/bin/env bash
# Builds the application and starts it on the emulated devices.
# Without a display it renders the main window to a picture instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target vantiro-r88 r88ctl translations

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/vantiro-r88 --simulate "$@"
fi
shot="$PWD/build/vantiro-r88.png"
QT_QPA_PLATFORM=offscreen build/bin/vantiro-r88 --simulate --screenshot "$shot" "$@"
echo "No display found: the main window was rendered to $shot"
