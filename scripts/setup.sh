#!/usr/bin/env bash
# Installs what the build needs on Debian 12 and builds the project (Release).
# Sourced by run.sh and test.sh so that both do exactly the same set-up.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
# A caller may set CMAKE_ARGS (an array) for another kind of build; Release by default.
if [ -z "${CMAKE_ARGS+x}" ]; then CMAKE_ARGS=(-DCMAKE_BUILD_TYPE=Release); fi

PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
  qt6-qpa-plugins
  # the configuration as text (orvane-cli export-config / import-config)
  libyaml-cpp-dev
  # orvane-cli's command-line parser (header only)
  libcli11-dev
  fonts-noto-cjk
  # Qt's own texts (message box buttons, file and print dialogs) in Chinese
  qt6-translations-l10n
  # tst_channelediting reads the printed channel list back from its PDF
  poppler-utils
  # tst_desktop: the validators, the icon renderer, and what cpack -G DEB calls
  desktop-file-utils appstream librsvg2-bin dpkg-dev file
  # tst_desktop: the MIME package is checked by its schema and compiled as a desktop does
  libxml2-utils shared-mime-info
  # tst_configtext: the configuration text through a common YAML 1.1 reader and writer
  python3-yaml
)
# scripts/fuzz.sh adds its compiler here; nobody else needs it.
PACKAGES+=(${EXTRA_PACKAGES[@]+"${EXTRA_PACKAGES[@]}"})

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

if [ "${SETUP_INSTALL_ONLY:-0}" = 1 ]; then return 0; fi
cmake -S "$ROOT" -B "$BUILD_DIR" "${CMAKE_ARGS[@]}"
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
