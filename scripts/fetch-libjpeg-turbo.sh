#!/usr/bin/env bash
# Fetches libjpeg-turbo 2.1.5 from Debian's source archive (apt verifies it
# against the signed .dsc) and unpacks it into .deps/libjpeg-turbo-2.1.5, for
# the Windows build, which links it statically. Nothing of it enters git.
# Usage: scripts/fetch-libjpeg-turbo.sh  (prints the source directory)
set -euo pipefail
. "$(dirname "$0")/debian-source.sh"

fetch_debian_source libjpeg-turbo libjpeg-turbo_2.1.5.orig.tar.gz \
    254f3642b04e309fee775123133c6464181addc150499561020312ec61c1bf7c libjpeg-turbo-2.1.5
