#!/usr/bin/env bash
# Installs what the build, the tests and `make run` need on Debian 12. Quiet and
# idempotent: with everything present it only checks and returns.
set -euo pipefail

need=()
have() { command -v "$1" >/dev/null 2>&1; }
have cmake || need+=(cmake)
have ninja || need+=(ninja-build)
have g++ || need+=(g++)
have i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686-posix)
have i686-w64-mingw32-windres || need+=(binutils-mingw-w64-i686)
have Xvfb || need+=(xvfb)
have xdpyinfo || need+=(x11-utils)
have convert && convert -version 2>/dev/null | grep -q ImageMagick || need+=(imagemagick)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
[ -f /usr/include/nlohmann/json.hpp ] || need+=(nlohmann-json3-dev)
# HMAC for the reader connection's greeting (libcrypto).
[ -f /usr/include/openssl/hmac.h ] || need+=(libssl-dev)
# Real readers through PC/SC (pcsc-lite), and the virtual reader driver
# (vpcd) the end-to-end tests put an emulated card in.
have pkg-config || need+=(pkg-config)
[ -x /usr/sbin/pcscd ] || need+=(pcscd)
[ -f /usr/include/PCSC/winscard.h ] || need+=(libpcsclite-dev)
[ -f /usr/lib/pcsc/drivers/serial/libifdvpcd.so ] || need+=(vsmartcard-vpcd)
# The manual: groff's PDF output, screenshots placed as PDF pages.
have gropdf || need+=(groff)
have img2pdf || need+=(img2pdf)
have pdfinfo || need+=(poppler-utils)
# The release: the installer, the zip, and the installer's screenshots.
have makensis || need+=(nsis)
have zip || need+=(zip)
have unzip || need+=(unzip)
have xdotool || need+=(xdotool)
# The fuzz targets: clang with libFuzzer and the sanitizer run-times.
have clang++ || need+=(clang)
compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null || need+=(libclang-rt-14-dev)
[ -f /usr/share/fonts/truetype/wqy/wqy-microhei.ttc ] || need+=(fonts-wqy-microhei)
# Wine's own faces: Tahoma ("MS Shell Dlg") and Marlett (caption buttons).
[ -f /usr/share/wine/fonts/tahoma.ttf ] && [ -f /usr/share/wine/fonts/marlett.ttf ] || need+=(fonts-wine)
# wine32 is what runs our i686 binaries; it needs the i386 architecture.
if ! dpkg -s wine32:i386 >/dev/null 2>&1 || ! have wine; then
  need+=(wine wine32:i386 wine64)
fi

[ ${#need[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
echo "setup: installing ${need[*]}" >&2
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
"${sudo_cmd[@]}" apt-get update -qq >/dev/null
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
  "${need[@]}" >/dev/null
