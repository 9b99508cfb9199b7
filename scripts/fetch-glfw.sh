#!/usr/bin/env bash
# Fetches GLFW 3.3.8 from Debian's source archive (apt verifies it against the
# signed .dsc) and unpacks it into .deps/glfw-3.3.8. Nothing of it enters git.
# Usage: scripts/fetch-glfw.sh  (prints the source directory)
set -euo pipefail
. "$(dirname "$0")/debian-source.sh"

fetch_debian_source glfw3 glfw3_3.3.8.orig.tar.gz \
    f30f42e05f11e5fc62483e513b0488d5bceeab7d9c5da0ffe2252ad81816c713 glfw-3.3.8
