# Shared by the scripts/fetch-*.sh scripts, which source it: fetches an
# upstream tarball from Debian's bookworm source archive (apt verifies it
# against the signed .dsc), checks it against a pinned sha256 and unpacks it
# under .deps. Nothing of it enters git.

# fetch_debian_source PACKAGE TARBALL SHA256 DIRECTORY: unpacks TARBALL of the
# source package PACKAGE into .deps/DIRECTORY and prints that directory.
fetch_debian_source() {
  local package=$1 file=$2 sha256=$3 name=$4
  local me root deps src tarball
  me=$(basename "$0" .sh)
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  deps="$root/.deps"
  src="$deps/$name"
  tarball="$deps/$file"

  if [ -f "$src/.unpacked" ]; then
    echo "$src"
    return 0
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
    local uris signed
    uris=$(grep -m1 '^URIs:' "$work/stanza")
    signed=$(grep -m1 '^Signed-By:' "$work/stanza")
    [ -n "$uris" ] || { echo "$me: no main archive in /etc/apt/sources.list.d/debian.sources" >&2; exit 1; }
    printf 'Types: deb-src\n%s\nSuites: bookworm\nComponents: main\n%s\n' "$uris" "$signed" \
        >"$work/sources/$package-src.sources"
    local opts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$work/sources"
                -o "Dir::State::Lists=$work/lists" -o APT::Sandbox::User=root)
    # apt's own messages are kept back unless something fails.
    if ! apt-get "${opts[@]}" -qq update >"$work/apt.log" 2>&1 ||
       ! (cd "$work" && apt-get "${opts[@]}" -qq source --download-only "$package" >>"$work/apt.log" 2>&1); then
      cat "$work/apt.log" >&2
      echo "$me: apt could not download the $package source package" >&2
      exit 1
    fi
    cp "$work/$file" "$tarball"
  fi

  echo "$sha256  $tarball" | sha256sum -c --status || {
    echo "$me: checksum mismatch for $tarball" >&2
    exit 1
  }
  rm -rf "$src"
  mkdir -p "$src"
  tar -xzf "$tarball" -C "$src" --strip-components=1
  touch "$src/.unpacked"
  echo "$src"
}
