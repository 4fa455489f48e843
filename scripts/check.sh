#!/usr/bin/env bash
# Static checks over the source tree. Usage:
#   scripts/check.sh [format|tidy|cppcheck|shellcheck|all] [BUILD_DIR]
# format    clang-format --dry-run --Werror with the committed .clang-format,
#           over every C++ file in src/, tests/ and tools/.
# tidy      clang-tidy 14 with the committed .clang-tidy over src/, using
#           BUILD_DIR/compile_commands.json (default build/).
# cppcheck  cppcheck over src/ (warning, style, performance, portability).
# Each prints its findings and fails if there are any. The check named
# after shellcheck runs it at warning level over every shell script,
# following the e2e libraries from the scripts that source them.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WHAT="${1:-all}"
BUILD_DIR="${2:-${VELTRASA_BUILD_DIR:-$ROOT/build}}"
cd "$ROOT"

# C++ files under the given folders, tracked or not.
sources() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) | sort; }

check_format() {
    local files
    mapfile -t files < <(sources src tests tools)
    clang-format --dry-run --Werror "${files[@]}"
    echo "format: ${#files[@]} files formatted"
}

check_tidy() {
    [[ -f "$BUILD_DIR/compile_commands.json" ]] || {
        echo "tidy: $BUILD_DIR/compile_commands.json is missing; configure the build first" >&2
        return 1
    }
    local files jobs
    mapfile -t files < <(sources src | grep '\.cpp$' | sed "s|^|$ROOT/|")
    jobs="$(nproc)"
    # The moc output needs the build's generated headers: build first.
    run-clang-tidy-14 -quiet -p "$BUILD_DIR" -j "$jobs" "${files[@]}" >"$BUILD_DIR/clang-tidy.log" 2>&1 || {
        grep -E -A3 '(warning|error): ' "$BUILD_DIR/clang-tidy.log" | sed 's/\x1b\[[0-9;]*m//g' >&2
        echo "tidy: findings above (full log: $BUILD_DIR/clang-tidy.log)" >&2
        return 1
    }
    echo "tidy: ${#files[@]} files clean"
}

# Shell scripts: *.sh and the executable scripts whose first line names bash.
shell_scripts() {
    find . -path ./build -prune -o -path './build-*' -prune -o -path ./.git -prune -o -type f -print |
        while read -r f; do
            if [[ "$f" == *.sh ]] || head -n1 "$f" 2>/dev/null | grep -q '^#!.*bash'; then echo "${f#./}"; fi
        done | sort
}

check_shellcheck() {
    local files
    mapfile -t files < <(shell_scripts)
    shellcheck --severity=warning --external-sources --shell=bash "${files[@]}"
    echo "shellcheck: ${#files[@]} scripts clean"
}

check_cppcheck() {
    # Qt headers are not given to cppcheck (--library=qt describes them).
    # --error-exitcode makes any finding fail, a suppression that matches
    # nothing included; suppressions are listed per file, each with its
    # reason, in scripts/cppcheck-suppressions.txt.
    cppcheck --std=c++17 --language=c++ --library=qt -I src \
        --enable=warning,style,performance,portability,information \
        --inline-suppr --suppressions-list=scripts/cppcheck-suppressions.txt \
        --error-exitcode=1 --quiet -j "$(nproc)" src
    echo "cppcheck: src/ clean"
}

case "$WHAT" in
format) check_format ;;
tidy) check_tidy ;;
cppcheck) check_cppcheck ;;
shellcheck) check_shellcheck ;;
all)
    status=0
    check_format || status=1
    check_cppcheck || status=1
    check_shellcheck || status=1
    check_tidy || status=1
    exit "$status"
    ;;
*)
    echo "usage: $0 [format|tidy|cppcheck|shellcheck|all] [BUILD_DIR]" >&2
    exit 2
    ;;
esac
