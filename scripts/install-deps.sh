#!/usr/bin/env bash
# Installs what Pagewright needs to build and test on Debian 12.
set -euo pipefail
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
    cmake make g++ pkg-config ca-certificates \
    libdeflate-dev zlib1g-dev libisal-dev libspng-dev libgtest-dev libgmock-dev libbenchmark-dev \
    qt6-base-dev qt6-base-dev-tools libgl-dev libglx-dev libegl-dev \
    xauth xvfb fonts-dejavu-core fonts-nanum qt6-translations-l10n \
    help2man desktop-file-utils appstream shared-mime-info dpkg-dev file >/dev/null
