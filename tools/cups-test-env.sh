#!/usr/bin/env bash
# Starts or stops a private CUPS scheduler for the real-printing tests, with one cups-pdf queue as
# its default destination. The scheduler's configuration, spool, logs, cache and socket all live
# under DIR; the machine's own CUPS (its configuration and any cupsd already running) is left
# alone, and the scheduler listens on a Unix socket only, never on the network. The user's own CUPS
# settings are left out too: a default printer in ~/.cups/lpoptions would otherwise stand in for
# the scheduler's, so the script's clients and whatever runs under the printed environment get a
# private, empty HOME under DIR.
#
#   env_lines=$(bash tools/cups-test-env.sh DIR) && eval "$env_lines"   # or: ... start DIR
#   ...run the tests...
#   bash tools/cups-test-env.sh stop DIR
#
# Start prints `export` lines on stdout and diagnostics on stderr. It fails (exit status 1, naming
# the step it waited for, with the scheduler's last answer and log) when the scheduler or the
# queue is not ready within READY_TIMEOUT seconds.
# Starting again replaces a running instance; stop removes everything start made.
set -euo pipefail

readonly QUEUE=VantorbelPDF
readonly LOCATION="Bouwkeet, eerste verdieping"
readonly PPD_SOURCE=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
readonly CUPS_PDF_CONF=/etc/cups/cups-pdf.conf
# The stock cups-pdf PPD claims the printer prints up to the edges of the sheet, which no real
# printer does, and code that ignores the unprintable border would pass unnoticed. The queue
# declares a 0.25 in (18 pt) border all round A4; tests/platform/print_system/cups_print_test.cpp relies on it.
readonly A4_IMAGEABLE_AREA="18 18 577 824"
# cups-pdf offers one side only, and Qt then keeps every job one-sided; the queue claims a duplex
# unit (cups-pdf ignores it), so that two-sided jobs reach the job's attributes.
readonly DUPLEX_OPTION='*OpenUI *Duplex/Dubbelzijdig: PickOne\
*OrderDependency: 50 AnySetup *Duplex\
*DefaultDuplex: None\
*Duplex None/Enkelzijdig: "<</Duplex false>>setpagedevice"\
*Duplex DuplexNoTumble/Lange zijde: "<</Duplex true/Tumble false>>setpagedevice"\
*Duplex DuplexTumble/Korte zijde: "<</Duplex true/Tumble true>>setpagedevice"\
*CloseUI: *Duplex\
'
# A busy machine (the suite beside a build) can take long to start a scheduler.
readonly READY_TIMEOUT=60
# Marks DIR as ours: stop deletes only inside a directory carrying it.
readonly MARKER=.vantorbel-cups-test-env

die()
{
    echo "cups-test-env: $*" >&2
    exit 1
}

usage()
{
    echo "usage: $0 [start] DIR" >&2
    echo "       $0 stop DIR" >&2
    exit 2
}

action=start
case "${1:-}" in
start | stop)
    action=$1
    shift
    ;;
esac
if [ $# -ne 1 ] || [ -z "$1" ]; then
    usage
fi

if [ "$action" = stop ] && [ ! -d "$1" ]; then
    exit 0
fi
mkdir -p "$1"
# cupsd resolves relative paths against its ServerRoot, and the tests run from elsewhere.
root=$(cd "$1" && pwd -P)
socket=$root/cups.sock
pid_file=$root/cupsd.pid
home=$root/home

if [ ! -e "$root/$MARKER" ]; then
    [ -z "$(ls -A "$root")" ] || die "$root is not empty and was not made by $0; not touching it"
    if [ "$action" = stop ]; then
        exit 0
    fi
fi

# A setting of the fixed cups-pdf configuration, which no scheduler option can change.
cups_pdf_setting()
{
    local value=""
    if [ -r "$CUPS_PDF_CONF" ]; then
        value=$(awk -v key="$1" '$1 == key { sub(/^[ \t]*[^ \t]+[ \t]+/, ""); v = $0 } END { print v }' \
            "$CUPS_PDF_CONF")
    fi
    echo "${value:-$2}"
}

# cups-pdf writes to "Out" of /etc/cups/cups-pdf.conf (Debian: ${HOME}/PDF), expanded for the
# user the job belongs to: whoever submits it, i.e. the user running this script and the tests.
job_user=$(id -un)
job_home=$(getent passwd "$job_user" | cut -d: -f6)
# shellcheck disable=SC2016 # cups-pdf's own placeholders, not shell expansions
pdf_dir=$(cups_pdf_setting Out '${HOME}/PDF')
# shellcheck disable=SC2016
pdf_dir=${pdf_dir//'${HOME}'/$job_home}
# shellcheck disable=SC2016
pdf_dir=${pdf_dir//'${USER}'/$job_user}
# Its own log and spool are fixed too; start notes which of them it brought into being.
cups_pdf_log=$(cups_pdf_setting Log /var/log/cups)/cups-pdf-${QUEUE}_log
cups_pdf_spool=$(cups_pdf_setting Spool /var/spool/cups-pdf/SPOOL)

# A CUPS client talking to the private scheduler only, and without the user's lpoptions; the
# timeout keeps a wedged scheduler from hanging the caller.
client()
{
    CUPS_SERVER=$socket HOME=$home timeout 5 "$@"
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

# The outputs of our jobs in the shared PDF directory. cups-pdf names them job_<id>-<title>.pdf;
# ids restart with every fresh scheduler, so a file goes only if one of our jobs had its id and
# it is newer than this run's start.
remove_our_outputs()
{
    local stamp=$root/started job id file
    [ -f "$stamp" ] || return 0
    if [ -d "$pdf_dir" ]; then
        for job in "$root"/spool/[cd][0-9]*; do
            [ -e "$job" ] || continue
            id=${job##*/[cd]}
            id=$((10#${id%%-*}))
            for file in "$pdf_dir/job_$id-"*.pdf; do
                if [ -f "$file" ] && [ "$file" -nt "$stamp" ]; then
                    rm -f -- "$file"
                fi
            done
        done
    fi
    if [ -f "$root/created-pdf-dir" ]; then
        rmdir -- "$pdf_dir" 2>/dev/null || true
    fi
    if [ -f "$root/created-cups-pdf-log" ] && [ -f "$cups_pdf_log" ] && [ ! -s "$cups_pdf_log" ]; then
        rm -f -- "$cups_pdf_log"
    fi
    if [ -f "$root/created-cups-pdf-spool" ]; then
        rmdir -- "$cups_pdf_spool" 2>/dev/null || true
    fi
}

stop()
{
    local pid
    if pid=$(running_pid); then
        kill -TERM "$pid" 2>/dev/null || true
        for _ in $(seq 100); do
            [ -d "/proc/$pid" ] || break
            sleep 0.1
        done
        if [ -d "/proc/$pid" ]; then
            echo "cups-test-env: cupsd $pid ignored TERM for 10 s, killing it" >&2
            kill -KILL "$pid" 2>/dev/null || true
        fi
    fi
    remove_our_outputs
    rm -rf -- "${root:?}/etc" "${root:?}/spool" "${root:?}/cache" "${root:?}/log" \
        "${root:?}/run" "${root:?}/home" "$socket" "$pid_file" "${root:?}/vantorbel-pdf.ppd" \
        "${root:?}/print.lock" "${root:?}/started" "${root:?}/created-pdf-dir" \
        "${root:?}/created-cups-pdf-log" "${root:?}/created-cups-pdf-spool" "${root:?}/$MARKER"
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
    # Our own child, so its pid cannot have been reused, even if it never got as far as cupsd.
    if [ -n "${cupsd_pid:-}" ] && kill -0 "$cupsd_pid" 2>/dev/null; then
        kill -TERM "$cupsd_pid" 2>/dev/null || true
        sleep 1
        kill -KILL "$cupsd_pid" 2>/dev/null || true
    fi
    stop
    exit 1
}

# Polls until the command succeeds; the whole start shares one deadline. Giving up, it names what
# it waited for and what the command last said.
wait_for()
{
    local what=$1 answer
    shift
    until answer=$("$@" 2>&1); do
        [ -d "/proc/$cupsd_pid" ] || fail "cupsd exited while waiting for $what"
        [ $SECONDS -lt $deadline ] ||
            fail "gave up after ${READY_TIMEOUT}s waiting for $what; last answer: ${answer:-none}"
        sleep 0.1
    done
}

# Prints the private scheduler's answer to a client command, and succeeds when it matches
# PATTERN: lpstat exits 0 also when nothing answers, so only its text tells.
answers()
{
    local pattern=$1 answer
    shift
    answer=$(client "$@" 2>&1) || true
    echo "$answer"
    grep -q -- "$pattern" <<<"$answer"
}

# lpadmin warns on every call that PPD files are deprecated; show its output only on failure.
admin()
{
    local output
    output=$(client lpadmin "$@" 2>&1) || fail "lpadmin $* failed: $output"
}

if [ "$action" = stop ]; then
    stop
    exit 0
fi

[ "$(id -u)" -eq 0 ] || die "must run as root: cupsd runs its filters as lp and cups-pdf as root"
for tool in cupsd lpadmin lpstat setpriv timeout; do
    command -v "$tool" >/dev/null || die "$tool not found; run tools/packages.sh first"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || die "no cups-pdf backend; run tools/packages.sh first"
[ -f "$PPD_SOURCE" ] || die "no $PPD_SOURCE; run tools/packages.sh first"
[ -n "$job_home" ] || die "user $job_user has no home directory for cups-pdf to write to"
# sun_path holds 108 bytes including the terminating NUL.
if [ ${#socket} -ge 108 ]; then
    [ -e "$root/$MARKER" ] || rmdir -- "$root" 2>/dev/null || true
    die "socket path too long for a Unix socket: $socket"
fi

deadline=$((SECONDS + READY_TIMEOUT))
stop
mkdir -p "$root/etc/ppd" "$root/etc/ssl" "$root/spool/tmp" "$root/cache" "$root/log" "$root/run" \
    "$home"
chmod 0700 "$home"
touch "$root/$MARKER"
chmod 0755 "$root" "$root/etc" "$root/cache" "$root/run"
# As the stock /var/spool/cups: the filters run as lp and write their temporary files into
# TempDir; owned by anyone else, jobs come out as empty PDFs.
chown root:lp "$root/spool" "$root/spool/tmp"
chmod 0710 "$root/spool"
chmod 1770 "$root/spool/tmp"
# Every directory above DIR must let lp through too, or jobs fail late and obscurely.
setpriv --reuid=lp --regid=lp --init-groups test -w "$root/spool/tmp" ||
    fail "user lp cannot write $root/spool/tmp; choose a DIR below world-searchable directories"

cat >"$root/etc/cups-files.conf" <<EOF
ServerRoot $root/etc
RequestRoot $root/spool
TempDir $root/spool/tmp
CacheDir $root/cache
StateDir $root/run
ServerKeychain $root/etc/ssl
AccessLog $root/log/access_log
ErrorLog $root/log/error_log
PageLog $root/log/page_log
Printcap $root/run/printcap
User lp
Group lp
SystemGroup root lpadmin
LogFileGroup root
FatalErrors all
CreateSelfSignedCerts no
EOF

cat >"$root/etc/cupsd.conf" <<EOF
Listen $socket
LogLevel info
MaxLogSize 0
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultShared No
DefaultAuthType None
# Finished jobs stay listed, and the document each job received stays in the spool.
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

ppd=$root/vantorbel-pdf.ppd
sed -e "s|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: \"$A4_IMAGEABLE_AREA\"|" \
    -e "/^\*OpenGroup: General/i\\
$DUPLEX_OPTION" "$PPD_SOURCE" >"$ppd"
grep -qF "*DefaultDuplex: None" "$ppd" || fail "$PPD_SOURCE has no General group to add duplex to"
grep -qF "*ImageableArea A4/A4: \"$A4_IMAGEABLE_AREA\"" "$ppd" ||
    fail "$PPD_SOURCE has no A4 imageable area to replace"

touch "$root/started"
[ -e "$pdf_dir" ] || touch "$root/created-pdf-dir"
[ -e "$cups_pdf_log" ] || touch "$root/created-cups-pdf-log"
[ -e "$cups_pdf_spool" ] || touch "$root/created-cups-pdf-spool"

# setsid: the scheduler outlives this script and stays out of the caller's process group.
setsid cupsd -f -c "$root/etc/cupsd.conf" -s "$root/etc/cups-files.conf" \
    </dev/null >"$root/log/cupsd.out" 2>&1 &
cupsd_pid=$!
echo "$cupsd_pid" >"$pid_file"

wait_for "the scheduler to answer on $socket" answers '^scheduler is running$' lpstat -r
running_pid >/dev/null || fail "cannot tell the scheduler's process id"

# Label=1 names each output after its job id, so that tests find their own job's PDF.
admin -p "$QUEUE" -E -v cups-pdf:/ -P "$ppd" -D "Vantorbel test PDF printer" -L "$LOCATION" \
    -o printer-is-shared=false -o PageSize=A4 -o Label=1 -o LogType=1
admin -d "$QUEUE"
# lpadmin returns before the queue is fully set up.
wait_for "queue $QUEUE to accept jobs" answers "^$QUEUE accepting" lpstat -a "$QUEUE"
wait_for "queue $QUEUE to be idle" answers "^printer $QUEUE is idle" lpstat -p "$QUEUE"
wait_for "queue $QUEUE to be the scheduler's default" answers ": $QUEUE\$" lpstat -d

cat <<EOF
export CUPS_SERVER=$socket
export HOME=$home
export VANTORBEL_TEST_QUEUE=$QUEUE
export VANTORBEL_TEST_LOCATION="$LOCATION"
export VANTORBEL_TEST_PDF_DIR=$pdf_dir
export VANTORBEL_TEST_SPOOL_DIR=$root/spool
export VANTORBEL_TEST_LOCK=$root/print.lock
export VANTORBEL_TEST_SCHEDULER_PID=$(running_pid)
unset PRINTER LPDEST
EOF
