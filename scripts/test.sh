#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing
configure -DTAVRIN_BUILD_TESTS=ON
# Every package the build found must come from the install list.
python3 "$TOP/scripts/check_packages.py" "$BUILD"
build
cd "$BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 600
