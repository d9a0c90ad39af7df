# Shared by scripts/install and scripts/uninstall. Source this file.

# Sets prefix (default ~/.local) and build (default build/ of the checkout) from the options.
parse_desktop_options() {
    prefix="$HOME/.local"
    build="$root/build"
    while (($# > 0)); do
        case "$1" in
        --prefix)
            prefix="${2:?--prefix needs a folder}"
            shift 2
            ;;
        --build-dir)
            build="${2:?--build-dir needs a folder}"
            shift 2
            ;;
        *)
            echo "usage: $0 [--prefix DIR] [--build-dir DIR]" >&2
            exit 2
            ;;
        esac
    done
    prefix=$(realpath -m "$prefix")
}

# The launcher's working folder for the user running this.
working_folder() {
    case "${XDG_DATA_HOME:-}" in
    /*) echo "$XDG_DATA_HOME/tonewick" ;;
    *) echo "$HOME/.local/share/tonewick" ;;
    esac
}

# The menu entry of installs made before it took the application's id for its name: left in
# place, it would show a second Tonewick in the menu.
old_menu_entry() {
    echo "$prefix/share/applications/tonewick.desktop"
}

# File managers find "Open with" programs through this cache of media types.
refresh_menu_cache() {
    if command -v update-desktop-database >/dev/null && [[ -d "$prefix/share/applications" ]]; then
        update-desktop-database -q "$prefix/share/applications" || true
    fi
}
