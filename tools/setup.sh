# Installs, with apt-get, the Debian packages the build needs and the machine
# lacks. Sourced by ./play and ./check; extra packages may be passed as
# arguments.
zm_install_missing() {
    local wanted=(cmake ninja-build g++ ccache pkg-config
        qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6 libgl-dev
        libgtest-dev libfontconfig-dev fonts-sil-andika "$@")
    local missing=()
    local p
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# Clones in other folders (a CI run, a second checkout) share one compiler
# cache: paths are taken relative to the checkout.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"

# Tests are built when asked for ("ON"), and otherwise left as the build
# folder has them, so that playing after testing rebuilds nothing.
zm_configure_and_build() {
    local testing=()
    if [ "$1" = ON ] || [ ! -f build/CMakeCache.txt ]; then
        testing=(-DBUILD_TESTING="$1")
    fi
    cmake -S . -B build -G Ninja "${testing[@]}" >/dev/null
    cmake --build build
}

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer:
# any report fails the run. Leaks are not looked for: the libraries the game
# stands on keep caches for the life of the process.
zm_sanitized_build_and_test() {
    cmake -S . -B build-asan -G Ninja -DBUILD_TESTING=ON -DZM_SANITIZE=ON >/dev/null
    cmake --build build-asan
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir build-asan --output-on-failure -j2
}
