#!/bin/sh
# Runs orvhost as a user or a script would and checks what it prints, its
# exit status and the files it writes.
#   orvhost_test.sh CASE
# Environment: ORVHOST, WAV_CHECK (the test's WAV reader), PROBE (the host
# probe plug-in), WORK (a scratch folder), ORV_PLUGIN (our plug-in, optional),
# AMSYNTH (a third-party instrument, optional). Exit 0 pass, 1 fail, 77 skip.

CASE=$1
DIR="$WORK/$CASE"
rm -rf "$DIR" && mkdir -p "$DIR" || exit 1
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
        check "$help: nothing on stderr" stderr_empty
    done
    run "$ORVHOST" render --help
    check "render --help: exit 0" status_is 0
    check "render --help: names its options" stdout_has "--rate R"
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
    # verdict into output 2; output 1 counts the events it received.
    run "$ORVHOST" render "$PROBE" -o "$DIR/probe.wav"
    check "render: exit 0" status_is 0
    check "render: quiet on a non-terminal" stderr_empty
    check "render: nothing on stdout" stdout_empty
    wav_facts "$DIR/probe.wav"
    check "default length is 4 s at 44100 Hz" fact_is "frames 176400"
    check "default rate" fact_is "rate 44100"
    check "one channel per plug-in output" fact_is "channels 2"
    check "32-bit float WAV" fact_is "format float32"
    check "WAV container" fact_is "container wav"
    check "the host followed the protocol throughout" fact_is "channel 1 min 0.5 max 0.5 sum 88200 first 0"
    # 10 note-ons count 1 each, 10 note-offs 1/16 each: every event exactly once.
    # The chord starts on the very first frame.
    check "every demo event arrived once" grep -q -e "^channel 0 min 0 max 4 sum 10.625 first 0$" "$DIR/facts"

    run "$ORVHOST" render "$PROBE" -o "$DIR/again.wav"
    check "a second render: exit 0" status_is 0
    check "the same render gives the same file" cmp -s "$DIR/probe.wav" "$DIR/again.wav"

    run "$ORVHOST" render "$PROBE" -o "$DIR/short.wav" --rate 48000 --seconds 1.5 --block 300
    wav_facts "$DIR/short.wav"
    check "1.5 s at 48000 Hz" fact_is "frames 72000"
    check "rate 48000" fact_is "rate 48000"
    check "protocol holds at 48000 Hz" grep -q -e "^channel 1 min 0.5 max 0.5 " "$DIR/facts"
    # The chord's note-offs fall exactly on the end (beat 3 = 1.5 s) and must
    # not be delivered; its four note-ons must.
    check "only events inside the render are sent" grep -q -e "^channel 0 min 0 max 4 sum 4 first 0$" "$DIR/facts"

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
    check "default render: 4 s" fact_is "frames 176400"
    check "default render: 44100 Hz" fact_is "rate 44100"
    check "default render: stereo" fact_is "channels 2"
    check "default render: float" fact_is "format float32"
    run "$ORVHOST" render "$ORV_PLUGIN" -o "$DIR/orv48.wav" --rate 48000 --seconds 0.5 --block 333
    check "48 kHz render: exit 0" status_is 0
    wav_facts "$DIR/orv48.wav"
    check "48 kHz render: 0.5 s" fact_is "frames 24000"
    check "48 kHz render: rate" fact_is "rate 48000"
    finish
    ;;

amsynth_render)
    # A real third-party synthesizer must sound with the demo phrase. It
    # writes settings under HOME, and leaks a little on unload (not ours to
    # judge in a sanitizer build).
    [ -n "$AMSYNTH" ] && [ -f "$AMSYNTH" ] || exit 77
    run env HOME="$DIR" ASAN_OPTIONS=detect_leaks=0 "$ORVHOST" render "$AMSYNTH" -o "$DIR/amsynth.wav" --seconds 2
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
