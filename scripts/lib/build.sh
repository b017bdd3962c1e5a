# Build helpers: the tools both trees need, and the two builds. Source this file.
#
#   source scripts/lib/build.sh
#   build_ensure_tools && build_native && build_win

build_repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

build_log() {
    echo "build.sh: $*" >&2
}

# Installs the Debian packages whose tools are missing, with one apt-get update first.
build_ensure_tools() {
    local missing=()
    command -v cmake >/dev/null || missing+=(cmake)
    command -v ninja >/dev/null || missing+=(ninja-build)
    command -v g++ >/dev/null || missing+=(g++)
    command -v python3 >/dev/null || missing+=(python3)
    [[ -f /usr/include/gtest/gtest.h ]] || missing+=(libgtest-dev)
    command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64-posix)
    command -v x86_64-w64-mingw32-windres >/dev/null || missing+=(binutils-mingw-w64-x86-64)
    ((${#missing[@]} == 0)) && return 0

    local sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    build_log "installing ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq </dev/null &&
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq "${missing[@]}" </dev/null >/dev/null
}

# The portable logic and its unit tests, built natively.
build_native() {
    (cd "$build_repo_root" && cmake --preset native >/dev/null) &&
        cmake --build "$build_repo_root/build/native"
}

# Tarnwick.exe and the Windows-side test programs, cross-built with MinGW-w64.
build_win() {
    (cd "$build_repo_root" && cmake --preset win >/dev/null) &&
        cmake --build "$build_repo_root/build/win"
}
