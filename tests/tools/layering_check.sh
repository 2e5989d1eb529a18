#!/usr/bin/env bash
# Keeps the house rules of includes: only files under a win32/ folder include
# <windows.h>; only files under a linux/ folder include SDL or EGL; only
# renderer/gl and the platform folders (and their tests) include GL.
#
#   layering_check.sh SOURCE_DIR
set -u
cd "$1" || exit 2
status=0
files=$(git ls-files -- '*.h' '*.hpp' '*.cpp' '*.cc' 2>/dev/null || find renderer frontend controls tools tests -name '*.[ch]*')
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
done
[ $status -eq 0 ] && echo "include rules hold"
exit $status
