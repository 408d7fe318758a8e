#!/bin/bash
# A study killed (SIGKILL) at twenty different moments and resumed, some of them killed again while
# resuming, gives the files of the study run at once; so does one whose journal lost its last bytes
# or has a damaged record. A journal of another study, or one found without --resume, is refused
# and left as it is.
# Usage: resume_after_kill.sh KELVARO-BATCH
set -euo pipefail
bin=$(realpath "$1")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
study=(--seed 8 --replicates 100 --generations 600 --every 20 --sweep "kill-factor=1;2;3" --decimal-separator ,)
# Two forms: workers with a plain table and every figure; one process with a gzip table.
form() {
    if [ "$1" = a ]; then
        echo --jobs 2 --output t.csv --summary s.csv --plot p.png --compare c.png
    else
        echo --jobs 1 --output t.csv.gz --summary s.csv
    fi
}
seconds() { echo "$(($1 / 1000)).$(printf %03d $(($1 % 1000)))"; }  # of milliseconds
elapsed=()
for f in a b; do
    mkdir "ref-$f"
    start=$(date +%s%N)
    (cd "ref-$f" && "$bin" "${study[@]}" $(form $f))
    elapsed+=($((($(date +%s%N) - start) / 1000000)))
done

same() {  # same FORM FOLDER: the folder holds the reference's files and nothing else
    for file in "ref-$1"/*; do
        cmp "$file" "$2/$(basename "$file")"
    done
    if [ "$(ls -A "ref-$1")" != "$(ls -A "$2")" ]; then
        echo "left in $2:" $(ls -A "$2") >&2
        exit 1
    fi
}

# Starts the study of form a and kills it (SIGKILL) once its journal holds some finished runs
# (64 KiB of a table of about 1.2 MB), however fast the machine runs it.
kill_midway() {
    "$bin" "${study[@]}" $(form a) &
    local pid=$!
    local state
    # (an ended child stays a zombie until waited for)
    while state=$(ps -o stat= -p "$pid") && [ "${state:0:1}" != Z ] &&
        [ "$(stat -c %s t.csv.journal 2>/dev/null || echo 0)" -lt 65536 ]; do
        sleep 0.005
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" || true
    [ -f t.csv.journal ] || { echo "the study ended before it could be killed midway" >&2; exit 1; }
}

for trial in $(seq 1 20); do
    f=$([ $((trial % 2)) = 1 ] && echo a || echo b)
    ms=${elapsed[$([ $f = a ] && echo 0 || echo 1)]}
    delay=$((ms * trial / 21))
    mkdir "t$trial"
    cd "t$trial"
    status=0
    timeout -s KILL "$(seconds "$delay")" "$bin" "${study[@]}" $(form $f) || status=$?
    [ "$status" = 0 ] || [ "$status" = 137 ]
    if [ $((trial % 4)) = 0 ]; then  # the resumed study killed too
        timeout -s KILL 0.2 "$bin" "${study[@]}" $(form $f) --resume || true
    fi
    "$bin" "${study[@]}" $(form $f) --resume
    cd ..
    same $f "t$trial"
done

# A torn last record (power lost while writing), then a damaged record in the middle.
for damage in torn flipped; do
    mkdir "$damage"
    cd "$damage"
    kill_midway
    size=$(stat -c %s t.csv.journal)
    if [ "$damage" = torn ]; then
        truncate -s -3 t.csv.journal
    else
        printf '\377' | dd of=t.csv.journal bs=1 seek=$((size / 2)) conv=notrunc status=none
    fi
    "$bin" "${study[@]}" $(form a) --resume
    cd ..
    same a "$damage"
done

# Refused, the journal untouched: another study's, one without --resume; --resume needs a file.
mkdir refused
cd refused
kill_midway
cp t.csv.journal kept
for other in "--seed 9 --resume" "--every 5 --resume" ""; do
    if "$bin" "${study[@]}" $(form a) $other 2>err; then
        echo "accepted: $other" >&2
        exit 1
    fi
    grep -q "Journal t.csv.journal" err
    cmp kept t.csv.journal
done
if "$bin" "${study[@]}" --resume 2>err; then
    exit 1
fi
grep -q -- "--resume braucht --output" err
# The journal is an output: no other may be written over it.
if "$bin" "${study[@]}" --output t.csv --summary t.csv.journal --resume 2>err; then
    exit 1
fi
grep -q "dieselbe Datei" err
cmp kept t.csv.journal
