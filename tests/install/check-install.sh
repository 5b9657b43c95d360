#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what lands there: the
# file list, the desktop entry and AppStream data through their validators,
# and that the installed programs start.
#   check-install.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
  bin/fennimar
  bin/fennimar-cli
  share/applications/org.fennimar.Fennimar.desktop
  share/metainfo/org.fennimar.Fennimar.metainfo.xml
  share/fennimar/FennimarHelp.html
  share/man/man1/fennimar.1
  share/man/man1/fennimar-cli.1
  share/bash-completion/completions/fennimar-cli
  share/zsh/vendor-completions/_fennimar-cli
  share/icons/hicolor/scalable/apps/org.fennimar.Fennimar.svg
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/org.fennimar.Fennimar.png")
done
mapfile -t found < <(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
mapfile -t wanted < <(printf '%s\n' "${expected[@]}" | sort)
if [ "${found[*]}" != "${wanted[*]}" ]; then
  echo "installed files differ from the expected list:"
  diff <(printf '%s\n' "${wanted[@]}") <(printf '%s\n' "${found[@]}") || true
  exit 1
fi

# Each icon is the size its folder says.
for size in 16 22 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/org.fennimar.Fennimar.png"
  got=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]))' "$png")
  [ "$got" = "${size}x${size}" ] || { echo "$png is $got"; exit 1; }
done

bash -n "$prefix/share/bash-completion/completions/fennimar-cli"
if command -v zsh >/dev/null; then zsh -n "$prefix/share/zsh/vendor-completions/_fennimar-cli"; fi

desktop-file-validate "$prefix/share/applications/org.fennimar.Fennimar.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.fennimar.Fennimar.metainfo.xml" >/dev/null
grep -q '^Icon=org.fennimar.Fennimar$' "$prefix/share/applications/org.fennimar.Fennimar.desktop"

version=$(sed -n 's/^project(Fennimar VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
[ "$("$prefix/bin/fennimar-cli" --version)" = "fennimar-cli $version" ]
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/fennimar" --version)" = "fennimar $version" ]
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/fennimar" --help | grep -q 'graphical session'

# The installed program finds its installed help page.
[ -f "$prefix/share/fennimar/FennimarHelp.html" ]
book="$prefix/book"
"$prefix/bin/fennimar-cli" --workdir "$book" init >/dev/null
"$prefix/bin/fennimar-cli" --workdir "$book" accounts >/dev/null
echo "installed and checked: ${#expected[@]} files"
