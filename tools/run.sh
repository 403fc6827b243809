#!/usr/bin/env bash
# Installs what is missing, builds Vantorbel and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/packages.sh
bash tools/build.sh

# The built-in texts ("62,5") assume a decimal comma. When the environment names no locale at
# all, start in the Dutch setting; a locale the user did choose is left alone.
numeric_locale="${LC_ALL:-${LC_NUMERIC:-${LANG:-}}}"
case "$numeric_locale" in
    "" | C | POSIX | C.UTF-8 | C.utf8)
        exec env -u LC_ALL LC_NUMERIC=nl_NL.UTF-8 ./build/src/app/vantorbel
        ;;
esac
exec ./build/src/app/vantorbel
