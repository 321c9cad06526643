# Shared by the dist tests: a private home, failure reports, and skipping when a tool is missing.
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

need() {
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool is not installed (scripts/setup-common.sh installs it)"
            exit 77
        fi
    done
}

# A temporary work folder with a home of its own; removed at exit, even when made read-only.
private_home() {
    work=$(mktemp -d)
    trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
    export HOME="$work/home"
    export XDG_DATA_HOME="$HOME/.local/share" XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache"
    export XDG_RUNTIME_DIR="$work/runtime"
    unset XDG_DATA_DIRS XDG_CONFIG_DIRS
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
}
