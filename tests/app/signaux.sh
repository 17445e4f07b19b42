#!/usr/bin/env bash
# The real game, without a display, told to end by TERM, HUP or INT at
# moments of its start-up and on the roster: it must end within a second
# every time, whatever it was doing (three seconds are allowed, for a machine
# busy with other work; a game that lost the request runs on for ever).
set -u
# Job control, so that the game is not started with INT ignored.
set -m
game="$1"
datas="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$game" "$work/zibelou-malice"
mkdir "$work/datas"
for f in "$datas"/*; do
    [ "$(basename "$f")" = 4.bin ] || ln -s "$f" "$work/datas/"
done
export QT_QPA_PLATFORM=offscreen
failures=0
runs=0
for signal in TERM HUP INT; do
    for delay in 0.05 0.12 0.2 0.35 0.6 1.5; do
        runs=$((runs + 1))
        "$work/zibelou-malice" >/dev/null 2>&1 &
        pid=$!
        sleep "$delay"
        kill -s "$signal" "$pid" 2>/dev/null
        ended=no
        for _ in $(seq 1 60); do
            if ! kill -0 "$pid" 2>/dev/null; then
                ended=yes
                break
            fi
            sleep 0.05
        done
        if [ "$ended" = no ]; then
            echo "FAIL: $signal after ${delay} s: still running three seconds later"
            kill -9 "$pid" 2>/dev/null
            failures=$((failures + 1))
        fi
        wait "$pid" 2>/dev/null
        if [ -e "$work/datas/4.bin" ]; then
            echo "FAIL: $signal after ${delay} s: a save was written before any player was chosen"
            rm -f "$work/datas/4.bin"
            failures=$((failures + 1))
        fi
    done
done
echo "$((runs - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
