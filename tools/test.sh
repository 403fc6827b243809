#!/usr/bin/env bash
# Installs what is missing, builds Vantorbel and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/packages.sh
bash tools/build.sh
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2
