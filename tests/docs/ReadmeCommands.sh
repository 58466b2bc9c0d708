#!/bin/sh
# The README's commands against the run script: every program the README runs from
# build/debug/apps/ is built by `./run gallery`, the command that comes first, and the install
# line builds the libraries it installs rather than every test.
# Usage: ReadmeCommands.sh SOURCE_DIR
set -eu
src=$1
readme="$src/README.md"
built=$(sed -n '/^  gallery)/,/;;/p' "$src/run" | sed -n 's/.*--target \(.*\) -j.*/\1/p')
[ -n "$built" ] || { echo "run: the gallery command names no targets"; exit 1; }
status=0
for program in $(grep -o 'build/debug/apps/[a-z0-9_]*' "$readme" | sed 's|.*/||' | sort -u); do
  case " $built " in
    *" $program "*) ;;
    *) echo "README runs build/debug/apps/$program, which ./run gallery does not build ($built)"; status=1 ;;
  esac
done
install_build=$(grep -E 'cmake --build build/debug.*cmake --install' "$readme" || true)
[ -n "$install_build" ] || { echo "README: no install line"; exit 1; }
case "$install_build" in
  *"--target "*) ;;
  *) echo "README's install line builds every target: $install_build"; status=1 ;;
esac
exit $status
