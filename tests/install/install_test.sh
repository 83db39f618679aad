#!/usr/bin/env bash
# Installs the build into a scratch prefix and packs it as a .deb, then starts each installed copy
# of the program offscreen on a copy of the installed sample, as a user's first run would.
# usage: install_test.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
if [ "${1:-}" = "--help" ] || [ $# -ne 2 ]; then
  echo "usage: install_test.sh BUILD_DIR SCRATCH_DIR"
  [ "${1:-}" = "--help" ] && exit 0 || exit 2
fi
build="$1"
scratch="$2"
rm -rf "$scratch"
mkdir -p "$scratch"

fail() { echo "FAIL: $*"; exit 1; }

# Runs an installed tree: the sample it carries loads cleanly, and the program starts on a copy of
# it and keeps running until it is told to stop.
check_tree() {
  local prefix="$1" label="$2"
  for f in bin/korvel bin/korvel-tool libexec/korvel/korvel-render share/applications/korvel.desktop share/doc/korvel/korvel.htm \
           share/icons/hicolor/scalable/apps/korvel.svg share/icons/hicolor/48x48/apps/korvel.png \
           share/korvel/sample/radata.dat share/korvel/sample/korvel.ini; do
    [ -e "$prefix/$f" ] || fail "$label: $f is not installed"
  done
  if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$prefix/share/applications/korvel.desktop" || fail "$label: desktop entry"
  fi
  local exec_line
  exec_line="$(sed -n 's/^Exec=//p' "$prefix/share/applications/korvel.desktop")"
  [ -x "$prefix/bin/${exec_line%% *}" ] || fail "$label: the desktop entry runs '$exec_line', which is not installed"

  local run="$scratch/run-$label"
  cp -R "$prefix/share/korvel/sample" "$run"
  local summary
  summary="$("$prefix/bin/korvel-tool" check "$run")"
  echo "$label: $summary"
  case "$summary" in
    "radios 48,"*"messages 0") ;;
    *) fail "$label: the installed sample does not load cleanly" ;;
  esac
  # The data commands start without the GUI libraries; drawing is done by the installed korvel-render, which korvel-tool finds on its own.
  QT_QPA_PLATFORM=offscreen "$prefix/bin/korvel-tool" render "$run" description "$run/view.png" > /dev/null 2>&1 ||
    fail "$label: korvel-tool render failed"
  [ -s "$run/view.png" ] || fail "$label: korvel-tool render wrote no picture"
  ! ldd "$prefix/bin/korvel-tool" | grep -q libQt || fail "$label: korvel-tool loads Qt"

  local status=0
  (cd "$run" && QT_QPA_PLATFORM=offscreen timeout 5 "$prefix/bin/$exec_line" > "$run/out.txt" 2>&1) || status=$?
  # 124: still running when timeout stopped it, which is what a started program does.
  [ "$status" -eq 124 ] || { cat "$run/out.txt"; fail "$label: the program ended by itself with status $status"; }
  ! grep -qi "error\|cannot\|could not" "$run/out.txt" || { cat "$run/out.txt"; fail "$label: it complained"; }
  echo "$label: the program started and kept running"
}

cmake --install "$build" --prefix "$scratch/prefix" > /dev/null
check_tree "$scratch/prefix" installed

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/package" > cpack.txt 2>&1) ||
  { cat "$scratch/cpack.txt"; fail "cpack"; }
deb="$(ls "$scratch"/package/*.deb)"
info="$(dpkg-deb --info "$deb")"
[[ "$info" == *"Depends: "*libqt6widgets6* ]] || fail "the package names no Qt dependency"
dpkg-deb -x "$deb" "$scratch/root"
check_tree "$scratch/root/usr" package
