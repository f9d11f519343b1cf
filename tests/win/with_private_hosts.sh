#!/usr/bin/env bash
# with_private_hosts.sh HOSTS_FILE LINE... -- CMD...
# Runs CMD in a mount namespace of its own where /etc/hosts is HOSTS_FILE: the machine's hosts
# and the given lines. Wine resolves names with the system's resolver, in the calling process,
# and does not read its prefix's own hosts file; this way the names are the tests' alone.
set -euo pipefail
if [[ "${1:-}" != --inside ]]; then
    if unshare --mount --propagation private true 2>/dev/null; then
        exec unshare --mount --propagation private -- bash "${BASH_SOURCE[0]}" --inside "$@"
    fi
    # In a chroot the root is no mount point, so no mount namespace can be made private, and a
    # bind there could reach the machine's own /etc/hosts. CMD runs without the names, and the
    # tests that need them say why they skip.
    export TARNWICK_NO_PRIVATE_HOSTS="no private mount namespace can be made here (a chroot?)"
    while [[ "$1" != -- ]]; do
        shift
    done
    shift
    exec "$@"
fi
shift
hosts="$1"
shift
{
    cat /etc/hosts
    while [[ "$1" != -- ]]; do
        echo "$1"
        shift
    done
} >"$hosts"
shift
mount --bind "$hosts" /etc/hosts
exec "$@"
