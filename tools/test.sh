#!/usr/bin/env bash
# Installs what is missing, builds Vantorbel and runs the whole test suite, with a private CUPS
# scheduler and a PDF queue for the real print jobs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/packages.sh
bash tools/build.sh

cups_dir="$PWD/build/cups"
cups_env=$(bash tools/cups-test-env.sh start "$cups_dir")
trap 'bash tools/cups-test-env.sh stop "$cups_dir"' EXIT
eval "$cups_env"

QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
bash tools/sanitize.sh

# A short run of every fuzzer over the number readers, the height formatting and project files.
bash tools/fuzz.sh
