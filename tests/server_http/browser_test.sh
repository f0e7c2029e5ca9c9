#!/usr/bin/env bash
# The pages in a real browser: headless Chromium opens an upload address with a hostile name,
# the leaderboard (also at a phone's width) and the site, keeping screenshots in OUT for a
# person to look at; the pages as the browser built them must show the rank and the name as
# text, run nothing, and show no address or email.
# browser_test.sh SERVER OUT
set -euo pipefail
server="$1"
out="$2"
rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d)
source "$(dirname "$0")/server_lib.sh"
cleanup() {
  stop_server
  rm -rf "$work"
}
trap cleanup EXIT

start_server "$work/server.log" "$server" --db "$work/scores.sqlite"
base="http://127.0.0.1:$SERVER_PORT"

browser() {
  chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --no-first-run \
    --user-data-dir="$work/profile" "$@" 2>>"$work/chromium.log"
}
# An upload address as the menu builds it: each value percent-encoded, the score masked.
upload_address() {
  python3 -c 'import sys, urllib.parse as u
q = lambda s: u.quote(s, safe="-._~")
print(sys.argv[1] + "/cgi-bin/hiscore.cgi?game=Kestrin&name=" + q(sys.argv[2]) +
      "&score=" + str(int(sys.argv[3]) ^ 0x0A3C5E71))' "$base" "$1" "$2"
}
fail() { echo "FAIL: $*"; exit 1; }

hostile='<script>alert("PWNED")</script><img src=x onerror=alert(1)>'
python3 -c 'import sys, urllib.request
for a in sys.argv[1:]: urllib.request.urlopen(a).read()' \
  "$(upload_address 'Ann Lee:1 Secret Lane:ann@secret.org:Y' 1500000)" \
  "$(upload_address 'Zoë Ærø:::N' 25)"
address=$(upload_address "$hostile:2 Secret Lane:evil@secret.org:Y" 123450)

browser --window-size=800,600 --screenshot="$out/upload.png" "$address" >/dev/null
browser --dump-dom "$address" >"$work/upload.html"
browser --dump-dom "$base/games/Kestrin" >"$work/board.html"
browser --window-size=800,600 --screenshot="$out/leaderboard.png" "$base/games/Kestrin" >/dev/null
browser --window-size=390,844 --screenshot="$out/leaderboard-phone.png" "$base/games/Kestrin" >/dev/null
browser --window-size=800,600 --screenshot="$out/home.png" "$base/" >/dev/null

shown='&lt;script&gt;alert("PWNED")&lt;/script&gt;&lt;img src=x onerror=alert(1)&gt;'
grep -qF 'Already recorded' "$work/upload.html" || fail "the second opening is not a repeat"
grep -qF 'Rank <strong>2</strong> of 3 entries' "$work/upload.html" || fail "no rank on the upload page"
for page in upload board; do
  grep -qF "$shown" "$work/$page.html" || fail "the name is not shown as text on $page"
  if grep -qiE '<script|<img' "$work/$page.html"; then fail "markup from the name on $page"; fi
  if grep -qi 'secret' "$work/$page.html"; then fail "an address or email on $page"; fi
done
grep -qF '<td class="rank">2</td><td class="name"><bdi>'"$shown" "$work/board.html" ||
  fail "the hostile entry is not second on the leaderboard"
grep -qF 'Zoë Ærø' "$work/board.html" || fail "a name above ASCII is not shown"

# The screenshots hold the page: the green felt around an ivory panel.
colour_share() {
  /usr/bin/convert "$1" -fuzz 12% -fill black -opaque "$2" -fill white +opaque black \
    -colorspace gray -format '%[fx:1-mean]' info:
}
for shot in upload leaderboard leaderboard-phone home; do
  ivory=$(colour_share "$out/$shot.png" '#f7f0de')
  green=$(colour_share "$out/$shot.png" '#0d4a2d')
  awk -v i="$ivory" -v g="$green" 'BEGIN { exit !(i > 0.1 && g > 0.05) }' ||
    fail "$shot.png does not look like a page (ivory $ivory, green $green)"
done
echo "browser test passed; screenshots in $out"
