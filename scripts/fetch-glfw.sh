#!/usr/bin/env bash
# Fetches GLFW 3.3.8 from Debian's source archive (apt verifies it against the
# signed .dsc) and unpacks it into .deps/glfw-3.3.8. Nothing of it enters git.
# Usage: scripts/fetch-glfw.sh  (prints the source directory)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/.deps"
src="$deps/glfw-3.3.8"
tarball="$deps/glfw3_3.3.8.orig.tar.gz"
sha256=f30f42e05f11e5fc62483e513b0488d5bceeab7d9c5da0ffe2252ad81816c713

if [ -f "$src/.unpacked" ]; then
  echo "$src"
  exit 0
fi
mkdir -p "$deps"

if [ ! -f "$tarball" ] || ! echo "$sha256  $tarball" | sha256sum -c --status; then
  # A private apt configuration with a deb-src entry made from the machine's own
  # main archive stanza, so that no archive address is written into the project.
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/sources" "$work/lists/partial"
  awk -v RS= '/Components: main/ && !/security/ { print; exit }' \
      /etc/apt/sources.list.d/debian.sources >"$work/stanza"
  uris=$(grep -m1 '^URIs:' "$work/stanza")
  signed=$(grep -m1 '^Signed-By:' "$work/stanza")
  [ -n "$uris" ] || { echo "fetch-glfw: no main archive in /etc/apt/sources.list.d/debian.sources" >&2; exit 1; }
  printf 'Types: deb-src\n%s\nSuites: bookworm\nComponents: main\n%s\n' "$uris" "$signed" \
      >"$work/sources/glfw-src.sources"
  opts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$work/sources"
        -o "Dir::State::Lists=$work/lists" -o APT::Sandbox::User=root)
  # apt's own messages are kept back unless something fails.
  if ! apt-get "${opts[@]}" -qq update >"$work/apt.log" 2>&1 ||
     ! (cd "$work" && apt-get "${opts[@]}" -qq source --download-only glfw3 >>"$work/apt.log" 2>&1); then
    cat "$work/apt.log" >&2
    echo "fetch-glfw: apt could not download the glfw3 source package" >&2
    exit 1
  fi
  cp "$work/glfw3_3.3.8.orig.tar.gz" "$tarball"
fi

echo "$sha256  $tarball" | sha256sum -c --status || {
  echo "fetch-glfw: checksum mismatch for $tarball" >&2
  exit 1
}
rm -rf "$src"
mkdir -p "$src"
tar -xzf "$tarball" -C "$src" --strip-components=1
touch "$src/.unpacked"
echo "$src"
