# Shared by scripts/run and scripts/test: installs the Debian packages the
# build needs, once, and configures build/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libqcustomplot-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
  # the window's face and its fallback; Qt's own dialogs in Japanese
  fonts-ipafont-gothic fonts-noto-cjk qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  # the Debian package and the checks of what it installs
  dpkg-dev desktop-file-utils appstream libxml2-utils shared-mime-info man-db groff-base
)

install_missing_packages() {
  local missing=()
  for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Run as root to install: ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
  fi
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# The release preset (build/), with whatever options the caller adds.
configure() {
  (cd "$ROOT" && cmake --preset release "$@" >/dev/null)
}
