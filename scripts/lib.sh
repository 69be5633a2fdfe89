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

# --- A clean Debian 12 root (scripts/package-check, scripts/fresh-check); these need root. ---
SUITE=bookworm
CACHE="${VELQUIN_PACKAGE_CHECK_CACHE:-$ROOT/.cache/package-check}"

# debian_mirror: where this machine's apt gets Debian 12 from ($VELQUIN_DEBIAN_MIRROR overrides it;
# deb.debian.org when apt names no such source).
debian_mirror() {
    local mirror="${VELQUIN_DEBIAN_MIRROR:-}"
    [[ -n "$mirror" ]] ||
        mirror="$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Created-By: Packages' 2>/dev/null |
            awk -v suite="$SUITE" '$2 == suite { print $1; exit }')"
    echo "${mirror:-http://deb.debian.org/debian}"
}

# clean_root DIR: unpacks a clean minbase root with its package lists into DIR. It is made by
# debootstrap once and kept as a tarball in $CACHE; delete that to start afresh.
clean_root() {
    local dir="$1" tarball="$CACHE/$SUITE-minbase.tar" mirror fresh
    mkdir -p "$CACHE/archives/partial"
    if [[ ! -f "$tarball" ]]; then
        mirror="$(debian_mirror)"
        echo "making a clean $SUITE root with debootstrap from $mirror (once; cached in $CACHE)"
        fresh="$(mktemp -d "$CACHE/debootstrap.XXXXXX")"
        if ! timeout 1200 debootstrap --variant=minbase --cache-dir="$CACHE/archives" "$SUITE" \
            "$fresh" "$mirror" >"$CACHE/debootstrap.log" 2>&1; then
            rm -rf "$fresh"
            echo "debootstrap failed or timed out; no network to $mirror? (log: $CACHE/debootstrap.log)" >&2
            return 1
        fi
        if ! timeout 600 chroot "$fresh" apt-get -o APT::Sandbox::User=root update -qq; then
            rm -rf "$fresh"
            echo "apt-get update failed in the new root: no network to $mirror?" >&2
            return 1
        fi
        chroot "$fresh" apt-get clean
        chmod 755 "$fresh"
        tar -C "$fresh" -cf "$tarball.tmp" . && mv "$tarball.tmp" "$tarball"
        rm -rf "$fresh"
    fi
    # A root made by mktemp is private: nobody but root could reach its files (roots cached so).
    mkdir -p "$dir" && tar -C "$dir" -xf "$tarball" && chmod 755 "$dir"
}

# in_root DIR SECONDS [VAR=VALUE...] COMMAND...: runs COMMAND in the root DIR with a clean
# environment, at most SECONDS long, with /proc, /sys and /dev and the package cache mounted, plus
# each "HOST_DIR:DIR_IN_ROOT" of $ROOT_BINDS. The mounts live in a mount namespace of its own, so
# they end with the command whatever happens.
in_root() {
    local dir="$1" limit="$2"
    shift 2
    unshare -m --propagation private bash -c '
        dir="$1" archives="$2" limit="$3" binds="$4"
        shift 4
        mount -t proc proc "$dir/proc" && mount -t sysfs sysfs "$dir/sys" &&
            mount --rbind /dev "$dir/dev" &&
            mount --bind "$archives" "$dir/var/cache/apt/archives" || exit 2
        for bind in $binds; do
            mkdir -p "$dir/${bind#*:}" && mount --bind "${bind%%:*}" "$dir/${bind#*:}" || exit 2
        done
        exec timeout -s TERM "$limit" chroot "$dir" /usr/bin/env -i \
            PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"' \
        in_root "$dir" "$CACHE/archives" "$limit" "${ROOT_BINDS:-}" "$@"
}
