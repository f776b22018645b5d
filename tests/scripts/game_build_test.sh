#!/usr/bin/env bash
# scripts/build --game, the build step of scripts/run, on a fresh build
# folder builds the game and nothing else. Compiling the engine would take
# minutes, so ninja only lists the commands of that build (every one of them,
# the folder being fresh) instead of running them; CMake's configuring, its
# compiler checks included, runs for real.
set -euo pipefail
root="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
dir="$work/build"
real_ninja="$(command -v ninja)"
mkdir "$work/bin"
cat > "$work/bin/ninja" <<SHIM
#!/bin/sh
if [ "\$PWD" = "$dir" ]; then
  case " \$* " in *" -t "*) ;; *) exec "$real_ninja" -t commands "\$@" ;; esac
fi
exec "$real_ninja" "\$@"
SHIM
chmod +x "$work/bin/ninja"

PATH="$work/bin:$PATH" "$root/scripts/build" --game "$dir" | sed "s#$root/##g" > "$work/commands.txt"

programs="$(grep -o ' -o [^ ]*' "$work/commands.txt" | sed 's/^ -o //' | grep -v '\.o$' || true)"
if [[ "$programs" != "app/quillmere" ]]; then
  echo "expected to link app/quillmere alone; the build links:" >&2
  echo "${programs:-nothing}" >&2
  exit 1
fi
if grep -E '(^| )(tests|bench|fuzz)/' "$work/commands.txt" >&2; then
  echo "the game's build runs the commands above for tests, benchmarks or fuzzing" >&2
  exit 1
fi
echo "the game's build: $(wc -l < "$work/commands.txt") commands, linking app/quillmere alone"
