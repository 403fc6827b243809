#!/usr/bin/env bash
# Starts (or stops) a private CUPS scheduler for the real-printing tests, with one cups-pdf queue
# as its default destination. Everything the scheduler writes lives under DIR, so the machine's
# own CUPS (its configuration, spool, logs and any running cupsd) is never touched.
#
#   eval "$(bash tools/cups-test-env.sh DIR)"     # or: cups-test-env.sh start DIR
#   ...run the tests...
#   bash tools/cups-test-env.sh stop DIR
#
# Start prints shell `export` lines on stdout and all diagnostics on stderr; it exits non-zero
# (and prints the scheduler's log) when the scheduler or the queue cannot be brought up.
set -euo pipefail

readonly QUEUE=VantorbelPDF
readonly PPD_SOURCE=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
# Seconds to wait for the scheduler to answer and for the queue to be accepting jobs.
readonly READY_TIMEOUT=15

die()
{
    echo "cups-test-env: $*" >&2
    exit 1
}

usage()
{
    echo "usage: $0 [start] DIR | $0 stop DIR" >&2
    exit 2
}

action=start
case "${1:-}" in
start | stop)
    action=$1
    shift
    ;;
esac
[ $# -eq 1 ] || usage
[ -n "$1" ] || usage

# Every path handed to cupsd must be absolute: it resolves relative ones against ServerRoot.
if [ "$action" = stop ] && [ ! -d "$1" ]; then
    exit 0
fi
mkdir -p "$1"
root=$(cd "$1" && pwd -P)
socket=$root/cups.sock
pid_file=$root/cupsd.pid

# cups-pdf ignores the scheduler's configuration: it writes to "Out" of the fixed
# /etc/cups/cups-pdf.conf, i.e. $HOME/PDF of the user the job belongs to. Jobs carry the
# name of whoever submits them, and that is the user running this script and the tests.
job_user=$(id -un)
job_home=$(getent passwd "$job_user" | cut -d: -f6)
pdf_dir=$job_home/PDF

# Runs a CUPS client command against the private scheduler only; the timeout keeps a wedged
# scheduler from hanging the caller.
client()
{
    CUPS_SERVER=$socket timeout 5 "$@"
}

running_pid()
{
    local pid
    [ -f "$pid_file" ] || return 1
    pid=$(cat "$pid_file")
    [ -n "$pid" ] && [ -d "/proc/$pid" ] || return 1
    # A recycled pid must never make us signal somebody else's process.
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = cupsd ] || return 1
    tr '\0' ' ' <"/proc/$pid/cmdline" | grep -qF -- "$root/etc/cupsd.conf" || return 1
    echo "$pid"
}

# The PDFs that our queue wrote into the shared $HOME/PDF: cups-pdf names them after the job id,
# and job ids restart with each fresh scheduler, so only files from this run (newer than the
# start stamp) whose id one of our jobs had are removed.
remove_our_pdfs()
{
    local stamp=$root/started id file
    [ -f "$stamp" ] && [ -d "$pdf_dir" ] || return 0
    for control in "$root"/spool/c[0-9]*; do
        [ -e "$control" ] || continue
        id=${control##*/c}
        id=$((10#$id))
        for file in "$pdf_dir"/job_"$id"-*.pdf; do
            if [ -f "$file" ] && [ "$file" -nt "$stamp" ]; then
                rm -f -- "$file"
            fi
        done
    done
    if [ -f "$root/created-pdf-dir" ]; then
        rmdir -- "$pdf_dir" 2>/dev/null || true
    fi
}

stop()
{
    local pid
    if pid=$(running_pid); then
        kill -TERM "$pid" 2>/dev/null || true
        for _ in $(seq 50); do
            [ -d "/proc/$pid" ] || break
            sleep 0.1
        done
        if [ -d "/proc/$pid" ]; then
            echo "cups-test-env: cupsd $pid did not stop on TERM, killing it" >&2
            kill -KILL "$pid" 2>/dev/null || true
        fi
    fi
    remove_our_pdfs
    rm -rf -- "$root/etc" "$root/spool" "$root/cache" "$root/log" "$root/run" "$socket" \
        "$pid_file" "$root/started" "$root/created-pdf-dir" "$root/print.lock"
    rmdir -- "$root" 2>/dev/null || true
}

show_log()
{
    local file
    for file in "$root/log/cupsd.out" "$root/log/error_log"; do
        if [ -s "$file" ]; then
            echo "---- $file (last lines) ----" >&2
            tail -n 40 "$file" >&2
        fi
    done
}

fail()
{
    echo "cups-test-env: $*" >&2
    show_log
    stop
    exit 1
}

# Waits until the command succeeds, at most READY_TIMEOUT seconds.
wait_for()
{
    local what=$1 deadline=$((SECONDS + READY_TIMEOUT))
    shift
    until "$@" >/dev/null 2>&1; do
        if [ -n "${cupsd_pid:-}" ] && [ ! -d "/proc/$cupsd_pid" ]; then
            fail "cupsd exited while waiting for $what"
        fi
        if [ $SECONDS -ge $deadline ]; then
            fail "timed out after ${READY_TIMEOUT}s waiting for $what"
        fi
        sleep 0.1
    done
}

queue_ready()
{
    client lpstat -a "$QUEUE" | grep -q "^$QUEUE accepting" &&
        client lpstat -p "$QUEUE" | grep -q "^printer $QUEUE is idle" &&
        client lpstat -d | grep -q ": $QUEUE\$"
}

if [ "$action" = stop ]; then
    stop
    exit 0
fi

[ "$(id -u)" -eq 0 ] || die "must run as root: cupsd runs its filters as user lp and cups-pdf as root"
for tool in cupsd lpadmin lpstat timeout; do
    command -v "$tool" >/dev/null || die "$tool not found; run tools/packages.sh first"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || die "cups-pdf backend missing (printer-driver-cups-pdf)"
[ -f "$PPD_SOURCE" ] || die "$PPD_SOURCE missing (printer-driver-cups-pdf)"
[ -n "$job_home" ] || die "no home directory for $job_user, so cups-pdf has nowhere to write"
# sun_path holds 108 bytes including the terminating NUL.
[ ${#socket} -lt 108 ] || die "socket path too long for a Unix socket: $socket"

# A second start replaces the first: leftovers would hide jobs from this run.
stop
mkdir -p "$root"
mkdir -p "$root/etc/ppd" "$root/etc/ssl" "$root/spool" "$root/cache" "$root/log" "$root/run"
# Owned root:lp with the sticky bit, as the stock /var/spool/cups/tmp: filters running as lp
# write their temporary files here, and with any other owner they produce empty output.
mkdir -p "$root/spool/tmp"
chown root:lp "$root/spool" "$root/spool/tmp"
chmod 0710 "$root/spool"
chmod 1770 "$root/spool/tmp"
chmod 0755 "$root/etc" "$root/cache" "$root/run"
# The filters run as lp: every directory above DIR must let lp through, or jobs fail late and
# obscurely inside the filter chain.
setpriv --reuid=lp --regid=lp --init-groups test -w "$root/spool/tmp" ||
    die "user lp cannot write $root/spool/tmp; choose a DIR below world-searchable directories"

cat >"$root/etc/cups-files.conf" <<EOF
ServerRoot $root/etc
RequestRoot $root/spool
TempDir $root/spool/tmp
CacheDir $root/cache
StateDir $root/run
AccessLog $root/log/access_log
ErrorLog $root/log/error_log
PageLog $root/log/page_log
Printcap $root/run/printcap
ServerKeychain $root/etc/ssl
User lp
Group lp
SystemGroup root lpadmin
LogFileGroup root
FatalErrors all
CreateSelfSignedCerts no
EOF

cat >"$root/etc/cupsd.conf" <<EOF
# Only this Unix socket: no TCP port, nothing on the network.
Listen $socket
LogLevel info
MaxLogSize 0
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultShared No
DefaultAuthType None
PreserveJobHistory Yes
PreserveJobFiles Yes
MaxJobs 0
JobRetryLimit 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF

touch "$root/started"
if [ ! -d "$pdf_dir" ]; then
    touch "$root/created-pdf-dir"
fi

# setsid: the scheduler must outlive this script and not share its terminal or process group.
setsid cupsd -f -c "$root/etc/cupsd.conf" -s "$root/etc/cups-files.conf" \
    </dev/null >"$root/log/cupsd.out" 2>&1 &
cupsd_pid=$!
echo "$cupsd_pid" >"$pid_file"

wait_for "the scheduler on $socket" client lpstat -r

client lpadmin -p "$QUEUE" -E -v cups-pdf:/ -P "$PPD_SOURCE" \
    -D "Vantorbel test PDF printer" -o printer-is-shared=false \
    -o Label=1 -o LogType=1 -o PageSize=A4 >&2 ||
    fail "lpadmin could not create $QUEUE"
client lpadmin -d "$QUEUE" >&2 || fail "lpadmin could not make $QUEUE the default"
wait_for "queue $QUEUE" queue_ready

cat <<EOF
export CUPS_SERVER=$socket
export VANTORBEL_TEST_QUEUE=$QUEUE
export VANTORBEL_TEST_PDF_DIR=$pdf_dir
export VANTORBEL_TEST_SPOOL_DIR=$root/spool
export VANTORBEL_TEST_LOCK=$root/print.lock
unset PRINTER LPDEST
EOF
