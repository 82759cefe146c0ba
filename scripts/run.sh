#!/usr/bin/env bash
# Installs what is missing, builds, lays the data folders beside the program
# and starts it on its own database (made with the default lottery at the
# first start).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing
configure -DTAVRIN_BUILD_TESTS=OFF -DTAVRIN_BUILD_BENCH=OFF
build
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo
  echo "没有图形显示（DISPLAY 未设置），无法打开窗口。"
  echo "No display. To run it on a virtual screen:"
  echo "  sudo apt-get install -y xvfb xauth && xvfb-run -a -s '-screen 0 1280x800x24' $BUILD/bin/tavrin"
  exit 1
fi
exec "$BUILD/bin/tavrin" "$@"
