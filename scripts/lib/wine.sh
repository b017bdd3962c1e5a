# shellcheck shell=bash
# Helpers for running Windows programs under Wine on a private, headless X display.
# Source this file; it defines functions only. Typical use:
#
#   source scripts/lib/wine.sh
#   wine_setup                      # packages, display, a fresh prefix; cleaned up on exit
#   wine "$(winepath -w prog.exe)"
#
# wine_setup installs an EXIT trap that calls wine_cleanup. A caller that needs an EXIT trap of
# its own must call wine_cleanup from it.

wine_repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine_template="$wine_repo_root/build/wine/template"
wine_xvfb_pid=""
wine_run_prefix=""

wine_log() {
    echo "wine.sh: $*" >&2
}

# Installs the Debian packages whose commands are missing, with one apt-get update first.
wine_ensure_packages() {
    local missing=()
    command -v wine >/dev/null || missing+=(wine)
    [[ -x /usr/lib/wine/wine64 ]] || command -v wine64 >/dev/null || missing+=(wine64)
    command -v Xvfb >/dev/null || missing+=(xvfb)
    command -v xdpyinfo >/dev/null || missing+=(x11-utils)
    command -v import >/dev/null || missing+=(imagemagick)
    command -v xdotool >/dev/null || missing+=(xdotool)
    ((${#missing[@]} == 0)) && return 0

    local sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    wine_log "installing ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq </dev/null &&
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq "${missing[@]}" </dev/null >/dev/null
}

# Starts Xvfb (1024x768, 24 bits) on the first free display number and exports DISPLAY.
wine_start_display() {
    local n
    for ((n = 91; n < 200; n++)); do
        [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        wine_xvfb_pid=$!
        local tries
        for ((tries = 0; tries < 100; tries++)); do
            if xdpyinfo -display ":$n" >/dev/null 2>&1; then
                export DISPLAY=":$n"
                return 0
            fi
            # Another server may have taken the number in the meantime: try the next one.
            kill -0 "$wine_xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill "$wine_xvfb_pid" 2>/dev/null
        wait "$wine_xvfb_pid" 2>/dev/null
        wine_xvfb_pid=""
    done
    wine_log "no free X display for Xvfb"
    return 1
}

# Boots the prefix that WINEPREFIX names and sets it up for headless tests.
wine_configure_prefix() {
    # No Mono or Gecko: their installers would ask questions on the headless display.
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 </dev/null
    wineserver -w
    # Without a window manager, Wine must draw the frames itself ("Managed" off): otherwise
    # windows have no caption or border, closing takes seconds and painting on other
    # processes' windows never shows.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        >/dev/null 2>&1 </dev/null || return 1
    # The real WinHelp viewer blocks its caller for minutes on a missing file; disabled,
    # a call fails at once.
    wine reg add 'HKCU\Software\Wine\DllOverrides' /v winhlp32.exe /t REG_SZ /d '' /f \
        >/dev/null 2>&1 </dev/null || return 1
    wineserver -w
}

# Builds the booted and configured prefix once, under build/wine/template. It is rebuilt when
# the installed Wine changes.
wine_make_template() {
    mkdir -p "$(dirname "$wine_template")" || return 1
    # One run at a time builds the template; the others wait for it here.
    local lock status
    exec {lock}>"$(dirname "$wine_template")/.template.lock"
    flock "$lock"
    wine_build_template
    status=$?
    exec {lock}>&-
    return $status
}

wine_build_template() {
    local version
    version=$(wine --version)
    if [[ -f "$wine_template/.tarnwick-template" &&
        $(cat "$wine_template/.tarnwick-template") == "$version" ]]; then
        return 0
    fi
    wine_log "creating the Wine prefix template ($version)"
    local staging="$wine_template.staging.$$"
    rm -rf "$staging" "$wine_template"
    WINEPREFIX="$staging" wine_configure_prefix || return 1
    [[ -f "$staging/system.reg" ]] || {
        wine_log "wineboot did not create a prefix"
        return 1
    }
    echo "$version" >"$staging/.tarnwick-template"
    mv "$staging" "$wine_template"
}

# Copies the template into a prefix of this run's own and exports the Wine variables.
wine_new_prefix() {
    wine_make_template || return 1
    wine_run_prefix=$(mktemp -d "$wine_repo_root/build/wine/run.XXXXXX") || return 1
    cp -a "$wine_template/." "$wine_run_prefix/" || return 1
    export WINEPREFIX="$wine_run_prefix"
}

# Stops this run's wineserver and Xvfb and removes its prefix.
wine_cleanup() {
    if [[ -n "$wine_run_prefix" ]]; then
        WINEPREFIX="$wine_run_prefix" wineserver -k >/dev/null 2>&1
        rm -rf "$wine_run_prefix"
        wine_run_prefix=""
    fi
    if [[ -n "$wine_xvfb_pid" ]]; then
        kill "$wine_xvfb_pid" 2>/dev/null
        wait "$wine_xvfb_pid" 2>/dev/null
        wine_xvfb_pid=""
    fi
}

# Everything a run needs: packages, a display, a fresh prefix, and the cleanup on exit.
wine_setup() {
    export WINEARCH=win64 WINEDEBUG=-all
    wine_ensure_packages || return 1
    trap wine_cleanup EXIT
    wine_start_display || return 1
    wine_new_prefix
}
