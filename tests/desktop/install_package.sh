#!/usr/bin/env bash
# Builds the Debian package from the build tree, installs it with apt as a user would, starts the
# installed program on the offscreen platform and checks that it keeps running, then removes it.
set -euo pipefail
build_dir=$1

if [ "$(id -u)" -ne 0 ]; then
    echo "Installing a package needs root; skipped."
    exit 0
fi

cd "$build_dir"
rm -f vantorbel_*.deb
cpack -G DEB >/dev/null
package=$(ls "$PWD"/vantorbel_*.deb)
echo "Package: $package"
depends=$(dpkg-deb --field "$package" Depends)
echo "$depends"
# libcups is opened at run time, so the package has to name it itself.
grep -qw libcups2 <<<"$depends" || { echo "The package does not depend on libcups2"; exit 1; }

cleanup() { apt-get remove -y -qq vantorbel >/dev/null 2>&1 || true; }
trap cleanup EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$package" >/dev/null

for file in /usr/bin/vantorbel /usr/share/applications/example.vantorbel.Vantorbel.desktop \
    /usr/share/metainfo/example.vantorbel.Vantorbel.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/example.vantorbel.Vantorbel.svg \
    /usr/share/icons/hicolor/48x48/apps/example.vantorbel.Vantorbel.png; do
    [ -e "$file" ] || { echo "Missing after install: $file"; exit 1; }
done

# The program has no way to quit by itself: it passes when it is still running after a few
# seconds with its window up, and ends when we end it.
QT_QPA_PLATFORM=offscreen CUPS_SERVER=/nonexistent/cups.sock /usr/bin/vantorbel &
program=$!
sleep 3
if ! kill -0 "$program" 2>/dev/null; then
    wait "$program" || true
    echo "The installed program stopped on its own"
    exit 1
fi
kill "$program"
wait "$program" 2>/dev/null || true
echo "Installed program started and ran"
