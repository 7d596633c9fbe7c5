#!/usr/bin/env bash
# Installs the dependencies, builds Pagewright and opens the bundled sample level in it.
# Without a display, the window is shown on a virtual X server (xvfb-run).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
level="${1:-samples/sample_tr4.tr4}"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec ./build/app/pagewright "$level"
fi
exec xvfb-run -a ./build/app/pagewright "$level"
