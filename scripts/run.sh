#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. With no supported mouse attached it
# uses the simulated one. Arguments are passed to the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

pellora_ensure_packages
build="$PELLORA_ROOT/build"
pellora_build "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLORA_SANITIZE=

bin="$build/bin"
args=("$@")
if ! "$bin/pellora-cli" attached >/dev/null 2>&1; then
  echo "No supported mouse is attached: using the simulated mouse (--simulate)."
  args=(--simulate "${args[@]}")
fi

# Until the desktop window is part of the build, the command-line tool shows what there is.
exec "$bin/pellora-cli" "${args[@]}" show
