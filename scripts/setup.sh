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

# The page (scripts/web, ./scripts/run --web, ./scripts/test) needs these too;
# the window alone does not. Node and npm come with the machine.
WEB_PACKAGES=(emscripten chromium python3)

# Installs the packages named (PACKAGES when none are) that are missing.
install_missing_packages() {
  local wanted=("$@")
  [ ${#wanted[@]} -eq 0 ] && wanted=("${PACKAGES[@]}")
  local missing=()
  for package in "${wanted[@]}"; do
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

# The page in build-web/site: the core compiled with emscripten, the page's
# scripts bundled with the npm packages web/package-lock.json pins.
WEB_BUILD="$ROOT/build-web"
build_web() {
  install_missing_packages "${WEB_PACKAGES[@]}"
  for tool in node npm; do
    command -v "$tool" >/dev/null || { echo "scripts/web needs $tool (Node 18 or later) on PATH" >&2; exit 1; }
  done
  # Debian's emcc finds its own JavaScript tools (acorn) here.
  export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
  local web="$ROOT/web"
  if ! cmp -s "$web/package-lock.json" "$web/node_modules/.sorimu-installed-lock"; then
    (cd "$web" && npm ci --no-audit --no-fund --loglevel=error)
    cp "$web/package-lock.json" "$web/node_modules/.sorimu-installed-lock"
  fi
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  mkdir -p "$WEB_BUILD"
  emcmake cmake -S "$web" -B "$WEB_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
    >"$WEB_BUILD/configure.log" 2>&1 || { cat "$WEB_BUILD/configure.log" >&2; exit 1; }
  cmake --build "$WEB_BUILD"
}
