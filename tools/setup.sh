# Shared set-up for ./run and ./test: Debian packages, configure, build.
# Sourced, not run.

# What building and running the clock needs.
VELMORA_RUN_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-multimedia-dev libqt6svg6
    fonts-liberation
)

# What the tests need on top: a virtual X server (xvfb-run needs xauth) and key
# presses, a sound server with a null sink, a private session bus with a fake
# desktop portal, the sanitizer and fuzzer runtime, and the tools that build the
# package and check the installed files.
VELMORA_TEST_PACKAGES=(
    xvfb xauth xdotool
    pulseaudio pulseaudio-utils
    dbus-daemon python3-dbus python3-gi
    clang libclang-rt-14-dev
    python3
    desktop-file-utils appstream dpkg-dev file lintian
)

velmora_install_packages() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# velmora_build <build dir> [cmake options...]
velmora_build() {
    local dir="$1"
    shift
    cmake -S "$VELMORA_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir"
}
