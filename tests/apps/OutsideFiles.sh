#!/bin/sh
# The gallery and lm7tool with outside files that are not what they should be: a settings folder
# that is a file, pipes nobody writes or reads, a full device, a link to a device. Each gives a
# clear error and a failing status promptly; nothing hangs and nothing is replaced.
#   OutsideFiles.sh GALLERY LM7TOOL
set -u
gallery=$1
lm7tool=$2
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}
# Runs a command with a time limit; its status is in $status, its output in $d/out.
run() {
    timeout 60 "$@" >"$d/out" 2>&1
    status=$?
    [ "$status" -ne 124 ] || fail "$* did not finish"
}
unset DISPLAY WAYLAND_DISPLAY XDG_CONFIG_HOME
export HOME="$d/home"
mkdir -p "$HOME/Documents"

# The settings folder is a file: the save fails, the user is told which file, the status says so.
printf 'not a folder' >"$HOME/Documents/lumo7"
run "$gallery" --png "$d/g.png"
[ "$status" -ne 0 ] || fail "a failed save ended with status 0"
grep -q "lumo7/gallery.ini" "$d/out" || fail "no message names gallery.ini: $(cat "$d/out")"
[ "$(cat "$HOME/Documents/lumo7")" = "not a folder" ] || fail "the file in the way was changed"
rm "$HOME/Documents/lumo7"
run "$gallery" --png "$d/g.png"
[ "$status" -eq 0 ] || fail "a good run failed: $(cat "$d/out")"

# A NUL inside the settings redirection's folder would cut the path short: it is an error.
printf '[Settings]\nfolder=%s\000/elsewhere\n' "$d" >"$HOME/Documents/lumo7/settings_folder.txt"
run "$gallery" --png "$d/g.png"
[ "$status" -ne 0 ] || fail "a NUL in the settings folder ended with status 0"
grep -q "NUL" "$d/out" || fail "a NUL in the settings folder: $(cat "$d/out")"
[ ! -e "$d/gallery.ini" ] || fail "the state went to the cut path"
rm "$HOME/Documents/lumo7/settings_folder.txt"

# A pipe nobody reads or writes as the picture, the log or the metafile's image.
mkfifo "$d/fifo"
run "$gallery" --png "$d/fifo"
[ "$status" -ne 0 ] || fail "--png to a pipe ended with status 0"
grep -q "Not a regular file" "$d/out" || fail "--png to a pipe: $(cat "$d/out")"
run "$gallery" --log "$d/fifo" --png "$d/g.png"
[ "$status" -ne 0 ] || fail "--log to a pipe nobody reads ended with status 0"
run "$gallery" --log /dev/full --png "$d/g.png"
[ "$status" -ne 0 ] || fail "--log to a full device ended with status 0"
grep -q "No space left on device" "$d/out" || fail "--log /dev/full: $(cat "$d/out")"
run "$lm7tool" to-emf "$d/fifo" "$d/out.emf"
[ "$status" -ne 0 ] || fail "to-emf from a pipe ended with status 0"
grep -q "Not a regular file" "$d/out" || fail "to-emf from a pipe: $(cat "$d/out")"
# A huge image (sparse: it costs no disk) is refused before it is read.
truncate -s 1073741825 "$d/huge.png"
run "$lm7tool" to-emf "$d/huge.png" "$d/out.emf"
[ "$status" -ne 0 ] || fail "to-emf from a huge file ended with status 0"
grep -q "File too large" "$d/out" || fail "to-emf from a huge file: $(cat "$d/out")"

# A metafile through a link to a device is refused and the device stays one. As root, who could
# replace /dev/null itself, the device is a null node of this folder's own.
null=/dev/null
if [ "$(id -u)" = 0 ] && mknod "$d/null" c 1 3; then
    null="$d/null"
fi
ln -s "$null" "$d/null.emf"
run "$lm7tool" to-emf "$d/g.png" "$d/null.emf"
[ "$status" -ne 0 ] || fail "to-emf over a device ended with status 0"
grep -q "Not a regular file" "$d/out" || fail "to-emf over a device: $(cat "$d/out")"
[ -c "$null" ] || fail "$null is no longer a device"
echo "outside files: all refused cleanly"
