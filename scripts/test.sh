#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing
configure -DTAVRIN_BUILD_TESTS=ON
# Every package the build found must come from the install list; the code
# keeps the house style and its folders include each other in one direction.
python3 "$TOP/scripts/check_packages.py" "$BUILD"
bash "$TOP/scripts/check_style.sh"
python3 "$TOP/scripts/check_folders.py"
build
cd "$BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 600
