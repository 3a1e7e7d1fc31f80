# Sourced by scripts/wine-run and the end-to-end scripts: the Wine environment of one build
# folder. `wine_env BUILD-DIR` exports WINEPREFIX (BUILD-DIR/wineprefix unless set), WINEARCH,
# WINELOADER, WINEDEBUG and WINEDLLOVERRIDES, and sets `wine_loader` to the loader of the build's
# processor. The 64-bit loader is called by its own name: Debian's `wine` wrapper prefers the
# 32-bit one whenever wine32 is installed, even where the kernel cannot run it.

wine_env() {
  local build_dir=$1 arch
  arch=$(sed -n 's/^CORVANTA_WINE_ARCH:INTERNAL=//p' "$build_dir/CMakeCache.txt" 2>/dev/null)
  case "$arch" in
    win32) wine_loader=/usr/lib/wine/wine ;;
    win64) wine_loader=/usr/lib/wine/wine64 ;;
    *)
      echo "wine-env: $build_dir is not a Windows build folder (no CORVANTA_WINE_ARCH in its cache)" >&2
      return 2
      ;;
  esac
  export WINEARCH=$arch WINELOADER=$wine_loader
  export WINEPREFIX=${WINEPREFIX:-$build_dir/wineprefix}
  export WINEDEBUG=${WINEDEBUG:--all}
  # No Mono or Gecko: nothing here needs .NET or HTML, and their installers would ask. No menu
  # entries or file associations in the user's desktop either.
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
}

# Runs a program of the prefix with the build's loader: `wine ...` as the wrapper would.
wine() { "$wine_loader" "$@"; }
