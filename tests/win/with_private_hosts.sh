#!/usr/bin/env bash
# with_private_hosts.sh HOSTS_FILE LINE... -- CMD...
# Runs CMD in a mount namespace of its own where /etc/hosts is HOSTS_FILE: the machine's hosts
# and the given lines. Wine resolves names with the system's resolver, in the calling process,
# and does not read its prefix's own hosts file; this way the names are the tests' alone.
set -euo pipefail
if [[ "${1:-}" != --inside ]]; then
    exec unshare --mount --propagation private -- bash "${BASH_SOURCE[0]}" --inside "$@"
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
