# Shared by the scripts: package installation and paths. Source it, do not run it.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="${JOBS:-$(nproc)}"

# install_packages SET...: installs the listed packages of the given sets that are missing.
install_packages() {
    local sets=" $* " missing=() set pkg
    while read -r set pkg; do
        [[ -z "$set" || "$set" == \#* ]] && continue
        [[ "$sets" == *" $set "* ]] || continue
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "ok installed" || missing+=("$pkg")
    done <"$ROOT/scripts/packages.txt"
    ((${#missing[@]})) || return 0
    local sudo=""
    [[ $(id -u) -ne 0 ]] && sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# configure_build DIR [CMAKE ARGS...]: configures (once) and builds DIR.
configure_build() {
    local dir="$1"
    shift
    cmake -S "$ROOT" -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j "$JOBS"
}
