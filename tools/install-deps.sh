#!/usr/bin/env bash
# Installs everything the native and Windows builds and their tests need on a
# minimal Debian 12. Safe to run again: it only installs what is missing.
set -euo pipefail

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

# clang's sanitizer and fuzzer runtimes are only a recommendation of clang:
# the fuzz smoke cannot link without them.
native_pkgs=(cmake g++ make git pkg-config ca-certificates googletest libgtest-dev
             libjpeg62-turbo-dev libpng-dev nasm python3 imagemagick clang
             libclang-rt-14-dev)
# The dummy Xorg gives the Windows tests two monitors side by side.
win_pkgs=(g++-mingw-w64-i686 mingw-w64-i686-dev wine wine32:i386 wine64 xvfb xauth
          x11-utils xserver-xorg-core xserver-xorg-video-dummy)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  updated=0
fi
for p in "${native_pkgs[@]}" "${win_pkgs[@]}"; do have "$p" || need+=("$p"); done

if [ ${#need[@]} -gt 0 ] || [ "${updated:-1}" = 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  if [ ${#need[@]} -gt 0 ]; then
    $SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
  fi
fi

# Where Wine cannot run 32-bit programs the Windows tests run on a 64-bit
# build of the same sources (tools/test.sh); it needs the 64-bit compilers.
if ! bash "$(dirname "$0")/runs-32bit.sh"; then
  need=()
  for p in g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev; do have "$p" || need+=("$p"); done
  if [ ${#need[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
  fi
fi

# Debian's libjpeg-turbo source, cross-built later for MinGW (the cross
# package does not exist). Keep the source tarballs under third_party cache.
src_dir="${VORN_DEPS_DIR:-$(cd "$(dirname "$0")/.." && pwd)/build/deps}"
mkdir -p "$src_dir"
if ! ls "$src_dir"/libjpeg-turbo_*.orig.tar.gz >/dev/null 2>&1; then
  if [ ! -f /etc/apt/sources.list.d/debian-src.sources ] && [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | \
      $SUDO tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
    $SUDO apt-get update -q
  fi
  (cd "$src_dir" && apt-get source --download-only libjpeg-turbo)
fi
echo "install-deps: done"
