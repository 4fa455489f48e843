#!/usr/bin/env bash
# Sets up what is missing, builds, and starts Veltrasa2005 on this display.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$ROOT/scripts/setup.sh"
exec "${VELTRASA_BUILD_DIR:-$ROOT/build}/src/veltrasa" "$@"
