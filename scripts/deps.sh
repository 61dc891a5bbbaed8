#!/bin/sh
# Installs the Debian 12 packages that building and testing Pindle's World needs, when any
# is missing. Runs apt-get as root, or through sudo.
set -e
PACKAGES="build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libwxgtk3.2-dev libcmark-dev libgif-dev libx11-dev libxtst-dev xvfb xauth xdotool imagemagick fonts-dejavu-core valgrind time python3
  weston openbox
  go-md2man librsvg2-bin man-db desktop-file-utils appstream shared-mime-info dpkg-dev procps"

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
