#!/bin/sh
# Installs the Debian 12 packages that building and testing Pindle's World needs, when any
# is missing, and the locales the window's tests speak. Runs apt-get as root, or through sudo.
set -e
PACKAGES="build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libwxgtk3.2-dev libcmark-dev libgif-dev libx11-dev libxtst-dev xvfb xauth xdotool imagemagick fonts-dejavu-core valgrind time python3
  weston openbox
  gettext locales wx3.2-i18n
  go-md2man librsvg2-bin man-db desktop-file-utils appstream shared-mime-info dpkg-dev procps"

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -q
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -q --no-install-recommends $missing
fi

# The window's tests run in German and French too.
for l in de_DE fr_FR es_ES; do
    locale -a 2>/dev/null | grep -qix "$l.utf-\?8" || $SUDO localedef -i "$l" -f UTF-8 "$l.UTF-8"
done
