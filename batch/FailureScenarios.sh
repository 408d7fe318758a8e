#!/usr/bin/env bash
# Usage: FailureScenarios.sh KELVARO_BATCH [sanitized]
# Faults outside the input, one per line of the table below: each must end the run
# with its message on stderr and its status, and keep every whole line computed.
# "sanitized" leaves out the memory limit, which sanitizer builds cannot run under.
set -u
bin=$(realpath "$1")
sanitized=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
long=2000000  # enough asexual lines to fill the 32 MiB held in memory

header1='Anzahl Lebender nach Parasit (sexuell); GC-Gehalt (sexuell)'
header2='Anzahl Lebender nach Parasit (nicht sexuell); GC-Gehalt (nichtsexuell)'

# Both boxes in whole lines up to the same generation, the sexual one possibly half a
# generation ahead: header, lines, empty line, header, lines.
whole_boxes() {
    [ -z "$(tail -c 1 "$1")" ] && awk -v h1="$header1" -v h2="$header2" '
        NR == 1 { bad = $0 != h1; next }
        !second && $0 == "" { second = 1; getline; bad = bad || $0 != h2; next }
        !/^[0-9]+; [0-9][0-9.,E+-]*$/ { bad = 1 }
        { count[second + 0]++ }
        END { exit bad || !second || count[0] - count[1] > 1 || count[0] < count[1] }' "$1"
}

# scenario NAME STATUS MESSAGE OUTPUT-CHECK COMMAND...: runs COMMAND (a shell text with
# $bin, $out and $err) and compares the status, the error output and the output.
scenario() {
    local name=$1 want=$2 message=$3 check=$4 command=$5
    out=$work/out err=$work/err
    bash -c "$command" _ "$bin" "$out" "$err" "$work"
    local status=$?
    local got
    got=$(cat "$err")
    if [ "$status" != "$want" ] || [ "$got" != "$message" ]; then
        echo "FAIL $name: status $status (want $want), stderr '$got' (want '$message')"
        failures=$((failures + 1))
    elif [ "$check" = whole ] && ! whole_boxes "$out"; then
        echo "FAIL $name: output is not both boxes in whole generations"
        failures=$((failures + 1))
    else
        echo "ok   $name"
    fi
    rm -f "$out" "$err"
}

written='Schreibfehler auf der Standardausgabe'
spill='Schreibfehler in der Zwischendatei'

scenario closed-output 1 "$written: nicht zum Schreiben geöffnet." - \
    '"$1" --generations 5 >&- 2>"$3"'
scenario reader-gone 1 "$written: der Empfänger liest nicht mehr." - \
    'trap "" PIPE; "$1" --generations '$long' 2>"$3" | head -c 1 >/dev/null; exit ${PIPESTATUS[0]}'
scenario no-temporary-folder 1 "Zwischendatei in '$work/missing' nicht anlegbar: Verzeichnis nicht vorhanden." whole \
    'TMPDIR="$4/missing" "$1" --generations '$long' >"$2" 2>"$3"'
scenario file-size-limit 1 "$spill: Datei zu groß." whole \
    '(trap "" XFSZ; ulimit -f 4096; TMPDIR="$4" exec "$1" --generations '$long' 2>"$3") | cat >"$2"; exit ${PIPESTATUS[0]}'
if unshare -rm true 2>/dev/null; then
    mkdir "$work/small"
    scenario full-temporary-folder 1 "$spill: kein Platz mehr auf dem Datenträger." whole \
        'unshare -rm bash -c "mount -t tmpfs -o size=1m none \"\$0\" && TMPDIR=\"\$0\" exec \"\$1\" --generations '$long'" "$4/small" "$1" >"$2" 2>"$3"'
else
    echo "skip full-temporary-folder: no user namespaces"
fi
if [ "$sanitized" != sanitized ]; then
    # 20 MB above what a one-generation run needs: less than the 32 MiB held in memory.
    for base in $(seq 40000 10000 400000); do
        (ulimit -v "$base"; "$bin" --generations 1 >/dev/null 2>&1) && break
    done
    scenario out-of-memory 1 "Speicher reicht nicht aus." whole \
        'ulimit -v '$((base + 20000))'; "$1" --generations 10000000 >"$2" 2>"$3"'
fi
# A full device as standard output; study outputs that are devices, pipes or standard output
# are written straight, never replaced; a read-only folder is refused before the first run. Each
# runs in a private mount namespace, in a fresh tmpfs of its own as working folder, on device
# nodes of its own.
study=(--seed 1 --replicates 2 --generations 3 --jobs 2)
full_device() {
    mknod full c 1 7 || return 99
    "$1" --generations 5 >full 2>"$2"
}
full_device_help() {
    mknod full c 1 7 || return 99
    "$1" --help >full 2>"$2"
}
device_outputs() {
    mknod null c 1 3 && mknod full c 1 7 || return 99
    "$1" "${study[@]}" --output null --summary full 2>"$2"
    local status=$?
    [ -c null ] && [ -c full ] && [ "$(ls | wc -l)" = 2 ] || return 98
    return $status
}
fifo_output() {
    mkfifo fifo || return 99
    timeout 60 cat fifo >got &
    "$1" "${study[@]}" --output fifo 2>"$2"
    local status=$?
    wait
    [ -p fifo ] && [ "$(head -c 4 got)" = set, ] && [ "$(wc -l <got)" = 13 ] || return 98
    return $status
}
read_only_folder() {
    mkdir ro && mount -t tmpfs -o ro none ro || return 99
    "$1" "${study[@]}" --output ro/t.csv 2>"$2"
}
export -f full_device full_device_help device_outputs fifo_output read_only_folder
export study_text="${study[*]}"
declare -A private_status=([full_device]=1 [full_device_help]=1 [device_outputs]=1 [fifo_output]=0 [read_only_folder]=2)
declare -A private_message=(
    [full_device]="$written: kein Platz mehr auf dem Datenträger."
    [full_device_help]="$written: kein Platz mehr auf dem Datenträger."
    [device_outputs]='Schreibfehler auf der Datei full: kein Platz mehr auf dem Datenträger.'
    [fifo_output]=''
    [read_only_folder]='kelvaro-batch: --output ro/t.csv: Dateisystem nur lesbar (ro)')
if unshare -m true 2>/dev/null; then
    mkdir "$work/private"
    for case in full_device full_device_help device_outputs fifo_output read_only_folder; do
        scenario "$case" "${private_status[$case]}" "${private_message[$case]}" - \
            'unshare -m bash -c "study=(\$study_text); mount -t tmpfs none \"\$0\" && cd \"\$0\" && '$case' \"\$1\" \"\$2\"" "$4/private" "$1" "$3"'
    done
else
    echo "skip full devices, device, pipe and read-only outputs: no mount namespaces"
fi
scenario standard-output 0 "" - \
    '"$1" '"${study[*]}"' --output - >"$2" 2>"$3" && [ "$(wc -l <"$2")" = 13 ]'

# A worker killed in the middle of a run is replaced and the run done again: the table is the
# one-process table.
worker_killed() {
    local long=(--seed 3 --replicates 8 --generations 200000 --every 1000)
    "$1" "${long[@]}" --jobs 1 --output "$2.whole" 2>/dev/null || return 97
    "$1" "${long[@]}" --jobs 2 --output "$2" 2>"$3" &
    local study=$!
    sleep 0.5
    local worker
    worker=$(cut -d ' ' -f 1 "/proc/$study/task/$study/children")
    [ -n "$worker" ] && kill -KILL "$worker" || return 96
    wait "$study"
    local status=$?
    cmp -s "$2" "$2.whole" || return 95
    rm -f "$2.whole"
    return $status
}
export -f worker_killed
scenario worker-killed 0 "" - 'worker_killed "$1" "$2" "$3"'

for signal in INT TERM; do
    scenario "sig$signal" $((128 + $(kill -l $signal))) "" whole \
        'set -m; "$1" --generations 100000000 >"$2" 2>"$3" & sleep 1; kill -'$signal' $!; wait $! 2>/dev/null'
done

[ "$failures" = 0 ]
