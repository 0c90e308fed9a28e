#!/usr/bin/env bash
# The Debian package, checked as a user's machine would see it.
#   PackageTest.sh build     makes the package into $SORIMU_WORK and unpacks it
#   PackageTest.sh CHECK     one check of the unpacked package (see the end)
# CMake passes SORIMU_SOURCE, SORIMU_BUILD, SORIMU_WORK, SORIMU_VERSION,
# SORIMU_CLI (the build's own sorimu-cli), SORIMU_MIME_PROBE and SORIMU_CPACK.
set -euo pipefail

APP_ID=jp.example.sorimu
WORK="$SORIMU_WORK"
ROOT="$WORK/root"  # the package unpacked, as dpkg would install it under /
ICON_SIZES=(16 22 24 32 48 64 128 256)

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The package's Depends as bare package names, one a line.
depends_names() {
  tr ',|' '\n\n' <"$WORK/Depends" | sed -e 's/(.*)//' -e 's/:any//' -e 's/[[:space:]]//g' |
    grep -v '^$' | sort -u
}

# The package owning a file: the path as given, resolved, or with /usr moved,
# since ldd names /lib for files that dpkg knows under /usr/lib.
owner_of() {
  local path="$1" candidate
  for candidate in "$path" "$(readlink -f "$path")" "/usr$path" "${path#/usr}"; do
    local found
    if found=$(dpkg-query -S "$candidate" 2>/dev/null); then
      found="${found%%$'\n'*}"
      echo "${found%%:*}"
      return 0
    fi
  done
  return 1
}

png_size() {  # width x height from the PNG header
  local bytes
  bytes=$(od -An -tu1 -j16 -N8 "$1" | tr -s ' ' | sed 's/^ //')
  set -- $bytes
  echo "$(($1 << 24 | $2 << 16 | $3 << 8 | $4))x$(($5 << 24 | $6 << 16 | $7 << 8 | $8))"
}

build() {
  rm -rf "$WORK"
  mkdir -p "$WORK/out"
  "$SORIMU_CPACK" -G DEB -B "$WORK/out" --config "$SORIMU_BUILD/CPackConfig.cmake" \
    >"$WORK/cpack.log" 2>&1 || { cat "$WORK/cpack.log"; fail "cpack failed"; }
  local expected="$WORK/out/sorimu_${SORIMU_VERSION}_$(dpkg --print-architecture).deb"
  [ -f "$expected" ] || { ls "$WORK/out"; fail "no $expected"; }
  ln -s "$expected" "$WORK/sorimu.deb"
  dpkg-deb -c "$WORK/sorimu.deb" >"$WORK/contents"
  dpkg-deb -x "$WORK/sorimu.deb" "$ROOT"
  dpkg-deb -f "$WORK/sorimu.deb" Depends >"$WORK/Depends"
  echo "built $(basename "$expected"), $(stat -c %s "$expected") bytes"
}

contents() {
  local field value
  for field in Package:sorimu "Version:$SORIMU_VERSION" "Architecture:$(dpkg --print-architecture)" \
               Section:games; do
    value=$(dpkg-deb -f "$WORK/sorimu.deb" "${field%%:*}")
    [ "$value" = "${field#*:}" ] || fail "${field%%:*} is '$value', not '${field#*:}'"
  done
  for field in Maintainer Description Homepage; do
    [ -n "$(dpkg-deb -f "$WORK/sorimu.deb" "$field")" ] || fail "no $field"
  done

  # Exactly these files, so that a stray install rule shows up too.
  local -a expected=(
    usr/bin/sorimu usr/bin/sorimu-cli
    "usr/share/applications/$APP_ID.desktop"
    "usr/share/metainfo/$APP_ID.metainfo.xml"
    "usr/share/mime/packages/$APP_ID.xml"
    "usr/share/icons/hicolor/scalable/apps/$APP_ID.svg"
    usr/share/man/man1/sorimu.1.gz usr/share/man/man1/sorimu-cli.1.gz
  )
  local size file
  for size in "${ICON_SIZES[@]}"; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png")
  done
  for file in "$SORIMU_SOURCE"/docs/manual/*.* "$SORIMU_SOURCE"/docs/manual/images/*; do
    expected+=("usr/share/doc/sorimu/manual/${file#"$SORIMU_SOURCE"/docs/manual/}")
  done
  printf '%s\n' "${expected[@]}" | sort >"$WORK/expected-files"
  (cd "$ROOT" && find . -type f -printf '%P\n' | sort) >"$WORK/packaged-files"
  diff -u "$WORK/expected-files" "$WORK/packaged-files" || fail "the package holds other files than expected"

  for file in usr/bin/sorimu usr/bin/sorimu-cli; do
    [ -x "$ROOT/$file" ] || fail "$file is not executable"
  done
  for size in "${ICON_SIZES[@]}"; do
    file="$ROOT/usr/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png"
    [ "$(png_size "$file")" = "${size}x${size}" ] || fail "$file is $(png_size "$file")"
  done
  echo "$(wc -l <"$WORK/packaged-files") files in place"
}

depends() {
  depends_names >"$WORK/depends-names"
  echo "Depends: $(cat "$WORK/Depends")"
  # Everything the packages in Depends pull in, for the libraries the
  # programs reach only through another library.
  xargs apt-cache depends --recurse --installed --no-recommends --no-suggests --no-conflicts \
    --no-breaks --no-replaces --no-enhances <"$WORK/depends-names" 2>/dev/null |
    sed -n -e 's/^ *|\{0,1\}\(Pre\)\{0,1\}Depends: <\{0,1\}\([^ >]*\)>\{0,1\}.*/\2/p' -e 's/^\([^ ]\+\)$/\1/p' |
    sed 's/:any$//' | sort -u >"$WORK/depends-closure"

  local binary library path owner missing=0
  for binary in "$ROOT"/usr/bin/*; do
    ldd "$binary" >"$WORK/ldd" || fail "ldd $binary"
    if grep -q 'not found' "$WORK/ldd"; then cat "$WORK/ldd"; fail "$binary misses a library"; fi
    # Libraries the program names itself must come from a package in Depends.
    for library in $(readelf -d "$binary" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
      path=$(awk -v lib="$library" '$1 == lib { print $3 }' "$WORK/ldd")
      owner=$(owner_of "$path") || fail "no package owns $path"
      if ! grep -qx "$owner" "$WORK/depends-names"; then
        echo "$(basename "$binary") needs $library from $owner, which Depends lacks" >&2
        missing=1
      fi
    done
    # Every other library it loads must come with those packages.
    for path in $(awk '$2 == "=>" { print $3 } $1 ~ /^\// { print $1 }' "$WORK/ldd"); do
      owner=$(owner_of "$path") || fail "no package owns $path"
      if ! grep -qx "$owner" "$WORK/depends-closure"; then
        echo "$(basename "$binary") loads $path from $owner, which Depends does not bring" >&2
        missing=1
      fi
    done
  done

  # Loaded at run time by name, where no linker sees them: the platform
  # plugin that opens the window and the face the window asks for.
  local plugin font
  plugin=$(find /usr/lib -path '*qt6/plugins/platforms/libqxcb.so' -print -quit)
  owner=$(owner_of "$plugin") || fail "no package owns the xcb platform plugin"
  grep -qx "$owner" "$WORK/depends-names" || { echo "the xcb plugin comes from $owner" >&2; missing=1; }
  font=$(fc-match -f '%{file}' 'Noto Sans CJK JP')
  owner=$(owner_of "$font") || fail "no package owns $font"
  grep -qx "$owner" "$WORK/depends-names" || { echo "$font comes from $owner" >&2; missing=1; }
  grep -qx fonts-ipafont-gothic "$WORK/depends-names" || { echo "no fonts-ipafont-gothic" >&2; missing=1; }

  [ "$missing" = 0 ] || fail "Depends does not cover what the programs load"
  echo "Depends covers every library of $(ls "$ROOT"/usr/bin | xargs)"
}

desktop_files() {
  local desktop="$ROOT/usr/share/applications/$APP_ID.desktop"
  local metainfo="$ROOT/usr/share/metainfo/$APP_ID.metainfo.xml"
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
  appstreamcli validate --no-net --explain "$metainfo" || fail "appstreamcli validate"

  # The pieces must name each other: program, icon, file type, release.
  local exec icon mime
  exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
  [ -x "$ROOT/usr/bin/$exec" ] || fail "Exec=$exec is not in the package"
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  [ -f "$ROOT/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no icon $icon"
  mime=$(sed -n 's/^MimeType=\(.*\);$/\1/p' "$desktop")
  grep -q "type=\"$mime\"" "$ROOT/usr/share/mime/packages/$APP_ID.xml" || fail "no MIME type $mime"
  grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$metainfo" ||
    fail "the metainfo launches something else"
  grep -q "<release version=\"$SORIMU_VERSION\" date=\"[0-9-]*\"" "$metainfo" ||
    fail "the metainfo has no release $SORIMU_VERSION"
  grep -q "<screenshot" "$metainfo" || fail "the metainfo shows no screenshot"
}

mime() {
  local xml="$ROOT/usr/share/mime/packages/$APP_ID.xml" probe="$WORK/mime"
  xmllint --noout "$xml" || fail "xmllint"
  rm -rf "$probe" && mkdir -p "$probe/share/mime/packages" "$probe/home" "$probe/files"
  cp "$xml" "$probe/share/mime/packages/"
  XDG_DATA_DIRS="$probe/share" XDG_DATA_HOME="$probe/home" \
    update-mime-database "$probe/share/mime" 2>"$probe/update.log" || fail "update-mime-database"
  [ ! -s "$probe/update.log" ] || { cat "$probe/update.log"; fail "update-mime-database warned"; }

  # By name, by the format mark of a real file, and neither.
  local files="$probe/files"
  printf 'not a simulation\n' >"$files/x.sim"
  "$SORIMU_CLI" run --seed 1 --games 50 --out "$files/run.sim" >/dev/null
  cp "$files/run.sim" "$files/run-without-extension"
  printf '\005\000\000\000 another format\n' >"$files/other-mark"
  printf 'hello\n' >"$files/notes.txt"
  local -a cases=(
    x.sim:application/x-sorimu-sim run.sim:application/x-sorimu-sim
    run-without-extension:application/x-sorimu-sim other-mark:application/octet-stream
    notes.txt:text/plain)
  local -a paths=()
  local case
  for case in "${cases[@]}"; do paths+=("$files/${case%%:*}"); done
  XDG_DATA_DIRS="$probe/share:/usr/share" XDG_DATA_HOME="$probe/home" \
    "$SORIMU_MIME_PROBE" "${paths[@]}" >"$probe/found"
  local i=0 found
  while read -r found; do
    case="${cases[$i]}"
    [ "$found" = "${case#*:}" ] || fail "${case%%:*} is $found, not ${case#*:}"
    i=$((i + 1))
  done <"$probe/found"
  [ "$i" = "${#cases[@]}" ] || fail "the probe answered $i of ${#cases[@]} files"
  echo "recognised by name and by mark"
}

cli() {
  # The packaged program plays the build's known answer.
  local installed="$ROOT/usr/bin/sorimu-cli"
  "$installed" --help >/dev/null || fail "sorimu-cli --help"
  "$SORIMU_CLI" run --seed 1 --games 8000 --setting 3 >"$WORK/cli-build.txt"
  "$installed" run --seed 1 --games 8000 --setting 3 >"$WORK/cli-package.txt" ||
    fail "the packaged sorimu-cli failed"
  [ "$(head -1 "$WORK/cli-build.txt")" = "BIG回数:10　REG回数:8" ] || fail "the build's answer changed"
  cmp "$WORK/cli-build.txt" "$WORK/cli-package.txt" || fail "the packaged sorimu-cli answers otherwise"
  echo "same $(wc -l <"$WORK/cli-package.txt") lines"
}

man_pages() {
  local page
  for page in "$ROOT"/usr/share/man/man1/*.1.gz; do
    zcat "$page" | groff -k -man -Tutf8 -ww -z 2>"$WORK/groff.log" || fail "groff $page"
    [ ! -s "$WORK/groff.log" ] || { cat "$WORK/groff.log"; fail "$page renders with warnings"; }
    MANWIDTH=80 man -l "$page" >"$WORK/man.txt" 2>"$WORK/man.log" || fail "man -l $page"
    grep -q '^NAME' "$WORK/man.txt" || fail "man -l $page shows no NAME"
    [ ! -s "$WORK/man.log" ] || { cat "$WORK/man.log"; fail "man -l $page warned"; }
  done
  # Every command and option sorimu-cli knows is documented.
  local word
  zcat "$ROOT/usr/share/man/man1/sorimu-cli.1.gz" | sed 's/\\-/-/g' >"$WORK/sorimu-cli.1"
  for word in $("$SORIMU_CLI" --help | grep -o -e '--[a-z]\+' -e 'sorimu-cli [a-z]\+' |
                sed 's/sorimu-cli //' | sort -u); do
    grep -q -- "$word" "$WORK/sorimu-cli.1" || fail "sorimu-cli(1) does not mention $word"
  done
  # And sorimu(1) every option of the packaged window's own --help.
  zcat "$ROOT/usr/share/man/man1/sorimu.1.gz" | sed 's/\\-/-/g' >"$WORK/sorimu.1"
  for word in $(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$ROOT/usr/bin/sorimu" --help |
                grep -o -e '--[a-z]\+' -e ' -[a-z]\b' -e 'FILE' | sed 's/^ //' | sort -u); do
    grep -q -- "$word" "$WORK/sorimu.1" || fail "sorimu(1) does not mention $word"
  done
  echo "both pages render and name every command and option"
}

case "${1:-}" in
  build) build ;;
  contents) contents ;;
  depends) depends ;;
  desktop_files) desktop_files ;;
  mime) mime ;;
  cli) cli ;;
  man) man_pages ;;
  *) fail "unknown check '${1:-}'" ;;
esac
