#!/usr/bin/env bash
# The pages in a real browser: headless Chromium opens an upload address with a hostile name
# and the leaderboard (also at a phone's width), keeping screenshots in OUT for a person to look
# at. The page as the browser built it must show the name as text and no address or email, and
# the screenshots the site's look: its stylesheet came through.
# browser_test.sh SERVER OUT
set -euo pipefail
out="$2"
rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d)
source "$(dirname "$0")/server_lib.sh"
trap 'stop_server; rm -rf "$work"' EXIT
start_server "$work/server.log" "$1" --db "$work/scores.sqlite"
base="http://127.0.0.1:$SERVER_PORT"
fail() { echo "FAIL: $*"; exit 1; }
browser() {
  chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --no-first-run \
    --user-data-dir="$work/profile" "$@" 2>>"$work/chromium.log"
}

# "Zoë <script>alert(1)</script>:2 Secret Lane:evil@secret.org:Y", as the menu escapes it.
name='Zo%C3%AB%20%3Cscript%3Ealert%281%29%3C%2Fscript%3E%3A2%20Secret%20Lane%3Aevil%40secret.org%3AY'
browser --dump-dom "$base/cgi-bin/hiscore.cgi?game=Kestrin&name=$name&score=$((123450 ^ 0x0A3C5E71))" >"$work/upload.html"
browser --window-size=800,600 --screenshot="$out/leaderboard.png" "$base/games/Kestrin" >/dev/null
browser --window-size=390,844 --screenshot="$out/leaderboard-phone.png" "$base/games/Kestrin" >/dev/null

grep -qF 'Zoë &lt;script&gt;alert(1)&lt;/script&gt;' "$work/upload.html" || fail "the name is not shown as text"
grep -qF 'Rank <strong>1</strong> of 1 entry' "$work/upload.html" || fail "no rank on the upload page"
if grep -qiE '<script|secret' "$work/upload.html"; then fail "markup or contact on the upload page"; fi
# The screenshots hold the page: the green felt around an ivory panel.
colour_share() {
  /usr/bin/convert "$1" -fuzz 12% -fill black -opaque "$2" -fill white +opaque black \
    -colorspace gray -format '%[fx:1-mean]' info:
}
for shot in leaderboard leaderboard-phone; do
  ivory=$(colour_share "$out/$shot.png" '#f7f0de')
  green=$(colour_share "$out/$shot.png" '#0d4a2d')
  awk -v i="$ivory" -v g="$green" 'BEGIN { exit !(i > 0.1 && g > 0.05) }' ||
    fail "$shot.png does not look like a page (ivory $ivory, green $green)"
done
echo "browser test passed; screenshots in $out"
