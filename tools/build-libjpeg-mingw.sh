#!/usr/bin/env bash
# Cross-builds Debian's libjpeg-turbo source as a static MinGW i686 library
# into $VORN_DEPS_DIR/libjpeg-mingw (kept between runs: skipped when present).
# With the argument x86_64, the 64-bit one into $VORN_DEPS_DIR/libjpeg-mingw64.
set -euo pipefail
deps="${VORN_DEPS_DIR:?set VORN_DEPS_DIR}"
arch="${1:-i686}"
case "$arch" in
  i686) prefix="$deps/libjpeg-mingw" ;;
  x86_64) prefix="$deps/libjpeg-mingw64" ;;
  *) echo "build-libjpeg-mingw: unknown architecture $arch" >&2; exit 2 ;;
esac
if [ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/include/jpeglib.h" ]; then
  exit 0
fi
src_tar=$(ls "$deps"/libjpeg-turbo_*.orig.tar.gz 2>/dev/null | head -n 1 || true)
if [ -z "$src_tar" ]; then
  echo "build-libjpeg-mingw: no libjpeg-turbo source in $deps (run tools/install-deps.sh)" >&2
  exit 1
fi
work="$deps/libjpeg-src-$arch"
rm -rf "$work" && mkdir -p "$work"
tar -xzf "$src_tar" -C "$work" --strip-components=1
root="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$work" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
  -DCMAKE_CROSSCOMPILING_EMULATOR= -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF \
  -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DCMAKE_SYSTEM_PROCESSOR=$arch >"$work/configure.log" 2>&1 || { tail -30 "$work/configure.log"; exit 1; }
cmake --build "$work/build" --target jpeg-static -j"$(nproc)" >"$work/build.log" 2>&1 || { tail -30 "$work/build.log"; exit 1; }
mkdir -p "$prefix/lib" "$prefix/include"
cp "$work/build/libjpeg.a" "$prefix/lib/libjpeg.a"
cp "$work/build/jconfig.h" "$work/jpeglib.h" "$work/jmorecfg.h" "$work/jerror.h" "$prefix/include/"
rm -rf "$work"
echo "build-libjpeg-mingw: $prefix/lib/libjpeg.a"
