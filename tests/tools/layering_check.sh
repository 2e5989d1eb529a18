#!/usr/bin/env bash
# Keeps the house rules of includes:
# - only files under a win32/ folder include <windows.h>; only files under a
#   linux/ folder include SDL or EGL; only renderer/gl and the platform folders
#   (and their tests) include GL;
# - includes run down, never sideways or up: common/ (the ground floor)
#   includes none of the three subsystems; controls/ includes only common/;
#   renderer/ includes only common/; frontend/ includes common/ and controls/
#   but never renderer/; none of them includes tools/ or tests/. Tools and
#   tests may include anything.
#
#   layering_check.sh SOURCE_DIR
set -u
cd "$1" || exit 2
status=0
# Any copy of the tree: the tracked files in a clone, every source file
# otherwise.
files=$(git ls-files -- '*.h' '*.hpp' '*.cpp' '*.cc' '*.c' '*.rc' 2>/dev/null)
[ -n "$files" ] || files=$(find common renderer frontend controls tools tests release \
    -name '*.[ch]' -o -name '*.[ch]pp' -o -name '*.cc' -o -name '*.rc' 2>/dev/null)

# The top folders a file in each subsystem may include from (besides its own).
declare -A allowed=(
    [common]="common"
    [controls]="common controls"
    [renderer]="common renderer"
    [frontend]="common controls frontend"
)
tops="common controls renderer frontend tools tests"

for f in $files; do
    if grep -qiE '^\s*#\s*include\s*[<"]windows\.h[>"]' "$f" && [[ "$f" != */win32/* ]]; then
        echo "$f includes <windows.h> outside a win32/ folder"; status=1
    fi
    if grep -qE '^\s*#\s*include\s*[<"](SDL2?/|SDL\.h|EGL/)' "$f" && [[ "$f" != */linux/* ]]; then
        echo "$f includes SDL or EGL outside a linux/ folder"; status=1
    fi
    if grep -qE '^\s*#\s*include\s*[<"]GL/' "$f" && [[ "$f" != renderer/gl/* && "$f" != tests/renderer/gl/* && "$f" != */win32/* && "$f" != */linux/* ]]; then
        echo "$f includes GL outside renderer/gl and the platform folders"; status=1
    fi
    top=${f%%/*}
    [[ -n ${allowed[$top]+set} ]] || continue
    # Every quoted include that names one of our top folders.
    while IFS= read -r inc; do
        if [[ $inc == *../* ]]; then
            echo "$f includes $inc: name the folder from the top instead of climbing"; status=1; continue
        fi
        to=${inc%%/*}
        [[ " $tops " == *" $to "* ]] || continue
        if [[ " ${allowed[$top]} " != *" $to "* ]]; then
            echo "$f includes $inc: $top/ may include only from ${allowed[$top]// /, }"; status=1
        fi
    done < <(sed -nE 's/^\s*#\s*include\s*"([^"]+)".*/\1/p' "$f")
done
[ $status -eq 0 ] && echo "include rules hold"
exit $status
