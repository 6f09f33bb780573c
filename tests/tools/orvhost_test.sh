#!/bin/sh
# Runs orvhost as a user or a script would and checks what it prints, its
# exit status and the files it writes.
#   orvhost_test.sh CASE
# Environment: ORVHOST, WAV_CHECK (the test's WAV reader), SMF_WRITE (writes
# MIDI files from text), PROBE (the host probe plug-in), WORK (a scratch
# folder), ORV_PLUGIN (our plug-in, optional), AMSYNTH (a third-party
# instrument, optional). Exit 0 pass, 1 fail, 77 skip.

CASE=$1
DIR="$WORK/$CASE"
rm -rf "$DIR" && mkdir -p "$DIR/home" || exit 1
# Plug-ins read and write settings in the user's folders: give them empty
# ones, so that the tests neither depend on nor change the user's own.
export HOME="$DIR/home" XDG_CONFIG_HOME="$DIR/home/.config"
OUT="$DIR/stdout"
ERR="$DIR/stderr"
FAILED=0
CHECKS=0

# run COMMAND...: runs it with stdin closed, keeping stdout, stderr and status.
run() {
    "$@" >"$OUT" 2>"$ERR" </dev/null
    RC=$?
    LAST="$*"
}

fail() {
    FAILED=$((FAILED + 1))
    echo "not ok: $1"
    echo "  command: $LAST (exit $RC)"
    sed 's/^/  stdout: /' "$OUT" | head -20
    sed 's/^/  stderr: /' "$ERR" | head -20
}

check() {  # check DESCRIPTION TEST...
    description=$1
    shift
    CHECKS=$((CHECKS + 1))
    "$@" || fail "$description"
}

status_is() { [ "$RC" -eq "$1" ]; }
stdout_has() { grep -q -e "$1" "$OUT"; }
stderr_has() { grep -q -e "$1" "$ERR"; }
stdout_empty() { [ ! -s "$OUT" ]; }
stderr_empty() { [ ! -s "$ERR" ]; }
absent() { [ ! -e "$1" ]; }

# usage_error DESCRIPTION ARGS...: orvhost must refuse with status 2, say why
# on stderr and write nothing.
usage_error() {
    description=$1
    shift
    run "$ORVHOST" "$@"
    check "$description: exit 2" status_is 2
    check "$description: reason on stderr" stderr_has "orvhost"
    check "$description: hint on stderr" stderr_has "--help"
    check "$description: nothing on stdout" stdout_empty
}

# wav_facts FILE: the WAV's facts, as "key value" lines, into $DIR/facts.
wav_facts() {
    "$WAV_CHECK" "$1" >"$DIR/facts" 2>>"$ERR"
}
fact_is() { grep -q -x -e "$1" "$DIR/facts"; }

# probe_run ARGS...: runs orvhost with the probe's observation log in $LOG
# (emptied first).
LOG="$DIR/probe.log"
probe_run() {
    : >"$LOG"
    run env ORVHOST_PROBE_LOG="$LOG" "$ORVHOST" "$@"
}
log_has() { grep -q -x -e "$1" "$LOG"; }
# The events the probe received, one "FRAME STATUS DATA1 DATA2" line each.
events_to() { grep '^event ' "$LOG" | cut -d' ' -f2- >"$1"; }
log_count() { grep -c -e "$1" "$LOG"; }

# failure DESCRIPTION PATTERN ARGS...: orvhost must fail with status 1,
# naming the problem (PATTERN) on stderr and writing nothing to stdout.
failure() {
    description=$1
    pattern=$2
    shift 2
    run "$ORVHOST" "$@"
    check "$description: exit 1" status_is 1
    check "$description: says why" stderr_has "$pattern"
    check "$description: nothing on stdout" stdout_empty
}

# A MIDI file with tempo changes in its first track and the notes in the
# second, at 480 ticks per quarter: 120 BPM, 60 BPM from quarter 2 (1.0 s),
# 240 BPM from quarter 4 (3.0 s); it ends at quarter 8 (4.0 s).
write_tempo_song() {
    "$SMF_WRITE" "$1" <<'EOF'
header 1 2 480
track
0 ff 58 04 03 02 18 08     # 3/4
0 ff 51 03 07 a1 20        # 500000 us per quarter
960 ff 51 03 0f 42 40      # 1000000
960 ff 51 03 03 d0 90      # 250000
1920 ff 2f 00
track
0 90 3c 64                 # 0.0 s
480 80 3c 40               # 0.5 s
0 b0 40 7f
480 90 3e 50               # 1.0 s
480 3e 00                  # 2.0 s, running status
480 e0 00 40               # 3.0 s
480 c0 05                  # 3.25 s
0 f0 03 7e 7f f7           # system exclusive: skipped
0 ff 01 03 61 62 63        # text
480 d0 40                  # 3.5 s
0 ff 2f 00
EOF
}
# Where those events belong at 44100 Hz.
TEMPO_SONG_EVENTS="0 90 60 100
22050 80 60 64
22050 b0 64 127
44100 90 62 80
88200 90 62 0
132300 e0 0 64
143325 c0 5 0
154350 d0 64 0"

finish() {
    echo "$CASE: $((CHECKS - FAILED)) passed, $FAILED failed"
    [ "$FAILED" -eq 0 ]
    exit $?
}

case "$CASE" in

cli)
    for help in --help -h help; do
        run "$ORVHOST" $help
        check "$help: exit 0" status_is 0
        check "$help: usage on stdout" stdout_has "^usage: orvhost info PLUGIN"
        check "$help: lists render" stdout_has "render PLUGIN -o FILE"
        check "$help: lists the preset commands" stdout_has "orvhost save PLUGIN FILE"
        check "$help: nothing on stderr" stderr_empty
    done
    run "$ORVHOST" render --help
    check "render --help: exit 0" status_is 0
    check "render --help: names its options" stdout_has "--rate R"
    check "render --help: names the state options" stdout_has "--program P"
    check "render --help: nothing on stderr" stderr_empty
    run "$ORVHOST" info "$PROBE" --help
    check "help wins over the work: exit 0" status_is 0
    check "help wins over the work: help text" stdout_has "^usage: orvhost info PLUGIN"
    run "$ORVHOST" --version
    check "--version: exit 0" status_is 0
    check "--version: prints a version" stdout_has "^orvhost [0-9][0-9]*\.[0-9][0-9]*\.[0-9][0-9]*$"

    usage_error "no arguments"
    usage_error "unknown command" frobnicate
    usage_error "unknown global option" --frobnicate
    usage_error "info without a plug-in" info
    usage_error "info with two plug-ins" info "$PROBE" "$PROBE"
    usage_error "info with an unknown option" info "$PROBE" --rate 48000

    cd "$DIR" || exit 1
    usage_error "render without -o" render "$PROBE"
    usage_error "render with an empty -o" render "$PROBE" -o ""
    usage_error "render without a plug-in" render -o out.wav
    usage_error "render with -o lacking its value" render "$PROBE" -o
    usage_error "rate below 8000" render "$PROBE" -o out.wav --rate 7999
    usage_error "rate above 384000" render "$PROBE" -o out.wav --rate 384001
    usage_error "rate with a unit" render "$PROBE" -o out.wav --rate 44.1k
    usage_error "rate far too large" render "$PROBE" -o out.wav --rate 99999999999999999999999
    usage_error "block 0" render "$PROBE" -o out.wav --block 0
    usage_error "block above 65536" render "$PROBE" -o out.wav --block 65537
    usage_error "fractional block" render "$PROBE" -o out.wav --block 1.5
    usage_error "negative block" render "$PROBE" -o out.wav --block=-512
    usage_error "zero seconds" render "$PROBE" -o out.wav --seconds 0
    usage_error "negative seconds" render "$PROBE" -o out.wav --seconds=-1
    usage_error "seconds not a number" render "$PROBE" -o out.wav --seconds abc
    usage_error "seconds NaN" render "$PROBE" -o out.wav --seconds nan
    usage_error "seconds infinite" render "$PROBE" -o out.wav --seconds inf
    usage_error "more than an hour" render "$PROBE" -o out.wav --seconds 3601
    usage_error "shorter than one frame" render "$PROBE" -o out.wav --seconds 0.00001
    usage_error "unknown render option" render "$PROBE" -o out.wav --frobnicate
    usage_error "a flag given a value" render "$PROBE" -o out.wav --quiet=yes
    usage_error "quiet and verbose" render "$PROBE" -o out.wav -q -v
    check "no file is written on a usage error" absent "$DIR/out.wav"

    run "$ORVHOST" render "$PROBE" -o "$DIR/edge.wav" --rate 8000 --block 1 --seconds 0.01
    check "smallest rate and block: exit 0" status_is 0
    wav_facts "$DIR/edge.wav"
    check "smallest rate and block: 80 frames" fact_is "frames 80"
    run "$ORVHOST" render "$PROBE" --output="$DIR/edge2.wav" --rate=384000 --block=65536 --seconds=0.5
    check "largest rate and block, --opt=value forms: exit 0" status_is 0
    wav_facts "$DIR/edge2.wav"
    check "largest rate and block: 192000 frames" fact_is "frames 192000"
    check "largest rate and block: rate" fact_is "rate 384000"
    finish
    ;;

load_failures)
    run "$ORVHOST" info "$DIR/missing.so"
    check "missing plug-in: exit 1" status_is 1
    check "missing plug-in: names the file" stderr_has "missing.so"
    check "missing plug-in: nothing on stdout" stdout_empty

    run "$ORVHOST" render "$DIR/missing.so" -o "$DIR/out.wav"
    check "render of a missing plug-in: exit 1" status_is 1
    check "render of a missing plug-in: names the file" stderr_has "missing.so"
    check "render of a missing plug-in: no output file" absent "$DIR/out.wav"

    echo "not a plug-in" >"$DIR/text.so"
    run "$ORVHOST" info "$DIR/text.so"
    check "a text file: exit 1" status_is 1
    check "a text file: names the file" stderr_has "text.so"

    run "$ORVHOST" info "$DIR"
    check "a folder: exit 1" status_is 1
    check "a folder: says so" stderr_has "directory"

    run "$ORVHOST" info "$WAV_CHECK"
    check "an executable without a VST entry: exit 1" status_is 1
    check "an executable without a VST entry: has a reason" stderr_has "orvhost: "

    run "$ORVHOST" render "$PROBE" -o "$DIR/no/such/folder/out.wav" --seconds 0.1
    check "unwritable output: exit 1" status_is 1
    check "unwritable output: names the file" stderr_has "no/such/folder/out.wav"

    if [ -w /dev/full ]; then
        run "$ORVHOST" render "$PROBE" -o /dev/full --seconds 0.1
        check "a full disk: exit 1" status_is 1
        check "a full disk: says so" stderr_has "cannot write /dev/full"
    fi
    finish
    ;;

probe_protocol)
    # The probe plug-in checks the host's calls and answers and writes its
    # verdict into output 2; output 1 counts the notes it received.
    probe_run render "$PROBE" -o "$DIR/probe.wav"
    check "render: exit 0" status_is 0
    check "render: quiet on a non-terminal" stderr_empty
    check "render: nothing on stdout" stdout_empty
    wav_facts "$DIR/probe.wav"
    check "default length: the 8 s phrase and 2 s of tail" fact_is "frames 441000"
    check "default rate" fact_is "rate 44100"
    check "one channel per plug-in output" fact_is "channels 2"
    check "32-bit float WAV" fact_is "format float32"
    check "WAV container" fact_is "container wav"
    check "the host followed the protocol throughout" fact_is "channel 1 min 0.5 max 0.5 sum 220500 first 0"
    # 42 note-ons count 1 each, 42 note-offs 1/16 each: every note exactly once.
    check "every demo note arrived once" grep -q -e "^channel 0 min 0 max [0-9.]* sum 44.625 first 0$" "$DIR/facts"
    check "the phrase uses the sustain pedal" test "$(log_count '^event [0-9]* b0 64 ')" -ge 8
    check "the phrase moves the mod wheel" test "$(log_count '^event [0-9]* b0 1 ')" -ge 10
    check "the phrase bends to the top" log_has "event [0-9]* e0 127 127"
    check "the bend returns to the centre" test "$(grep '^event [0-9]* e0 ' "$LOG" | tail -n 1 | cut -d' ' -f4-)" = "0 64"
    check "the pedal is up at the end" test "$(grep '^event [0-9]* b0 64 ' "$LOG" | tail -n 1 | cut -d' ' -f5)" = "0"
    check "the transport reports 120 BPM in 4/4" log_has "time 0 0.000000 120.000000 4/4 0.000000"
    check "ppq position follows the frames" log_has "time 88064 3.993832 120.000000 4/4 0.000000"

    run "$ORVHOST" render "$PROBE" -o "$DIR/again.wav"
    check "a second render: exit 0" status_is 0
    check "the same render gives the same file" cmp -s "$DIR/probe.wav" "$DIR/again.wav"

    probe_run render "$PROBE" -o "$DIR/short.wav" --rate 48000 --seconds 1.5 --block 300
    wav_facts "$DIR/short.wav"
    check "1.5 s at 48000 Hz" fact_is "frames 72000"
    check "rate 48000" fact_is "rate 48000"
    check "protocol holds at 48000 Hz" grep -q -e "^channel 1 min 0.5 max 0.5 " "$DIR/facts"
    # The chord's keys are released exactly at the end (beat 3 = 1.5 s) and
    # must not be delivered.
    check "events before the end are sent" log_has "event 36000 90 79 96"
    check "only events inside the render are sent" test "$(log_count '^event 72000 ')" -eq 0

    run "$ORVHOST" render "$PROBE" -o "$DIR/verbose.wav" --seconds 1 -v
    check "verbose: exit 0" status_is 0
    check "verbose: reports the file" stderr_has "wrote $DIR/verbose.wav: 44100 frames, 2 channels, 44100 Hz"
    check "verbose: progress even on a non-terminal" stderr_has "rendering 100%"
    check "verbose: nothing on stdout" stdout_empty

    run "$ORVHOST" info "$PROBE"
    check "info on the probe: exit 0" status_is 0
    check "info on the probe: its name" stdout_has "^name: *Host Probe$"
    check "info on the probe: id as text and number" stdout_has "^unique id: *OhPr (1332236402)$"
    check "info on the probe: category" stdout_has "^category: *instrument (2)$"
    check "info on the probe: empty vendor marked" stdout_has "^vendor: *(empty)$"
    finish
    ;;

probe_timing)
    # Each event must land on its own frame whatever the block size: renders
    # with odd, tiny and huge blocks hold exactly the same samples.
    run "$ORVHOST" render "$PROBE" -o "$DIR/512.wav"
    check "block 512: exit 0" status_is 0
    for block in 1 7 333 4096 65536; do
        run "$ORVHOST" render "$PROBE" -o "$DIR/$block.wav" --block $block
        check "block $block: exit 0" status_is 0
        check "block $block: same events on the same frames as block 512" \
            "$WAV_CHECK" --same "$DIR/512.wav" "$DIR/$block.wav"
    done
    finish
    ;;

probe_params)
    # What params and programs show, and how --program and --set find their
    # target, on the probe: parameters Gain (dB), Tone, Mode; programs Init,
    # Bright Pad, bright pad, Dark Keys; program p, parameter i starts at
    # (3p + i + 1) / 16.
    run "$ORVHOST" params "$PROBE"
    check "params: exit 0" status_is 0
    check "params: a header" stdout_has "^index  name  label  display  *value$"
    check "params: name, label, display and value" stdout_has "^ *0  Gain  dB  *0\.062  *0\.062500$"
    check "params: an empty label" stdout_has "^ *2  Mode  *0\.188  *0\.187500$"
    check "params: one line per parameter" test "$(wc -l <"$OUT")" -eq 4
    check "params: nothing on stderr" stderr_empty

    run "$ORVHOST" programs "$PROBE"
    check "programs: exit 0" status_is 0
    check "programs: the current one marked" stdout_has "^\* *0  Init$"
    check "programs: names by index" stdout_has "^ *3  Dark Keys$"
    check "programs: one line per program" test "$(wc -l <"$OUT")" -eq 5

    run "$ORVHOST" programs "$PROBE" --program 3
    check "--program N: becomes current" stdout_has "^\* *3  Dark Keys$"
    run "$ORVHOST" programs "$PROBE" --program "Dark Keys"
    check "--program NAME: exact name" stdout_has "^\* *3  Dark Keys$"
    run "$ORVHOST" programs "$PROBE" --program "dark keys"
    check "--program NAME: any case when only one matches" stdout_has "^\* *3  Dark Keys$"
    run "$ORVHOST" programs "$PROBE" --program "bright pad"
    check "--program NAME: an exact match wins over one in another case" stdout_has "^\* *2  bright pad$"
    usage_error "--program NAME matching two names in other cases" params "$PROBE" --program "BRIGHT PAD"
    check "ambiguous name: lists both" stderr_has '1 "Bright Pad", 2 "bright pad"'
    usage_error "--program NAME matching none" params "$PROBE" --program "Dark"
    check "unknown name: suggests near matches" stderr_has 'near matches: 3 "Dark Keys"'
    usage_error "--program beyond the last" params "$PROBE" --program 4
    check "program beyond the last: gives the range" stderr_has "programs 0\.\.3"
    usage_error "--program negative" params "$PROBE" --program -1

    probe_run params "$PROBE" --program 1 --set 0=1 --set 2=0.25 --set 0=0.5
    check "--set: exit 0" status_is 0
    check "--set: after the program, in order" stdout_has "^ *0  Gain  dB  *0\.500  *0\.500000$"
    check "--set: other values of that program stay" stdout_has "^ *1  Tone  *0\.312  *0\.312500$"
    check "--set: each given value reaches the plug-in" stdout_has "^ *2  Mode  *0\.250  *0\.250000$"
    check "--set: the program is chosen first" test "$(head -n 1 "$LOG")" = "program 1"
    usage_error "--set beyond the last parameter" params "$PROBE" --set 3=0.5
    usage_error "--set above 1" params "$PROBE" --set 0=1.5
    usage_error "--set below 0" params "$PROBE" --set 0=-0.1
    usage_error "--set without =" params "$PROBE" --set 0
    usage_error "--set with a name" params "$PROBE" --set Gain=0.5
    usage_error "--set with NaN" params "$PROBE" --set 0=nan
    usage_error "params without a plug-in" params
    usage_error "programs with two plug-ins" programs "$PROBE" "$PROBE"
    finish
    ;;

probe_state)
    # Preset files of a plug-in without chunks: its parameter values program
    # by program, read back into a fresh instance.
    mkdir -p "$DIR/files" && cd "$DIR/files" || exit 1
    run "$ORVHOST" save "$PROBE" bank.fxb --program 2 --set 1=0.75
    check "save a bank: exit 0" status_is 0
    check "save a bank: quiet" stderr_empty
    check "a bank of parameter lists" test "$(head -c 12 bank.fxb | tail -c 4)" = "FxBk"
    check "bank size: header and four records of three values" test "$(wc -c <bank.fxb)" -eq $((156 + 4 * 68))
    check "no temporary files are left" test "$(ls | wc -l)" -eq 1

    probe_run params "$PROBE" --load bank.fxb
    check "load a bank: exit 0" status_is 0
    check "load a bank: the saved value" stdout_has "^ *1  Tone  *0\.750  *0\.750000$"
    check "load a bank: the saved current program" stdout_has "^ *0  Gain  dB  *0\.438  *0\.437500$"
    check "load a bank: every program is set" test "$(log_count '^program ')" -eq 5
    run "$ORVHOST" save "$PROBE" again.fxb --load bank.fxb
    check "a loaded bank saves to the same file" cmp -s bank.fxb again.fxb

    run "$ORVHOST" save "$PROBE" tone.fxp --program 3 --set 0=1
    check "save a program: exit 0" status_is 0
    check "a program of parameter values" test "$(head -c 12 tone.fxp | tail -c 4)" = "FxCk"
    probe_run programs "$PROBE" --program 1 --load tone.fxp
    check "a program file loads into the chosen program" stdout_has "^\* *1  Dark Keys$"
    check "its values reach the plug-in" log_has "param 0 1.000000"
    run "$ORVHOST" params "$PROBE" --program 1 --load tone.fxp
    check "its values are those saved" stdout_has "^ *0  Gain  dB  *1\.000  *1\.000000$"

    probe_run render "$PROBE" -o out.wav --seconds 0.1 --program "Bright Pad" --set 2=0.5 --save render.fxp
    check "render --save: exit 0" status_is 0
    check "render --save: the render still happens" test -s out.wav
    check "render --save: the health of the protocol holds" test "$("$WAV_CHECK" out.wav | grep '^channel 1' | cut -d' ' -f3-6)" = "min 0.5 max 0.5"
    run "$ORVHOST" params "$PROBE" --load render.fxp
    check "render --save: the state set up for the render" stdout_has "^ *2  Mode  *0\.500  *0\.500000$"

    usage_error "save without a file" save "$PROBE"
    usage_error "save to a name that is neither .fxp nor .fxb" save "$PROBE" state.txt
    usage_error "--save to a name that is neither .fxp nor .fxb" params "$PROBE" --save state.bin
    usage_error "save takes no --save" save "$PROBE" a.fxp --save b.fxp
    run "$ORVHOST" save "$PROBE" UPPER.FXB
    check "the extension in capitals" test "$(head -c 12 UPPER.FXB | tail -c 4)" = "FxBk"
    failure "save into a missing folder" "no/such/folder/x.fxb" save "$PROBE" no/such/folder/x.fxb
    failure "load a missing file" "cannot read missing.fxp: no such file" params "$PROBE" --load missing.fxp
    finish
    ;;

preset_file_errors)
    # Damaged and foreign files are refused with a reason, status 1, and
    # nothing reaches the plug-in.
    cd "$DIR" || exit 1
    run "$ORVHOST" save "$PROBE" bank.fxb
    run "$ORVHOST" save "$PROBE" program.fxp
    size=$(wc -c <bank.fxb)
    for length in 0 4 8 11 12 40 155 156 200 $((size - 1)); do
        head -c "$length" bank.fxb >cut.fxb
        probe_run params "$PROBE" --load cut.fxb
        check "bank cut to $length bytes: exit 1" status_is 1
        check "bank cut to $length bytes: says why" stderr_has "cannot load cut.fxb: \(truncated\|not a VST preset file\)"
        check "bank cut to $length bytes: the plug-in is untouched" test ! -s "$LOG"
    done
    for length in 55 56 67; do
        head -c "$length" program.fxp >cut.fxp
        failure "program cut to $length bytes" "cannot load cut.fxp: truncated" params "$PROBE" --load cut.fxp
    done

    { printf 'CcnK\0\0\0\0FxZz'; head -c 100 /dev/zero; } >kind.fxp
    failure "an unknown kind" "unknown kind of preset file 'FxZz'" params "$PROBE" --load kind.fxp
    printf 'RIFF....WAVEfmt ' >wave.fxp
    failure "not a preset file" "not a VST preset file" params "$PROBE" --load wave.fxp
    { head -c 16 program.fxp; printf 'ABCD'; tail -c +21 program.fxp; } >foreign.fxp
    failure "a file of another plug-in" "it is for the plug-in with id 'ABCD' (1094861636), not for this one with id 'OhPr'" \
        params "$PROBE" --load foreign.fxp
    # A program count far beyond the data must not be trusted.
    { head -c 24 bank.fxb; printf '\177\377\377\377'; tail -c +29 bank.fxb; } >many.fxb
    failure "a bank claiming 2^31 programs" "claims 2147483647 programs" params "$PROBE" --load many.fxb
    { head -c 24 program.fxp; printf '\0\0\0\4'; tail -c +29 program.fxp; } >extra.fxp
    failure "a program claiming more values than it holds" "truncated: the file claims 4 parameter values" \
        params "$PROBE" --load extra.fxp
    { head -c 56 program.fxp; printf '\177\300\0\0'; tail -c +61 program.fxp; } >nan.fxp
    failure "a value that is not a number" "the value of parameter 0 is not a number" params "$PROBE" --load nan.fxp
    { head -c 12 program.fxp; printf '\0\0\0\2'; tail -c +17 program.fxp; } >version.fxp
    failure "an unknown program file version" "unsupported program file version 2" params "$PROBE" --load version.fxp
    { head -c 156 bank.fxb; printf 'CcnK\0\0\0\0FxBk'; tail -c +169 bank.fxb; } >record.fxb
    failure "a bank with a damaged record" "corrupt program 0" params "$PROBE" --load record.fxb
    { printf 'CcnK\0\0\0\0FPCh\0\0\0\1OhPr\0\0\0\1\0\0\0\3'; head -c 28 /dev/zero; printf '\0\0\0\4abcd'; } >chunk.fxp
    failure "a chunk for a plug-in without chunks" "does not take chunks" params "$PROBE" --load chunk.fxp
    { printf 'CcnK\0\0\0\0FPCh\0\0\0\1OhPr\0\0\0\1\0\0\0\3'; head -c 28 /dev/zero; printf '\177\0\0\0abcd'; } >big.fxp
    failure "a chunk size beyond the file" "claims 2130706432 bytes of state" params "$PROBE" --load big.fxp
    finish
    ;;

midi_timing)
    # Every message of a MIDI file reaches the plug-in on its frame under the
    # file's tempo map, whatever the block size; the transport follows the map.
    cd "$DIR" || exit 1
    write_tempo_song song.mid
    printf '%s\n' "$TEMPO_SONG_EVENTS" >expected
    probe_run render "$PROBE" --midi song.mid -o song.wav --block 22050
    check "render: exit 0" status_is 0
    events_to got
    check "events on the frames of the tempo map" cmp -s expected got
    wav_facts song.wav
    check "length: the song and 2 s of tail" fact_is "frames 264600"
    check "the protocol held" grep -q -e "^channel 1 min 0.5 max 0.5 " "$DIR/facts"
    check "transport at the start" log_has "time 0 0.000000 120.000000 3/4 0.000000"
    check "transport after the first change" log_has "time 66150 2.500000 60.000000 3/4 0.000000"
    check "transport after the second change" log_has "time 154350 6.000000 240.000000 3/4 6.000000"
    check "bars of 3/4" log_has "time 88200 3.000000 60.000000 3/4 3.000000"
    for block in 1 7 441 1000 65536; do
        probe_run render "$PROBE" --midi song.mid -o "block$block.wav" --block $block
        events_to got
        check "block $block: the same frames" cmp -s expected got
    done

    probe_run render "$PROBE" --midi song.mid -o short.wav --seconds 3.2
    wav_facts short.wav
    check "--seconds wins over the song's length" fact_is "frames 141120"
    events_to got
    printf '%s\n' "$TEMPO_SONG_EVENTS" | head -n 6 >expected6
    check "--seconds: only the events before the end" cmp -s expected6 got

    # The same music as format 0: one track holding tempo and notes.
    "$SMF_WRITE" single.mid <<'EOF'
header 0 1 480
track
0 ff 51 03 07 a1 20
0 90 3c 64
480 80 3c 40
0 b0 40 7f
480 ff 51 03 0f 42 40
0 90 3e 50
480 3e 00
EOF
    probe_run render "$PROBE" --midi single.mid -o single.wav
    check "format 0: exit 0" status_is 0
    events_to got
    printf '%s\n' "$TEMPO_SONG_EVENTS" | head -n 5 >expected5
    check "format 0: the same frames" cmp -s expected5 got
    wav_facts single.wav
    check "format 0: the length of its track and the tail" fact_is "frames 176400"
    finish
    ;;

midi_errors)
    # Broken MIDI files are refused with a reason, status 1, before any
    # audio file is written.
    cd "$DIR" || exit 1
    write_tempo_song song.mid
    size=$(wc -c <song.mid)
    for length in 0 3 13 14 30 $((size - 1)); do
        head -c "$length" song.mid >cut.mid
        failure "MIDI file cut to $length bytes" "cannot \(play\|read\) cut.mid" \
            render "$PROBE" --midi cut.mid -o cut.wav
        check "MIDI file cut to $length bytes: no audio file" absent cut.wav
    done
    printf 'header 1 1 0xe728\ntrack\n0 90 3c 64\n' | "$SMF_WRITE" smpte.mid
    failure "SMPTE time" "SMPTE" render "$PROBE" --midi smpte.mid -o x.wav
    printf 'header 2 1 96\ntrack\n0 90 3c 64\n' | "$SMF_WRITE" format2.mid
    failure "format 2" "format 2" render "$PROBE" --midi format2.mid -o x.wav
    printf 'header 0 1 0\ntrack\n0 90 3c 64\n' | "$SMF_WRITE" zero.mid
    failure "0 ticks per quarter" "0 ticks per quarter" render "$PROBE" --midi zero.mid -o x.wav
    printf 'header 0 1 96\ntrack\nbytes 80 80 80 80 00 90 3c 64\n' | "$SMF_WRITE" long.mid
    failure "a delta time of five bytes" "longer than four bytes" render "$PROBE" --midi long.mid -o x.wav
    printf 'header 0 1 96\ntrack\n0 3c 64\n' | "$SMF_WRITE" nostatus.mid
    failure "data without a status" "without a status byte" render "$PROBE" --midi nostatus.mid -o x.wav
    printf 'header 0 1 96\ntrack\n0 90 3c 64\n0 ff 01 03 61 62 63\n0 3c 00\n' | "$SMF_WRITE" running.mid
    failure "running status after a meta event" "without a status byte" render "$PROBE" --midi running.mid -o x.wav
    printf 'header 0 1 96\ntrack\n0 90 3c 94\n' | "$SMF_WRITE" data.mid
    failure "a status byte as data" "where a data byte belongs" render "$PROBE" --midi data.mid -o x.wav
    printf 'header 0 1 96\ntrack\n0 f4\n' | "$SMF_WRITE" system.mid
    failure "a system common message" "0xf4 does not belong" render "$PROBE" --midi system.mid -o x.wav
    printf 'header 0 1 96\ntrack\n0 ff 01 7f 61\n' | "$SMF_WRITE" meta.mid
    failure "a meta event longer than its track" "cut short" render "$PROBE" --midi meta.mid -o x.wav
    printf 'header 1 3 96\ntrack\n0 90 3c 64\n' | "$SMF_WRITE" tracks.mid
    failure "fewer tracks than announced" "announces 3 tracks, the file holds 1" render "$PROBE" --midi tracks.mid -o x.wav
    printf 'MThd\0\0\0\6\0\0\0\1\0\140MTrk\177\377\377\377\0\220\074\144' >length.mid
    failure "a track length beyond the file" "track 0 is cut short: it claims 2147483647 bytes" \
        render "$PROBE" --midi length.mid -o x.wav
    printf 'RIFF....WAVEfmt ' >wave.mid
    failure "not a MIDI file" "not a Standard MIDI File" render "$PROBE" --midi wave.mid -o x.wav
    failure "a missing MIDI file" "cannot read missing.mid: no such file" render "$PROBE" --midi missing.mid -o x.wav
    # Ten hours of silence: too long to render unless asked for a part.
    printf 'header 0 1 1\ntrack\n0 ff 51 03 ff ff ff\n2200 90 3c 64\n' | "$SMF_WRITE" hours.mid
    usage_error "a song longer than an hour" render "$PROBE" --midi hours.mid -o x.wav
    run "$ORVHOST" render "$PROBE" --midi hours.mid -o part.wav --seconds 1
    check "a part of a long song: exit 0" status_is 0
    check "no audio file after a refused MIDI file" absent x.wav
    finish
    ;;

orv_info)
    [ -n "$ORV_PLUGIN" ] || exit 77
    run "$ORVHOST" info "$ORV_PLUGIN"
    check "exit 0" status_is 0
    check "name" stdout_has "^name: *ORV$"
    check "vendor" stdout_has "^vendor: *Tarnwick$"
    check "product is empty" stdout_has "^product: *(empty)$"
    check "unique id" stdout_has "^unique id: *ORV1 (1330796081)$"
    check "version" stdout_has "^version: *20000$"
    check "vendor version" stdout_has "^vendor version: *20000$"
    check "VST version" stdout_has "^VST version: *2400$"
    check "category" stdout_has "^category: *instrument (2)$"
    check "flags" stdout_has "^flags: *0x0000113[01] .*CanReplacing ProgramChunks IsSynth CanDoubleReplacing$"
    check "no inputs" stdout_has "^inputs: *0$"
    check "two outputs" stdout_has "^outputs: *2$"
    check "12 parameters" stdout_has "^parameters: *12$"
    check "64 programs" stdout_has "^programs: *64$"
    check "takes MIDI" stdout_has "^  receiveVstMidiEvent *yes$"
    check "takes time info" stdout_has "^  receiveVstTimeInfo *yes$"
    check "unknown questions" stdout_has "^  bypass *don't know$"
    finish
    ;;

orv_render)
    [ -n "$ORV_PLUGIN" ] || exit 77
    run "$ORVHOST" render "$ORV_PLUGIN" -o "$DIR/orv.wav"
    check "default render: exit 0" status_is 0
    wav_facts "$DIR/orv.wav"
    check "default render: the phrase and its tail" fact_is "frames 441000"
    check "default render: 44100 Hz" fact_is "rate 44100"
    check "default render: stereo" fact_is "channels 2"
    check "default render: float" fact_is "format float32"
    check "default render: the phrase sounds" \
        awk '$1 == "channel" && ($5 > 0.01 || $3 < -0.01) { found = 1 } END { exit !found }' "$DIR/facts"
    run "$ORVHOST" render "$ORV_PLUGIN" -o "$DIR/orv48.wav" --rate 48000 --seconds 0.5 --block 333
    check "48 kHz render: exit 0" status_is 0
    wav_facts "$DIR/orv48.wav"
    check "48 kHz render: 0.5 s" fact_is "frames 24000"
    check "48 kHz render: rate" fact_is "rate 48000"
    finish
    ;;

orv_params)
    [ -n "$ORV_PLUGIN" ] || exit 77
    run "$ORVHOST" params "$ORV_PLUGIN"
    check "exit 0" status_is 0
    check "12 parameters" test "$(wc -l <"$OUT")" -eq 13
    check "the reserved parameter is named so" stdout_has "^ *7  Reserved  *0  *0\.000000$"
    # The factory bank's Init programs hold every parameter's default.
    run "$ORVHOST" params "$ORV_PLUGIN" --program 48
    check "Init: exit 0" status_is 0
    check "Volume at -6 dB" stdout_has "^ *0  Volume  *-6\.0  *0\.500000$"
    check "Variation X at 0" stdout_has "^ *1  Variation X  *0  *0\.500000$"
    check "Variation Y at 0" stdout_has "^ *2  Variation Y  *0  *0\.500000$"
    check "Vivid" stdout_has "^ *3  Vivid  *0\.0000  *0\.000000$"
    check "Air" stdout_has "^ *4  Air  *0\.0000  *0\.000000$"
    check "Release" stdout_has "^ *5  Release  *0\.2000  *0\.200000$"
    check "Envelope" stdout_has "^ *6  Envelope  *0\.3000  *0\.300000$"
    check "Variation X2" stdout_has "^ *8  Variation X2  *0  *0\.500000$"
    check "Variation Y2" stdout_has "^ *9  Variation Y2  *0  *0\.500000$"
    check "Morph Mode off" stdout_has "^ *10  Morph Mode  *Off  *0\.000000$"
    check "Morph Rate" stdout_has "^ *11  Morph Rate  *0\.300  *0\.300000$"
    run "$ORVHOST" params "$ORV_PLUGIN" --set 10=0.6667 --set 1=0.25 --set 0=0
    check "Morph Mode set to its third value" stdout_has "^ *10  Morph Mode  *One Shot  *0\.666667$"
    check "Variation X set to -50 %" stdout_has "^ *1  Variation X  *-50  *0\.250000$"
    check "Volume set to silence" stdout_has "^ *0  Volume  *-oo  *0\.000000$"

    run "$ORVHOST" programs "$ORV_PLUGIN"
    check "programs: exit 0" status_is 0
    check "64 programs" test "$(wc -l <"$OUT")" -eq 65
    check "the first is current" stdout_has "^\* *0  "
    run "$ORVHOST" programs "$ORV_PLUGIN" --program 63
    check "the last can be chosen" stdout_has "^\* *63  "
    run "$ORVHOST" programs "$ORV_PLUGIN" --program "string ensemble"
    check "a factory program by name" stdout_has "^\* *3  String Ensemble$"
    usage_error "a name many programs share" programs "$ORV_PLUGIN" --program Init
    check "a name many programs share: the first ones and a count" \
        stderr_has '48 "Init", 49 "Init", .* and 8 more; give the index instead'
    finish
    ;;

orv_state)
    # ORV keeps its state as chunks: orvhost stores them in FBCh/FPCh files
    # and hands them back unchanged.
    [ -n "$ORV_PLUGIN" ] || exit 77
    cd "$DIR" || exit 1
    run "$ORVHOST" save "$ORV_PLUGIN" bank.fxb --program 50 --set 0=0.8 --set 3=0.25
    check "save a bank: exit 0" status_is 0
    check "a bank chunk" test "$(head -c 12 bank.fxb | tail -c 4)" = "FBCh"
    check "the chunk is ORV's own" test "$(head -c 164 bank.fxb | tail -c 4)" = "tffp"
    run "$ORVHOST" params "$ORV_PLUGIN" --load bank.fxb
    check "load the bank: exit 0" status_is 0
    check "the set volume comes back" stdout_has "^ *0  Volume  *-1\.9  *0\.800000$"
    check "the set Vivid comes back" stdout_has "^ *3  Vivid  *0\.2500  *0\.250000$"
    run "$ORVHOST" programs "$ORV_PLUGIN" --load bank.fxb
    check "the bank's current program comes back" stdout_has "^\* *50  Init$"
    run "$ORVHOST" save "$ORV_PLUGIN" again.fxb --load bank.fxb
    check "a loaded bank saves to the same file" cmp -s bank.fxb again.fxb
    run "$ORVHOST" params "$ORV_PLUGIN" --load bank.fxb --program 49
    check "other programs keep their values" stdout_has "^ *0  Volume  *-6\.0  *0\.500000$"

    run "$ORVHOST" save "$ORV_PLUGIN" one.fxp --set 11=1
    check "save a program: exit 0" status_is 0
    check "a program chunk" test "$(head -c 12 one.fxp | tail -c 4)" = "FPCh"
    run "$ORVHOST" params "$ORV_PLUGIN" --program 9 --load one.fxp
    check "a program file restores its values" stdout_has "^ *11  Morph Rate  *1\.000  *1\.000000$"

    run "$ORVHOST" save "$PROBE" probe.fxb
    failure "a bank of another plug-in" "it is for the plug-in with id 'OhPr' (1332236402), not for this one with id 'ORV1'" \
        params "$ORV_PLUGIN" --load probe.fxb
    { head -c 156 bank.fxb; printf '\0\0\0\12tffp\0\0\1\0\377\377'; } >broken.fxb
    failure "a chunk ORV cannot read" "refused the state" params "$ORV_PLUGIN" --load broken.fxb
    finish
    ;;

orv_snapshot)
    # The editor panel drawn without a window, as a PNG of the panel's size.
    [ -n "$ORV_PLUGIN" ] || exit 77
    cd "$DIR" || exit 1
    run "$ORVHOST" snapshot "$ORV_PLUGIN" -o panel.png --program 6 --set 1=0
    check "exit 0" status_is 0
    check "a PNG" test "$(head -c 4 panel.png | tail -c 3)" = "PNG"
    check "608 x 352" test "$(od -An -tx1 -j16 -N8 panel.png | tr -d ' \n')" = "0000026000000160"
    check "nothing left beside it" absent panel.png.partial
    run "$ORVHOST" snapshot "$ORV_PLUGIN" -o panel200.png --scale 2
    check "--scale 2: exit 0" status_is 0
    check "--scale 2: 1216 x 704" test "$(od -An -tx1 -j16 -N8 panel200.png | tr -d ' \n')" = "000004c0000002c0"
    failure "a scale the panel is not drawn at" "no panel at scale 1.1" snapshot "$ORV_PLUGIN" -o odd.png --scale 1.1
    check "no file for it" absent odd.png
    usage_error "--scale 0" snapshot "$ORV_PLUGIN" -o zero.png --scale 0
    usage_error "no output file" snapshot "$ORV_PLUGIN"
    failure "a plug-in that draws no panel" "draws no panel" snapshot "$PROBE" -o probe.png
    check "no file for it" absent probe.png
    finish
    ;;

amsynth_render)
    # A real third-party synthesizer must sound with the demo phrase. It
    # leaks a little on unload (not ours to judge in a sanitizer build).
    [ -n "$AMSYNTH" ] && [ -f "$AMSYNTH" ] || exit 77
    run env ASAN_OPTIONS=detect_leaks=0 "$ORVHOST" render "$AMSYNTH" -o "$DIR/amsynth.wav" --seconds 2
    check "exit 0" status_is 0
    wav_facts "$DIR/amsynth.wav"
    check "2 s" fact_is "frames 88200"
    check "not silent" awk '$1 == "channel" && ($5 > 0.01 || $3 < -0.01) { found = 1 } END { exit !found }' \
        "$DIR/facts"
    finish
    ;;

*)
    echo "unknown case '$CASE'"
    exit 1
    ;;
esac
