#!/usr/bin/env bash
# The help page Lumora.html as a reader gets it: one file that names nothing
# outside itself, rendered by headless Chromium with the network off (a dead
# proxy, every host name unresolvable), where no request may leave the page,
# every picture must decode, and the text must carry the version and every
# entry of the tray menu. A whole-page screenshot is taken; given a path, it
# is kept there (docs/help-page.png is made from it, see the README).
#
#   help_page_test.sh PAGE_OR_ZIP [SCREENSHOT]
#
# PAGE_OR_ZIP: Lumora.html itself, or the release zip, whose
# Lumora-<version>/Lumora.html is checked.
set -uo pipefail

if [[ $# -lt 1 || $# -gt 2 ]]; then
  echo "usage: $0 PAGE_OR_ZIP [SCREENSHOT]" >&2
  exit 2
fi
# shellcheck source=../tools/check_lib.sh
source "$(dirname "$0")/../tools/check_lib.sh"
root=$(cd "$(dirname "$0")/../.." && pwd)
version=$(sed -n 's/^#define LUMORA_VERSION_TEXT "\(.*\)"$/\1/p' "$root/release/version.h")

input=$1 page=$work/Lumora.html
if [[ $input == *.zip ]]; then
  zip=$(realpath "$input")
  (cd "$work" && cmake -E tar xf "$zip") || { fail "cannot unpack $input"; finish; }
  if ! cp "$work/Lumora-$version-win64/Lumora.html" "$page" 2>/dev/null; then
    fail "$input holds no Lumora-$version-win64/Lumora.html"
    finish
  fi
elif ! cp "$input" "$page" 2>/dev/null; then
  fail "cannot read $input"
  finish
fi
for tool in chromium python3; do
  command -v "$tool" >/dev/null || { fail "$tool is missing (tools/setup.sh installs it)"; finish; }
done
if [[ -z $(fc-list :lang=ja) ]]; then
  fail "no Japanese font: the page would show boxes (tools/setup.sh installs fonts-vlgothic)"
fi

# --- The file alone: UTF-8, Japanese, and nothing it could fetch. ---------
if iconv -f UTF-8 -t UTF-8 "$page" >/dev/null 2>&1 && grep -q '<meta charset="utf-8">' "$page" &&
   grep -q '<html lang="ja">' "$page"; then
  ok "UTF-8, marked as Japanese"
else
  fail "not UTF-8 or not marked as Japanese"
fi
# With the data: URIs cut out (base64 may hold "//"), no address of any kind.
sed -E 's#data:[a-z/+.-]+;base64,[A-Za-z0-9+/=]*##g' "$page" >"$work/bare.html"
if grep -Eion '[a-z]+:/|//|url\(|@import|<(script|link|iframe|object|embed|base|audio|video|source)\b|srcset' \
     "$work/bare.html" >"$work/found"; then
  fail "the page names something outside itself: $(head -c 300 "$work/found")"
else
  ok "no address, script, style sheet or font outside the file"
fi
# Every src and href: a data: URI or a place in the page.
if grep -Eio '(src|href)=[^ >]*' "$page" | grep -Eiv '^(src|href)="(data:|#)' >"$work/found"; then
  fail "a src or href that is neither data: nor #: $(head -c 300 "$work/found")"
else
  ok "every src and href is a data: URI or a place in the page"
fi
images=$(grep -o '<img ' "$page" | wc -l)

# --- In Chromium, offline. ------------------------------------------------
# A harness page (not shipped) loads the help page in a frame and writes what
# the reader gets into its own DOM: how many pictures decoded, the page's
# height and its visible text.
cat >"$work/harness.html" <<'EOF'
<!DOCTYPE html><meta charset="utf-8">
<iframe id="page" src="Lumora.html" style="width:1000px;height:700px"></iframe>
<pre id="report"></pre>
<script>
page.onload = () => {
  const d = page.contentDocument;
  const images = [...d.images];
  const decoded = images.filter(i => i.complete && i.naturalWidth > 0);
  report.textContent = 'images ' + images.length + ' decoded ' + decoded.length +
    ' height ' + d.documentElement.scrollHeight + '\n' + d.body.innerText;
};
</script>
EOF
offline=(--headless --disable-gpu --no-sandbox --no-first-run --disable-background-networking
  --proxy-server=127.0.0.1:9 "--host-resolver-rules=MAP * ~NOTFOUND" --hide-scrollbars)
chrome() {  # PROFILE ARGS...: one headless run, its own profile, its noise in a log
  local profile=$1
  shift
  timeout 90 chromium "${offline[@]}" --user-data-dir="$work/$profile" "$@" 2>>"$work/chromium.log"
}
chrome profile1 --allow-file-access-from-files --log-net-log="$work/net.json" --virtual-time-budget=5000 \
  --dump-dom "file://$work/harness.html" >"$work/dom.html"
read -r _ seen _ decoded _ height < <(grep -o 'images [0-9]* decoded [0-9]* height [0-9]*' "$work/dom.html")
if [[ -z ${seen:-} ]]; then
  fail "Chromium rendered nothing: $(tail -n 3 "$work/chromium.log")"
  finish
fi
if [[ $seen -eq $images && $decoded -eq $images && $images -ge 3 ]]; then
  ok "all $images pictures decode"
else
  fail "pictures: $images in the file, $seen in the page, $decoded decoded"
fi

# What the reader sees: the version, where the settings live, and the tray
# menu's entries as rows of a table ("caption<TAB>what it does") in the
# menu's order, read from the menu's own source.
sed -n '/<pre id="report">/,/<\/pre>/p' "$work/dom.html" >"$work/text"
missing=()
grep -q "バージョン $version" "$work/text" || missing+=("バージョン $version")
grep -qF 'HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Kelvane\Section' "$work/text" ||
  missing+=("the settings' registry key")
mapfile -t captions < <(grep -o '{"m_[A-Za-z0-9_]*", "[^"]*"' "$root/frontend/resident/tray_menu.cpp" |
                          sed 's/.*", "//; s/"$//' | grep -vx -- '-')
[[ ${#captions[@]} -ge 4 ]] || missing+=("(no menu entries read from frontend/resident/tray_menu.cpp)")
after=0
for caption in "${captions[@]}"; do
  line=$(awk -v row="$caption"$'\t' -v a="$after" 'NR > a && index($0, row) == 1 { print NR; exit }' "$work/text")
  if [[ -z $line ]]; then
    missing+=("a row for the menu entry $caption after the one before it")
  else
    after=$line
  fi
done
if [[ ${#missing[@]} -eq 0 ]]; then
  ok "the text tells the version and the settings' key, and has the ${#captions[@]} menu entries in order"
else
  fail "the text lacks: ${missing[*]}"
fi

# No request left the page: the browser's own background fetches have no
# initiating origin, anything the page asked for has one.
if python3 - "$work/net.json" >"$work/requests" <<'EOF'
import json, sys
log = json.load(open(sys.argv[1]))
names = {v: k for k, v in log["constants"]["logEventTypes"].items()}
asked = [e["params"].get("url") for e in log["events"]
         if names.get(e["type"]) == "URL_REQUEST_START_JOB"
         and e.get("params", {}).get("initiator", "not an origin") != "not an origin"]
print("\n".join(str(u) for u in asked))
sys.exit(1 if asked else 0)
EOF
then
  ok "no request left the page"
else
  fail "the page asked the network for: $(head -c 300 "$work/requests")"
fi

# The whole page as one picture, as tall as the page.
chrome profile2 --window-size="1000,$height" --screenshot="$work/page.png" "file://$page" >/dev/null
size=$(identify -format '%wx%h' "$work/page.png" 2>/dev/null)
if [[ $size == "1000x$height" ]]; then
  ok "screenshot of the whole page, $size"
  if [[ $# -eq 2 ]]; then cp "$work/page.png" "$2" && echo "kept in $2"; fi
else
  fail "screenshot: '$size', not 1000x$height"
fi
finish
