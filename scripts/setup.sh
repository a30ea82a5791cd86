#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing Pagehold.
# Extra package names may be passed as arguments (the CI adds its Windows build and Wine).
set -euo pipefail

packages=(cmake ninja-build g++ ccache python3 libgtest-dev libgmock-dev libbenchmark-dev
          libdb1-compat libmsiecf-utils libwxgtk3.2-dev libgtk-3-dev xvfb xauth
          dbus at-spi2-core python3-pyatspi "$@")

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}" >&2
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
