#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, skipping the ones already present.
set -euo pipefail
pkgs=(cmake g++ make pkg-config qtbase5-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools
      libssl-dev googletest libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
      xdg-utils desktop-file-utils xvfb xauth imagemagick qttranslations5-l10n locales
      clang libclang-rt-14-dev ncompress man-db)
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
