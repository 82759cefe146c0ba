#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing
configure_and_build -DTAVRIN_BUILD_TESTS=ON
cd "$BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 600
