#!/usr/bin/env bash
# Sets up what is missing, builds, and runs the whole test suite.
# With arguments, only ctest in build/ runs, with those arguments.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$ROOT/scripts/setup.sh" --test
cd "${VELTRASA_BUILD_DIR:-$ROOT/build}"
ctest --output-on-failure "$@"
if (($# == 0)); then
  # The unit and widget tests once more, built with AddressSanitizer and
  # UndefinedBehaviorSanitizer in build-asan/ (CMakePresets.json).
  cd "$ROOT"
  cmake --preset asan >/dev/null
  cmake --build --preset asan -j "$(nproc)"
  ctest --preset asan
fi
