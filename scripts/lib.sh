# Shared by the scripts: install missing Debian packages (quietly when all is there).
# Usage: ensure_packages pkg...
ensure_packages() {
    local missing=()
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# What building and testing needs.
# Qt 6 Widgets for the desktop program: qt6-base-dev brings the libraries and
# the offscreen platform the GUI tests use; qt6-qpa-plugins the X11/Wayland
# platforms for a real display; libqt6svg6 the SVG icon engine for the
# command icons; a font so that text has metrics offscreen. The install test
# checks the desktop entry, the file type and the manual pages with
# desktop-file-utils, shared-mime-info and groff-base.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libsqlite3-dev
                qt6-base-dev qt6-qpa-plugins libqt6widgets6 libqt6network6
                libqt6printsupport6 libqt6svg6 fonts-dejavu-core nlohmann-json3-dev
                desktop-file-utils shared-mime-info groff-base)

# What making the Debian package needs besides (dpkg-shlibdeps finds the
# libraries the programs link).
PACKAGE_PACKAGES=(dpkg-dev file)

repo_root() { cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd; }
