#!/usr/bin/env bash
# Throughput and latency of tagmora-cli serve: N prints of 10 shipping labels
# into PDF by C clients at once (default 1000 by 8), against a service on a
# free loopback port with a history of its own. Prints requests per second
# and the 50th and 95th percentile of the time a request took. The clients
# are scripts/serve-load.py when python3 is there, else one curl a request.
#
#   scripts/bench-serve.sh [build/tagmora-cli] [REQUESTS] [CLIENTS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$root/build/tagmora-cli}
requests=${2:-1000}
clients=${3:-8}
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

mkdir "$work/labels"
cp "$root/examples/shipping.blf" "$work/labels/"
QT_QPA_PLATFORM=offscreen "$cli" serve --labels "$work/labels" --listen 127.0.0.1:0 \
    --history "$work/history.sqlite" 2> "$work/serve.log" &
pid=$!
for _ in $(seq 100); do
    port=$(grep -o '127\.0\.0\.1:[0-9]*' "$work/serve.log" | head -1 | cut -d: -f2 || true)
    [[ -n $port ]] && break
    sleep 0.1
done
[[ -n ${port:-} ]] || { cat "$work/serve.log"; exit 1; }

rows=""
for i in $(seq 10); do
    rows+="${rows:+,}{\"Name\":\"Name $i\",\"Street\":\"Street $i\",\"City\":\"City\",\"Tracking\":\"TRK$i\"}"
done
printf '{"label":"shipping.blf","printer":"pdf","rows":[%s]}' "$rows" > "$work/body.json"

# A client that keeps its connection, so the machine's cores go to the
# service rather than to starting a curl for every request.
if command -v python3 > /dev/null; then
    python3 "$root/scripts/serve-load.py" "$port" "$work/body.json" "$requests" "$clients"
    exit
fi

start=$(date +%s.%N)
seq "$requests" | xargs -P "$clients" -I{} curl -s -o /dev/null -w '%{http_code} %{time_total}\n' \
    -H 'Content-Type: application/json' --data-binary @"$work/body.json" "http://127.0.0.1:$port/print" \
    > "$work/times"
end=$(date +%s.%N)

failed=$(awk '$1 != 200' "$work/times" | wc -l)
sort -n -k2 "$work/times" | awk -v n="$requests" -v c="$clients" -v s="$start" -v e="$end" -v f="$failed" '
    { t[NR] = $2 }
    END {
        printf "%d requests, %d clients, %d not 200\n", n, c, f
        printf "%.1f requests/s\n", n / (e - s)
        printf "p50 %.0f ms, p95 %.0f ms\n", t[int(NR * 0.50)] * 1000, t[int(NR * 0.95)] * 1000
    }'
