# Shared by ./run and ./test: installs what is missing and configures a build folder.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

need_packages() {
    local missing=()
    for p in "$@"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
}

BASE_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev qt6-tools-dev qt6-l10n-tools
    qt6-translations-l10n)

# configure DIR [cmake options...]: configures once; later runs only build.
configure() {
    local dir="$1"; shift
    mkdir -p "$dir"
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >"$dir/configure.log" 2>&1 || {
            cat "$dir/configure.log"; return 1; }
    fi
}
