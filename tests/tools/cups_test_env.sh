#!/usr/bin/env bash
# The private scheduler of tools/cups-test-env.sh starts, and is the default destination of its
# environment, for a user who set a default printer of their own (as `lpoptions -d PDF` does).
set -euo pipefail
script=$(dirname "$0")/../../tools/cups-test-env.sh

[ "$(id -u)" -eq 0 ] || { echo "The scheduler's set-up needs root; skipped."; exit 77; }
command -v cupsd >/dev/null || { echo "No cupsd; skipped."; exit 77; }

work=$(mktemp -d)
# The scheduler's filters run as lp, which must reach its spool below this folder.
chmod 0755 "$work"
trap 'bash "$script" stop "$work/cups"; rm -rf -- "$work"' EXIT
mkdir "$work/user"
mkdir "$work/user/.cups"
echo "Default PDF" >"$work/user/.cups/lpoptions"

env_lines=$(HOME=$work/user bash "$script" start "$work/cups")
default=$(HOME=$work/user && eval "$env_lines" && lpstat -d)
expected="system default destination: VantorbelPDF"
[ "$default" = "$expected" ] || { echo "lpstat -d in the environment: $default"; exit 1; }
echo "$expected"
