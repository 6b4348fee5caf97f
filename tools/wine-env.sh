# Sourced by the scripts that run our Windows programs under Wine.
#
# The shipped programs are 32-bit. Some Linux kernels have 32-bit emulation
# switched off (ia32_emulation=0); there Wine can only run 64-bit programs, so
# the test bench falls back to a 64-bit build of the same sources.
kvz_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if [ -z "${KVZ_WINE_ARCH:-}" ]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    KVZ_WINE_ARCH=win32
  else
    KVZ_WINE_ARCH=win64
  fi
fi
if [ "$KVZ_WINE_ARCH" = win32 ]; then
  KVZ_WINE=/usr/lib/wine/wine
  KVZ_WINESERVER=/usr/lib/wine/wineserver32
else
  KVZ_WINE=/usr/lib/wine/wine64
  KVZ_WINESERVER=/usr/lib/wine/wineserver64
fi
# The build whose programs Wine runs: build/win32 or build/win64.
KVZ_WIN_BUILD="$kvz_root/build/$KVZ_WINE_ARCH"
export KVZ_WINE_ARCH KVZ_WINE KVZ_WINESERVER KVZ_WIN_BUILD
export WINEARCH="$KVZ_WINE_ARCH" WINELOADER="$KVZ_WINE" WINESERVER="$KVZ_WINESERVER"
export WINEDEBUG="${WINEDEBUG:--all}"
