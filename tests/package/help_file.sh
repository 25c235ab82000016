#!/usr/bin/env bash
# Lumetta.chm, as shipped in the x64 package, decompiled: every file of the
# project is in it, contents and index lead to its topics, every link and
# picture inside a topic resolves, and the pictures are real screenshots.
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
msi="$dist/Lumetta-$version-x64.msi"
need "$msi"
(cd "$work" && msiextract "$msi" >/dev/null)
chm="$(find "$work" -name Lumetta.chm)"
check "Lumetta.chm in the package" test -n "$chm"
extract_chmLib "$chm" "$work/chm" >/dev/null
cd "$work/chm" || exit 1

project="$LUMETTA_ROOT/help/Lumetta.hhp"
for f in $(sed -n '/^\[FILES\]/,$p' "$project" | tr -d '\r' | grep -v '^\[' | grep .); do
  check "compiled in: $f" test -s "$f"
done
check "contents and index compiled in" test -s Lumetta.hhc -a -s Lumetta.hhk
for top in "Getting started" "Calendar" "Your data"; do
  check "contents has \"$top\"" grep -q "name=\"Name\" value=\"$top\"" Lumetta.hhc
done
check "index has entries" test "$(grep -c 'text/sitemap' Lumetta.hhk)" -ge 20

# Every target of the contents and index is a topic, and every topic is in the contents.
for f in $(grep -ho 'name="Local" value="[^"]*"' Lumetta.hhc Lumetta.hhk | sed 's/.*value="//; s/"$//' | sort -u); do
  check "contents/index target $f exists" test -f "$f"
done
for topic in topics/*.htm; do
  check "$topic is in the contents" grep -q "value=\"$topic\"" Lumetta.hhc
  check "$topic has a title" grep -q '<title>[^<]' "$topic"
  for link in $(grep -o -E '(href|src)="[^"#:]+' "$topic" | sed 's/.*="//' | sort -u); do
    check "$topic: $link resolves" test -f "topics/$link"
  done
done
for shot in images/*.png; do
  check "$shot is a screenshot (size and colours)" \
    test "$(identify -format '%[fx:w>150 && h>100]%[fx:w<1100]' "$shot")" = 11 -a "$(identify -format %k "$shot")" -gt 8
done
finish
