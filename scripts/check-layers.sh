#!/usr/bin/env bash
# Fails when a file under src/ includes a folder of a higher layer, or when two folders of the
# same layer include each other. Tests, benches and tools are outside the rule.
#
# The layers, bottom first. A folder may include its own files, folders of lower layers, and a
# folder beside it in the same layer as long as that folder does not include it back.
LAYERS=(
  "settings link emulator"
  "picture widgets gcode"
  "figures manual"
  "milling outline raster wood cutting scanner gcode_run"
  "app cli"
)
set -u
src="$(cd "$(dirname "$0")/../src" && pwd)"

declare -A layer_of
for i in "${!LAYERS[@]}"; do
  for folder in ${LAYERS[$i]}; do layer_of[$folder]=$((i + 1)); done
done

problems=0
declare -A same_layer  # "a b" -> first include site of a into b
while IFS= read -r hit; do
  file=${hit%%:*}
  rest=${hit#*:}
  line=${rest%%:*}
  target=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$rest")
  relative=${file#"$src"/}
  from=${relative%%/*}
  [ "$relative" = main.cpp ] && from=app  # the executable's entry belongs to the shell
  [ "$from" = "$target" ] && continue
  if [ -z "${layer_of[$from]:-}" ]; then
    echo "src/$relative: folder '$from' has no layer; add it to scripts/check-layers.sh"
    problems=$((problems + 1)); continue
  fi
  if [ -z "${layer_of[$target]:-}" ]; then
    continue  # generated headers (version.h) and the like
  fi
  if [ "${layer_of[$target]}" -gt "${layer_of[$from]}" ]; then
    echo "src/$relative:$line: includes $target/ (layer ${layer_of[$target]}) from layer ${layer_of[$from]}"
    problems=$((problems + 1))
  elif [ "${layer_of[$target]}" -eq "${layer_of[$from]}" ]; then
    key="$from $target"
    [ -z "${same_layer[$key]:-}" ] && same_layer[$key]="src/$relative:$line"
  fi
done < <(grep -rnE '^\s*#\s*include\s+"[^/"]+/' "$src" --include='*.h' --include='*.cpp')

for key in "${!same_layer[@]}"; do
  read -r a b <<<"$key"
  if [ -n "${same_layer["$b $a"]:-}" ] && [[ "$a" < "$b" ]]; then
    echo "$a/ and $b/ include each other: ${same_layer[$key]} and ${same_layer["$b $a"]}"
    problems=$((problems + 1))
  fi
done

if [ "$problems" -gt 0 ]; then
  echo "$problems include(s) break the layers"
  exit 1
fi
echo "layers hold"
