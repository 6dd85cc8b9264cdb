#!/usr/bin/env bash
# Brings a Debian 12 machine to the point where both presets build and the
# Wine suites run. Safe to run again: every step first checks whether its
# result is already there, so a ready machine is through in a second or two.
#
# Environment (all optional):
#   NIMBUL_DEPS        prefix of the cross-built GoogleTest, libjpeg and libsodium (default /opt/nimbulon-deps/i686)
#   NIMBUL_WINEPREFIX  the 32-bit Wine prefix to prepare (default <repo>/build/wineprefix)
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
deps=${NIMBUL_DEPS:-/opt/nimbulon-deps/i686}
prefix=${NIMBUL_WINEPREFIX:-$repo/build/wineprefix}
work=$repo/build/deps-work
toolchain=$repo/cmake/mingw-i686.cmake

packages=(g++ make python3 cmake ninja-build libgtest-dev libjpeg-dev libsodium-dev pkg-config clang-format
  autoconf automake libtool
  g++-mingw-w64-i686 mingw-w64-tools wine wine32:i386 fonts-wine
  xvfb xauth x11-utils xdotool imagemagick dpkg-dev
  nsis zip unzip openssl osslsigncode)

say() { printf 'bootstrap: %s\n' "$*"; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

installed() {
  [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" = installed ]
}

apt_updated=no
apt_update() {
  if [ $apt_updated = no ]; then
    as_root apt-get update -qq
    apt_updated=yes
  fi
}

install_packages() {
  local missing=()
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    say "adding the i386 architecture (32-bit Wine)"
    as_root dpkg --add-architecture i386
    apt_updated=no
  fi
  for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  say "installing ${missing[*]}"
  apt_update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures, builds and installs one CMake project for the Windows target.
cross_build() {
  local src=$1 bld=$2
  shift 2
  cmake -S "$src" -B "$bld" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$deps" -DCMAKE_INSTALL_LIBDIR="$deps/lib" "$@" >/dev/null
  cmake --build "$bld" -j2 >/dev/null
  as_root cmake --install "$bld" >/dev/null
}

build_gtest() {
  if [ -f "$deps/lib/libgtest.a" ] && [ -f "$deps/lib/libgtest_main.a" ] &&
     [ -f "$deps/include/gtest/gtest.h" ]; then
    return
  fi
  say "building GoogleTest for the Windows target into $deps"
  cross_build /usr/src/googletest "$work/googletest" -DBUILD_GMOCK=ON
}

# Debian ships the sources, not a MinGW build, so the library comes from the
# source package of the very version the native build uses.
enable_deb_src() {
  local list=/etc/apt/sources.list.d/debian.sources
  if [ -f $list ] && grep -q '^Types: deb$' $list; then
    say "enabling deb-src in $list"
    as_root sed -i 's/^Types: deb$/Types: deb deb-src/' $list
    apt_updated=no
  fi
  if ! apt-cache showsrc libjpeg-turbo >/dev/null 2>&1 ||
     [ -z "$(apt-cache showsrc libjpeg-turbo 2>/dev/null)" ]; then
    apt_update
  fi
}

# Both libraries linked into Nimbul.exe are built for size, each function in
# a section of its own so that the link keeps only what the program calls.
# A library built before that (no mark beside it) is built again.
lean_flags="-Os -ffunction-sections -fdata-sections"

build_libjpeg() {
  if [ -f "$deps/lib/libjpeg.a" ] && [ -f "$deps/include/jpeglib.h" ] && [ -f "$deps/lib/.libjpeg-lean" ]; then
    return
  fi
  say "building libjpeg-turbo for the Windows target into $deps"
  mkdir -p "$work/src"
  local tarball
  tarball=$(ls "$work"/src/libjpeg-turbo_*.orig.tar.gz 2>/dev/null | head -n1 || true)
  if [ -z "$tarball" ]; then
    enable_deb_src
    (cd "$work/src" && apt-get source --download-only -qq libjpeg-turbo 2>/dev/null)
    tarball=$(ls "$work"/src/libjpeg-turbo_*.orig.tar.gz | head -n1)
  fi
  rm -rf "$work/libjpeg-turbo-src"
  mkdir -p "$work/libjpeg-turbo-src"
  tar -xzf "$tarball" -C "$work/libjpeg-turbo-src" --strip-components=1
  cross_build "$work/libjpeg-turbo-src" "$work/libjpeg-turbo" \
    -DWITH_SIMD=0 -DENABLE_SHARED=0 -DENABLE_STATIC=1 -DWITH_TURBOJPEG=0 \
    -DWITH_ARITH_DEC=0 -DWITH_ARITH_ENC=0 -DCMAKE_C_FLAGS_RELEASE="$lean_flags -DNDEBUG"
  as_root touch "$deps/lib/.libjpeg-lean"
}

# The update's hash and signature checks; like libjpeg, from Debian's own
# source package, built with the cross compilers of the toolchain file.
build_libsodium() {
  if [ -f "$deps/lib/libsodium.a" ] && [ -f "$deps/include/sodium.h" ] && [ -f "$deps/lib/.libsodium-lean" ]; then
    return
  fi
  say "building libsodium for the Windows target into $deps"
  mkdir -p "$work/src"
  local tarball
  tarball=$(ls "$work"/src/libsodium_*.orig.tar.gz 2>/dev/null | head -n1 || true)
  if [ -z "$tarball" ]; then
    enable_deb_src
    (cd "$work/src" && apt-get source --download-only -qq libsodium 2>/dev/null)
    tarball=$(ls "$work"/src/libsodium_*.orig.tar.gz | head -n1)
  fi
  rm -rf "$work/libsodium-src"
  mkdir -p "$work/libsodium-src"
  tar -xzf "$tarball" -C "$work/libsodium-src" --strip-components=1
  (
    cd "$work/libsodium-src"
    # Debian's original tarball is the bare source tree, without configure.
    [ -x configure ] || autoreconf -fi >/dev/null 2>&1
    ./configure -q --host=i686-w64-mingw32 --prefix="$deps" --disable-shared --enable-static \
      --disable-ssp --disable-pie CC=i686-w64-mingw32-gcc-posix CFLAGS="$lean_flags" >/dev/null
    make -j2 -s >/dev/null 2>&1
    as_root make -s install >/dev/null
  )
  as_root touch "$deps/lib/.libsodium-lean"
}

prepare_wine_prefix() {
  [ -f "$prefix/.nimbul-ready" ] && return
  say "preparing the 32-bit Wine prefix $prefix"
  mkdir -p "$(dirname "$prefix")"
  # No display is needed here; mono and gecko would only ask to be downloaded.
  (
    export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    unset DISPLAY
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    # A crashing test program must end with a backtrace, not wait for a
    # click on the crash dialog that nobody sees on a private display.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
  )
  [ -f "$prefix/system.reg" ] || { say "wineboot did not create $prefix"; exit 1; }
  touch "$prefix/.nimbul-ready"
}

# Wine does not find the fonts of Debian's fonts-wine by itself: without
# Marlett the caption buttons draw as letters, and "MS Sans Serif" falls back
# to a wider font that clips labels. In the prefix's Fonts folder they are found.
install_wine_fonts() {
  local fonts="$prefix/drive_c/windows/Fonts"
  [ -f "$fonts/marlett.ttf" ] && return
  say "copying the fonts of fonts-wine into $fonts"
  mkdir -p "$fonts"
  dpkg -L fonts-wine | grep -E '\.(ttf|fon)$' | xargs -r cp -f -t "$fonts"
}

install_packages
build_gtest
build_libjpeg
build_libsodium
prepare_wine_prefix
install_wine_fonts
