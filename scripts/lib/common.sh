# Shared by the project's scripts: the Debian packages the project needs, installed only when
# missing, and the build step.

PELLORA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# Build tools, libraries (with their -dev packages), test and check tools.
PELLORA_PACKAGES=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev sqlite3 libhidapi-dev libudev-dev
  libsdl2-dev libcairo2-dev libpango1.0-dev libfontconfig-dev libcurl4-openssl-dev
  libpugixml-dev libstb-dev
  fonts-open-sans xvfb xauth libxml2-utils python3
)

pellora_missing_packages() {
  local missing=()
  local p
  for p in "${PELLORA_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  echo "${missing[@]}"
}

pellora_ensure_packages() {
  local missing
  missing="$(pellora_missing_packages)"
  [ -z "$missing" ] && return 0
  echo "Installing missing packages: $missing"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}

# pellora_build BUILD_DIR [cmake args...]
pellora_build() {
  local dir="$1"
  shift
  cmake -S "$PELLORA_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir"
}
