# Shared by run.sh and test.sh: install what is missing, configure, build.
set -euo pipefail

TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${TAVRIN_BUILD_DIR:-$TOP/build}

# Debian packages the build, the program, the tests and the benchmarks need,
# installed without recommendations: a package only recommended by one of
# these must be named here itself (scripts/check_packages.py proves it).
# libqt6opengl6-dev: Qt Charts' CMake files need Qt OpenGL's.
# qt6-translations-l10n: Qt's own dialogs in Chinese.
# mdbtools-dev: reading databases of the earlier Access format on restore.
# clang, libclang-rt-14-dev: the fuzz targets. clang-format: the style check.
PACKAGES=(build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev libqt6opengl6-dev qt6-charts-dev libqt6sql6-sqlite libsqlite3-dev
          qt6-translations-l10n mdbtools-dev fonts-wqy-zenhei poppler-utils openssl python3
          clang libclang-rt-14-dev clang-format)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure() {
  local werror=${TAVRIN_WERROR:-OFF}
  cmake -S "$TOP" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=${TAVRIN_BUILD_TYPE:-RelWithDebInfo} \
        -DTAVRIN_WERROR="$werror" "$@"
}

build() {
  cmake --build "$BUILD"
}
