#!/usr/bin/env bash
# The user's manual: every link and picture it shows exists, the pictures
# are exactly those the screenshot program (or, for the browser version,
# scripts/web screenshots) draws today, and the command-line
# page names every command and option of sorimu-cli, the main page those of sorimu.
# CMake passes SORIMU_SOURCE, SORIMU_WORK, SORIMU_CLI, SORIMU_APP and SORIMU_SCREENSHOTS.
set -euo pipefail

MANUAL="$SORIMU_SOURCE/docs/manual"
WORK="$SORIMU_WORK"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

rm -rf "$WORK" && mkdir -p "$WORK"

# Links and pictures: the file named must exist, and so must the anchor.
for page in "$MANUAL"/*.html; do
  for reference in $(grep -o -e 'src="[^"]*"' -e 'href="[^"]*"' "$page" | sed 's/^[a-z]*="\(.*\)"$/\1/'); do
    case "$reference" in
      http://* | https://* | mailto:*) continue ;;
    esac
    file="${reference%%#*}"
    anchor=""
    [ "$file" != "$reference" ] && anchor="${reference#*#}"
    target="$page"
    [ -n "$file" ] && target="$MANUAL/$file"
    [ -f "$target" ] || fail "$(basename "$page") links to missing $file"
    if [ -n "$anchor" ]; then
      grep -q "id=\"$anchor\"" "$target" || fail "$(basename "$page") links to missing #$anchor"
    fi
  done
done

# The pictures shown, those kept, and those the program draws: one set.
grep -oh 'src="images/[^"]*"' "$MANUAL"/*.html | sed 's/^src="images\/\(.*\)"$/\1/' | sort -u >"$WORK/shown"
(cd "$MANUAL/images" && ls) | sort >"$WORK/kept"
QT_QPA_PLATFORM=offscreen "$SORIMU_SCREENSHOTS" "$WORK/drawn" >/dev/null 2>"$WORK/screenshots.log" ||
  { cat "$WORK/screenshots.log"; fail "manual_screenshots failed"; }
(cd "$WORK/drawn" && ls) | sort >"$WORK/drawn-names"
diff -u "$WORK/shown" "$WORK/kept" || fail "the manual shows other pictures than docs/manual/images holds"
# The browser version's pictures (web-*) come from its browser tests.
grep -v '^web-' "$WORK/shown" | diff -u - "$WORK/drawn-names" ||
  fail "the manual shows other pictures than manual_screenshots draws (run scripts/screenshots)"

for word in $("$SORIMU_CLI" --help | grep -o -e '--[a-z]\+' -e 'sorimu-cli [a-z]\+' |
              sed 's/sorimu-cli //' | sort -u); do
  grep -q -- "$word" "$MANUAL/cli.html" || fail "cli.html does not mention $word"
done
# The main page tells how to start the window with each of its options.
for word in $("$SORIMU_APP" --help | grep -o -e '--[a-z]\+' -e ' -[a-z]\b' | sed 's/^ //' | sort -u); do
  grep -q -- "sorimu $word" "$MANUAL/index.html" || fail "index.html does not mention sorimu $word"
done
echo "$(wc -l <"$WORK/shown") pictures, every link resolves"
