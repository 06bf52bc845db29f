#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. The exit status is the verdict.
#   scripts/test.sh                      normal build in build/
#   scripts/test.sh --sanitize=address   AddressSanitizer + UBSan build in build-address/
#   scripts/test.sh --sanitize=thread    ThreadSanitizer build in build-thread/
# Extra arguments after "--" go to ctest (for example: -- -R Settings).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

sanitize=""
ctest_args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --sanitize=address|--sanitize=thread) sanitize="${1#--sanitize=}" ;;
    --sanitize=*) echo "test.sh: --sanitize takes address or thread" >&2; exit 2 ;;
    --) shift; ctest_args=("$@"); break ;;
    *) echo "usage: scripts/test.sh [--sanitize=address|thread] [-- ctest args]" >&2; exit 2 ;;
  esac
  shift
done

pellora_ensure_packages

if [ -z "$sanitize" ]; then
  build="$PELLORA_ROOT/build"
  pellora_build "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLORA_SANITIZE=
else
  build="$PELLORA_ROOT/build-$sanitize"
  pellora_build "$build" -DCMAKE_BUILD_TYPE=Debug -DPELLORA_SANITIZE="$sanitize" -DPELLORA_BUILD_BENCH=OFF
fi

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"

run_ctest() {
  ctest --test-dir "$build" --output-on-failure --timeout 600 -j "$(nproc)" "${ctest_args[@]}"
}
if [ "$sanitize" = "thread" ] && command -v setarch >/dev/null; then
  # ThreadSanitizer's shadow memory does not fit every address layout; without randomisation
  # the layout is one it knows.
  export -f run_ctest
  export build
  setarch "$(uname -m)" -R bash -c 'run_ctest "$@"' _ "${ctest_args[@]}"
else
  run_ctest
fi
