# Shared by run.sh and test.sh: installs what is missing, then configures and builds.
# Usage: . scripts/setup-common.sh; kelmora_install PACKAGES...; kelmora_build BUILD_DIR [cmake args]

kelmora_install() {
    local missing=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building and testing need: compiler, CMake and Ninja, Qt 6 widgets, GoogleTest and Google
# Benchmark, GNU FriBidi, the Persian display fonts, and the Persian word list used as a test corpus.
KELMORA_BUILD_PACKAGES=(g++ cmake ninja-build qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
    pkg-config libfribidi-dev fonts-farsiweb fonts-freefarsi myspell-fa)

kelmora_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null || return 1
    cmake --build "$dir" -j "$(nproc)"
}
