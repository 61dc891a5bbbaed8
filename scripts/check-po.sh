#!/bin/sh
# Checks the catalogs: each compiles with msgfmt's checks (formats kept, in order), has no
# untranslated or fuzzy message, and holds every text the sources mark today.
set -e
cd "$(dirname "$0")/.."
current=$(mktemp)
trap 'rm -f "$current"' EXIT
find io lang world view app -name '*.cpp' | LC_ALL=C sort |
    xgettext --files-from=- --output="$current" --from-code=UTF-8 --language=C++ \
        --keyword=_ --keyword=N_ --keyword=tr --keyword=errorMsg:1 2>/dev/null
sed -i "s/charset=CHARSET/charset=UTF-8/" "$current"
status=0
for lang in de fr es; do
    stats=$(LC_ALL=C msgfmt --check --statistics -o /dev/null "po/$lang.po" 2>&1) || status=1
    echo "$lang: $stats"
    case "$stats" in *untranslated* | *fuzzy*) status=1 ;; esac
    LC_ALL=C msgcmp "po/$lang.po" "$current" || status=1
done
exit $status
