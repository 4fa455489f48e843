#!/usr/bin/env bash
# Sets up what is missing, builds, and runs the whole test suite.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$ROOT/scripts/setup.sh" --test
cd "${VELTRASA_BUILD_DIR:-$ROOT/build}"
ctest --output-on-failure "$@"
