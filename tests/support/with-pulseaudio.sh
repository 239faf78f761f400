#!/bin/sh
# with-pulseaudio.sh <command> [arguments...]
# Runs the command against a private PulseAudio daemon whose only output is a
# null sink, then stops the daemon and exits with the command's status. Each run
# has its own runtime directory and socket, so runs may overlap; the user's own
# sound server is never touched. The command sees PULSE_SERVER, PULSE_RUNTIME_PATH
# and PULSE_COOKIE of the private daemon, VELMORA_TEST_SINK, the name of the null
# sink (record "<sink>.monitor"), and VELMORA_TEST_PULSE_PID, the daemon's
# process id (to stop it with SIGSTOP).
set -u

runtime=$(mktemp -d "${TMPDIR:-/tmp}/velmora-pulse.XXXXXX") || exit 1
daemon=""
command=""
clean_up() {
    for pid in $command $daemon; do
        kill "$pid" 2>/dev/null
        kill -CONT "$pid" 2>/dev/null # a stopped daemon ends only once it goes on
        wait "$pid" 2>/dev/null
    done
    rm -rf "$runtime"
}
trap clean_up EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# The daemon gets a home and configuration of its own. -n skips the system's
# default.pa; without realtime scheduling it needs no system bus; it leaves
# by itself if it is ever orphaned (idle 30 s). Run as root it works too and
# only warns (below the log level shown).
HOME="$runtime" XDG_CONFIG_HOME="$runtime/config" XDG_RUNTIME_DIR="$runtime" \
    PULSE_RUNTIME_PATH="$runtime" PULSE_STATE_PATH="$runtime/state" \
    pulseaudio -n --daemonize=no --system=false --disallow-exit --use-pid-file=no \
    --exit-idle-time=30 --realtime=false --high-priority=false \
    --log-target=stderr --log-level=error \
    --load="module-native-protocol-unix socket=$runtime/native auth-anonymous=1" \
    --load="module-null-sink sink_name=velmora_test" &
daemon=$!
export PULSE_SERVER="unix:$runtime/native" PULSE_RUNTIME_PATH="$runtime" \
    PULSE_COOKIE="$runtime/config/pulse/cookie" VELMORA_TEST_SINK=velmora_test VELMORA_TEST_PULSE_PID=$daemon

# Up to 10 s for the daemon to answer.
for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
pactl info >/dev/null 2>&1 || { echo "with-pulseaudio.sh: the PulseAudio daemon did not start" >&2; exit 1; }

# In the background, so that a signal to this script ends the command too.
"$@" &
command=$!
wait "$command"
status=$?
command=""
exit $status
