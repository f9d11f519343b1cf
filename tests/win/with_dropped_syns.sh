#!/usr/bin/env bash
# with_dropped_syns.sh ADDRESS -- CMD...
# Runs CMD while connections to port 80 of ADDRESS go unanswered, as over a broken path: the
# network namespace drops what is sent there. Only inside scripts/sandbox, whose namespace is the
# tests' own; anywhere else the rule would bind the machine's.
set -euo pipefail
if [[ "${TARNWICK_SANDBOX:-}" != 1 ]]; then
    echo "with_dropped_syns.sh: runs only inside scripts/sandbox" >&2
    exit 1
fi
address="$1"
shift 2
family=ip
[[ "$address" == *:* ]] && family=ip6
nft add table inet tarnwick_dropped
trap 'nft delete table inet tarnwick_dropped' EXIT
nft add chain inet tarnwick_dropped out '{ type filter hook output priority 0; }'
nft add rule inet tarnwick_dropped out "$family" daddr "$address" tcp dport 80 drop
"$@"
