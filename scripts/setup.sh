#!/usr/bin/env bash
# Installs the Debian packages the build needs, when some are missing.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config clang-format qt6-base-dev libgl-dev qt6-translations-l10n libgtest-dev libgmock-dev
          libbenchmark-dev libcfitsio-dev libhealpix-cxx-dev libexif-dev zlib1g-dev nlohmann-json3-dev python3 python3-astropy python3-pil stellarium-data fonts-dejavu-core)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
