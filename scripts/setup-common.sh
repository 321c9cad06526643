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
# The install tests check desktop entries, AppStream data, file types and manual pages with the
# distribution's own tools (xdg-mime reads the MIME database through File::MimeInfo's mimetype), and
# the Debian package needs dpkg-shlibdeps.
KELMORA_BUILD_PACKAGES=(g++ cmake ninja-build qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
    pkg-config libfribidi-dev fonts-farsiweb fonts-freefarsi myspell-fa
    desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl groff-base dpkg-dev)

kelmora_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null || return 1
    cmake --build "$dir" -j "$(nproc)"
}
