#!/usr/bin/env bash
# Starts the real program unattended (QOR_QUIT_AFTER_START=1) on user folders and settings prepared the
# way users and their tools leave them, and checks what the start and the exit do with them:
#   links in place of the per-user "Samples" and "Data" folders, whose targets must keep every file;
#   a linked "vehicles" folder and a linked "combinations/My combinations" folder, in which the first
#   start must leave every entry where it was;
#   a link that leads nowhere in place of the 3D record, through which nothing may be written;
#   a named pipe, a 2 GB file (sparse) and a link to a device as the settings file, the organisation's
#   settings file and the lock file, which must give a start within seconds with a message;
#   foreign settings lock files (text, another host's lock, a link), which must not hold the start;
#   hidden copies and write probes that killed saves left behind;
#   a language module whose folder message holds more "%s" than the program passes.
# Usage: user_files_at_start.sh <qor> <rcc> <English module source folder>
set -euo pipefail
bin="$1"
rcc="$2"
module_source="$3"
work="$(mktemp -d)"
program_copy=""
cleanup() {
    rm -rf "$work"
    [ -z "$program_copy" ] || rm -rf "$program_copy"
}
trap cleanup EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 QOR_QUIT_AFTER_START=1
# The graphics driver's allocations cannot be named in a leak suppression (see quit_after_start.sh).
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
root="$XDG_DATA_HOME/Korvelandt/QOR/QOR Load Planning"
settings="$XDG_CONFIG_HOME/Korvelandt/QOR.conf"
shared="$XDG_CONFIG_HOME/Korvelandt.conf"
failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

# Runs the program (the given binary unless QOR_BIN says another) with a time limit; its exit code goes
# to $status, its error output to $work/err.
run() {
    status=0
    timeout 60 "${QOR_BIN:-$bin}" "$@" 2>"$work/err" >/dev/null || status=$?
    [ "$status" -ne 124 ] || fail "the start did not end within 60 s"
}

# Every entry below a folder with its kind, its link target and its content's checksum, one a line.
entries() {
    (cd "$1" && find . -printf '%p %y %l\n' | sort && find . -type f -exec md5sum {} + | sort)
}

# ---- links in place of the Samples, Data, vehicles and combinations folders, and of the 3D record ----
mkdir -p "$root" "$work/elsewhere/samples/mine" "$work/elsewhere/data"
echo "my own vehicle" >"$work/elsewhere/samples/mine/truck.qor"
echo "notes" >"$work/elsewhere/samples/notes.txt"
echo "a picture no catalogue item names" >"$work/elsewhere/data/photo.png"
ln -s "$work/elsewhere/samples" "$root/Samples"
ln -s "$work/elsewhere/data" "$root/Data"
# A vehicles folder of the user's with one sub-folder of its own and files at its top.
mkdir -p "$work/elsewhere/vehicles/mine" "$work/elsewhere/shared"
echo "a truck" >"$work/elsewhere/vehicles/mine/truck.qor"
echo "loose" >"$work/elsewhere/vehicles/loose.qor"
echo "notes" >"$work/elsewhere/vehicles/notes.txt"
ln -s "$work/elsewhere/vehicles" "$root/vehicles"
# A shared folder of combinations as the language sub-folder, beside a loose combination.
echo "shared" >"$work/elsewhere/shared/pair.kmb"
mkdir -p "$root/combinations"
ln -s "$work/elsewhere/shared" "$root/combinations/My combinations"
echo "loose" >"$root/combinations/loose.kmb"
# The 3D record a link into a folder of the user's, to a file that is not there.
mkdir -p "$work/elsewhere/record"
record="$XDG_DATA_HOME/Korvelandt/QOR/Direct3D.tbc"
ln -s "$work/elsewhere/record/Direct3D.tbc" "$record"
before="$(entries "$work/elsewhere/vehicles"; entries "$work/elsewhere/shared")"
run
[ "$status" -eq 0 ] || fail "the start with linked folders ended with $status: $(cat "$work/err")"
for f in samples/mine/truck.qor samples/notes.txt data/photo.png; do
    [ -f "$work/elsewhere/$f" ] || fail "$f, behind a link, was deleted"
done
[ -d "$root/Samples" ] && [ ! -L "$root/Samples" ] || fail "the linked Samples folder was not replaced by a folder"
[ -n "$(find "$root/Samples" -name '*.qor' -print -quit)" ] || fail "no sample vehicle in the new Samples folder"
[ -L "$root/Data" ] || fail "the linked Data folder is no longer the link"
# The linked vehicles folder only gains the empty language sub-folder; nothing moves into the shared one.
rmdir "$work/elsewhere/vehicles/My vehicles" 2>/dev/null || fail "no language sub-folder in the linked vehicles folder"
after="$(entries "$work/elsewhere/vehicles"; entries "$work/elsewhere/shared")"
[ "$after" = "$before" ] || fail "entries behind the links moved: $(diff <(echo "$before") <(echo "$after"))"
[ -L "$root/vehicles" ] && [ -L "$root/combinations/My combinations" ] || fail "a linked folder is no longer the link"
[ -f "$root/combinations/loose.kmb" ] || fail "the loose combination was moved into the shared folder"
[ ! -e "$work/elsewhere/record/Direct3D.tbc" ] || fail "the 3D record was written through the link"
[ ! -L "$record" ] || fail "the link that leads nowhere is still the 3D record"
rm -f "$root/vehicles" "$root/combinations/My combinations"

# ---- special files in place of the settings, the organisation's settings and the lock file ----
# As root a write through the link would replace the node: one of the test's own, never a real one
# (where no node can be made, a named pipe stands in for it as what is not a regular file).
device="$work/device"
if [ "$(id -u)" -ne 0 ]; then
    device=/dev/null
elif ! mknod "$device" c 1 3 2>/dev/null; then
    mkfifo "$device"
fi
place() { # place <kind> <path>
    rm -rf "$2"
    mkdir -p "$(dirname "$2")"
    case "$1" in
    pipe) mkfifo "$2" ;;
    big) truncate -s 2G "$2" ;;
    device) ln -s "$device" "$2" ;;
    esac
}
check_set_aside() { # check_set_aside <kind> <path>
    grep -qF "message answered unattended: $2 could not be used" "$work/err" ||
        fail "no message about the $1 at $2"
    [ -e "$2.unusable" ] || [ -L "$2.unusable" ] || fail "the $1 at $2 was not moved aside"
    if [ -e "$2" ] || [ -L "$2" ]; then
        [ -f "$2" ] && [ ! -L "$2" ] && [ "$(stat -c %s "$2")" -lt 1048576 ] ||
            fail "$2 is still the $1 after the start"
    fi
    rm -f "$2.unusable"
}
# Each kind at each place once, in three starts.
for kinds in "pipe big device" "big device pipe" "device pipe big"; do
    read -r k_settings k_shared k_lock <<<"$kinds"
    place "$k_settings" "$settings"
    place "$k_shared" "$shared"
    place "$k_lock" "$root/lock.tmp"
    run
    [ "$status" -eq 0 ] || fail "the start with a $kinds ended with $status: $(cat "$work/err")"
    check_set_aside "$k_settings" "$settings"
    check_set_aside "$k_shared" "$shared"
    check_set_aside "$k_lock" "$root/lock.tmp"
    [ "$device" = /dev/null ] || [ -c "$device" ] || [ -p "$device" ] || fail "the device node was written over"
done
rm -f "$settings" "$shared"

# ---- foreign settings lock files ----
# A lock Qt cannot take is waited for until it is 30 s old: one that no running instance of the program
# here holds is stale at once. The limit is far above a start and far below that wait.
for kind in text host link; do
    # Qt counts a lock's age from the file a link leads to: a new one.
    echo "garbage" >"$work/foreign.lock"
    for lock in "$settings.lock" "$shared.lock"; do
        rm -f "$lock"
        case "$kind" in
        text) echo "garbage" >"$lock" ;;
        host) printf '%s\nqor\nanother-host.example\n\n\n' "$$" >"$lock" ;;
        link) ln -s "$work/foreign.lock" "$lock" ;;
        esac
    done
    started=$(date +%s)
    run
    took=$(($(date +%s) - started))
    [ "$status" -eq 0 ] || fail "the start with a foreign lock ($kind) ended with $status: $(cat "$work/err")"
    [ "$took" -lt 20 ] || fail "the start with a foreign lock ($kind) took $took s"
    [ -f "$work/foreign.lock" ] || fail "the file a lock link led to was removed"
done

# ---- hidden copies and write probes of killed saves ----
sh -c 'exit 0' &
gone=$!
wait "$gone"
# The combinations' folder of the language in use, which the first start made.
mine="$(find "$root/combinations" -mindepth 1 -maxdepth 1 -type d -print -quit)"
[ -d "$mine" ] || fail "no folder in $root/combinations"
echo "half a save" >"$mine/.trip.kmb.new-$gone-1"
echo "half a save" >"$root/.AppParams.ser.new-$gone-7"
echo "a save going on" >"$mine/.trip.kmb.new-$$-2"
echo "not a copy of a save" >"$mine/.trip.kmb.new-x"
: >"$mine/.qor-write-probe-0123456789abcdef.tmp"
: >"$root/.qor-write-probe-fedcba9876543210.tmp"
echo "not a probe" >"$mine/.qor-write-probe-0000000000000000.tmp"
run
[ "$status" -eq 0 ] || fail "the start with stale copies ended with $status: $(cat "$work/err")"
[ ! -e "$mine/.trip.kmb.new-$gone-1" ] || fail "a stale copy in a sub-folder was left"
[ ! -e "$root/.AppParams.ser.new-$gone-7" ] || fail "a stale copy in the user's folder was left"
[ -e "$mine/.trip.kmb.new-$$-2" ] || fail "the copy of a running process was removed"
[ -e "$mine/.trip.kmb.new-x" ] || fail "a file of another name was removed"
[ ! -e "$mine/.qor-write-probe-0123456789abcdef.tmp" ] || fail "a write probe in a sub-folder was left"
[ ! -e "$root/.qor-write-probe-fedcba9876543210.tmp" ] || fail "a write probe in the user's folder was left"
[ -e "$mine/.qor-write-probe-0000000000000000.tmp" ] || fail "a file with content was taken for a probe"

# ---- a language module whose folder message takes more arguments than the program passes ----
# The program reads its modules from its own folder: a link to the executable there (a hard one, since
# Linux names a program by its real path), or a copy.
program_copy="$(mktemp -d "$(dirname "$bin")/../hostile-module.XXXXXX")"
ln "$bin" "$program_copy/qor" 2>/dev/null || cp "$bin" "$program_copy/qor"
cp -r "$module_source" "$work/module"
# The folder's name with a "/" makes the start fail with that message.
sed -i -e $'s|^128\t.*|128\tno/folder|' -e $'s|^188\t.*|188\t%s%s%s%s%s%s%s%s%n|' "$work/module/strings.tsv"
{
    echo '<!DOCTYPE RCC><RCC version="1.0"><qresource prefix="/">'
    (cd "$work/module" && find . -type f | sed 's|^\./||' | sort | while read -r f; do
        echo "<file alias=\"$f\">$work/module/$f</file>"
    done)
    echo '</qresource></RCC>'
} >"$work/module.qrc"
"$rcc" --binary -o "$program_copy/Resource_EN.rcc" "$work/module.qrc"
QOR_BIN="$program_copy/qor" run
[ "$status" -eq 1 ] || fail "the start with the faulty module ended with $status, not 1: $(cat "$work/err")"
grep -q "cannot be created or used" "$work/err" || fail "no message in the built-in English text: $(cat "$work/err")"

[ "$failures" -eq 0 ] || exit 1
echo "every start kept the user's files and ended in seconds"
