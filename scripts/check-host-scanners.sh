#!/usr/bin/env bash
# Runs the plug-in scanners of two Debian hosts on a Linux VST 2 plug-in and
# checks that both see a VST instrument with the expected ports:
#   qtractor_plugin_scan (package qtractor) reads "VST:PATH" lines on stdin
#     and prints  VST|name|audio-in:audio-out|midi-in:midi-out|param-in:param-out|flags|path|index|id
#     (midi-in is 1 when the plug-in sets effFlagsIsSynth);
#   muse_plugin_scan (package muse), -t 16 = Linux VST, writes an XML file
#     with <class> (bit 2 = instrument, from effFlagsIsSynth), <inports>,
#     <outports>, <ctlInports> and <vstPluginFlags> (bit 16 = the plug-in
#     answered canDo "receiveVstMidiEvent").
# Both exit 0 whether or not the plug-in loaded, so their output is parsed.
#
# Usage: scripts/check-host-scanners.sh [--inputs N] [--outputs N] [--params N] PLUGIN.so
# Defaults: 0 inputs, 2 outputs, 12 parameters (ORV).
set -euo pipefail

want_in=0 want_out=2 want_params=12
while [ $# -gt 1 ]; do
    case $1 in
        --inputs) want_in=$2; shift 2 ;;
        --outputs) want_out=$2; shift 2 ;;
        --params) want_params=$2; shift 2 ;;
        *) break ;;
    esac
done
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "usage: $0 [--inputs N] [--outputs N] [--params N] PLUGIN.so" >&2
    exit 2
fi
plugin=$(readlink -f "$1")

qtractor_scan=""
for candidate in /usr/lib/*/qtractor/qtractor_plugin_scan /usr/lib/qtractor/qtractor_plugin_scan; do
    if [ -x "$candidate" ]; then qtractor_scan=$candidate; break; fi
done
if [ -z "$qtractor_scan" ] || ! command -v muse_plugin_scan >/dev/null; then
    echo "FAIL: qtractor_plugin_scan or muse_plugin_scan missing (scripts/install-deps.sh installs them)" >&2
    exit 1
fi

# A throw-away home: scanning must not touch the user's settings.
work=$(mktemp -d /tmp/orv-scan.XXXXXX)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
failed=0
fail() { echo "FAIL $1" >&2; failed=1; }

# --- qtractor -------------------------------------------------------------
qt_out=$(echo "VST:$plugin" | timeout 60 "$qtractor_scan" 2>"$work/qtractor.err" || true)
qt_line=$(grep -m1 '^VST|' <<<"$qt_out" || true)
if [ -z "$qt_line" ]; then
    fail "qtractor_plugin_scan did not list the plug-in; it said: $(tr '\n' ' ' <"$work/qtractor.err")"
else
    IFS="|" read -r _ _ qt_audio qt_midi qt_params _ <<<"$qt_line"
    [ "$qt_audio" = "$want_in:$want_out" ] || fail "qtractor: audio ports $qt_audio, expected $want_in:$want_out"
    [ "${qt_midi%%:*}" -ge 1 ] || fail "qtractor: no MIDI input (not flagged as a synth): $qt_midi"
    [ "${qt_params%%:*}" = "$want_params" ] || fail "qtractor: $qt_params parameters, expected $want_params"
    echo "qtractor_plugin_scan: $qt_line"
fi

# --- MusE -----------------------------------------------------------------
xml="$work/muse.xml"
: >"$xml"   # the scanner only writes into an existing file
timeout 60 muse_plugin_scan -t 16 -f "$plugin" -o "$xml" </dev/null >"$work/muse.out" 2>&1 || true
tag() { sed -n "s:.*<$1>\\([^<]*\\)</$1>.*:\\1:p" "$xml" | head -n1; }
if ! grep -q '<plugin ' "$xml"; then
    fail "muse_plugin_scan did not list the plug-in; it said: $(tr '\n' ' ' <"$work/muse.out")"
else
    m_type=$(tag type) m_class=$(tag class) m_in=$(tag inports) m_out=$(tag outports)
    m_params=$(tag ctlInports) m_vstflags=$(tag vstPluginFlags) m_name=$(tag name)
    [ "$m_type" = 16 ] || fail "muse: plug-in type $m_type, expected 16 (Linux VST)"
    (( ${m_class:-0} & 2 )) || fail "muse: class $m_class is not an instrument"
    [ "${m_in:-0}" = "$want_in" ] || fail "muse: $m_in audio inputs, expected $want_in"
    [ "${m_out:-0}" = "$want_out" ] || fail "muse: $m_out audio outputs, expected $want_out"
    [ "${m_params:-0}" = "$want_params" ] || fail "muse: $m_params parameters, expected $want_params"
    (( ${m_vstflags:-0} & 16 )) || fail "muse: no MIDI input (vstPluginFlags $m_vstflags lacks receiveVstMidiEvent)"
    echo "muse_plugin_scan:     name=$m_name class=$m_class in=${m_in:-0} out=${m_out:-0} params=${m_params:-0} vstflags=$m_vstflags"
fi

if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "ok   $1: both scanners see a VST instrument, $want_in in, $want_out out, MIDI in, $want_params parameters"
