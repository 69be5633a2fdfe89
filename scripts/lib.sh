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

# debian_mirror: the address this machine's apt sources get Debian 12 from, or
# $VELQUIN_DEBIAN_MIRROR when set. Both source formats count: one-line "deb [options] URI SUITE ..."
# in *.list, and deb822 stanzas (Types, URIs, Suites, Enabled) in *.sources.
debian_mirror() {
    if [[ -n "${VELQUIN_DEBIAN_MIRROR:-}" ]]; then
        echo "$VELQUIN_DEBIAN_MIRROR"
        return
    fi
    local sources=() file mirror
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [[ -f "$file" ]] && sources+=("$file")
    done
    ((${#sources[@]})) && mirror="$(awk -v suite="$SUITE" '
        function has(list, word) { return index(" " list " ", " " word " ") > 0 }
        function stanza_end() {
            if (!found && has(v["types"], "deb") && has(v["suites"], suite) &&
                tolower(v["enabled"]) !~ /no/ && split(v["uris"], uri, " ")) {
                print uri[1]
                found = 1
            }
            split("", v)
            field = ""
        }
        FNR == 1 { stanza_end() }
        found { exit }
        FILENAME !~ /\.sources$/ {
            sub(/#.*/, "")
            gsub(/\[[^]]*\]/, "")
            if ($1 == "deb" && $3 == suite) { print $2; found = 1 }
            next
        }
        /^#/ { next }
        /^[ \t]*$/ { stanza_end(); next }
        /^[ \t]/ { v[field] = v[field] " " $0; next } # a continued field
        /^[A-Za-z-]+:/ {
            field = tolower(substr($0, 1, index($0, ":") - 1))
            v[field] = substr($0, index($0, ":") + 1)
        }
        END { stanza_end() }' "${sources[@]}")"
    if [[ -z "${mirror:-}" ]]; then
        echo "no $SUITE source in /etc/apt/sources.list or sources.list.d: set VELQUIN_DEBIAN_MIRROR to a Debian mirror" >&2
        return 1
    fi
    echo "$mirror"
}

# clean_root DIR: unpacks a clean minbase root with its package lists into DIR. It is made by
# debootstrap once and kept as a tarball in $CACHE; delete that to start afresh.
clean_root() {
    local dir="$1" tarball="$CACHE/$SUITE-minbase.tar" mirror fresh
    mkdir -p "$CACHE/archives/partial"
    if [[ ! -f "$tarball" ]]; then
        mirror="$(debian_mirror)" || return 1
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
    local dir="$1" limit="$2" propagation=private
    shift 2
    # Inside another such root (package-check under fresh-check) "/" is no mount point and cannot
    # be made private; the mounts there are private already, as the outer in_root made them.
    unshare -m --propagation private true 2>/dev/null || propagation=unchanged
    unshare -m --propagation "$propagation" bash -c '
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
