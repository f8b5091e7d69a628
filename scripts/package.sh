#!/usr/bin/env bash
# Builds Linkwise, packs it as a Debian package (build/linkwise_<version>_<arch>.deb)
# and installs that package, with the Debian packages it depends on.
# Remove it again with: sudo apt-get remove linkwise
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
(cd build && cpack -G DEB)
deb=$(ls -t build/linkwise_*.deb | head -n 1)
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "./$deb"
echo "Installed $deb: start Linkwise from the application menu, or run linkwise / linkwise-cli."
