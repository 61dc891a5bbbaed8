#!/bin/sh
# Writes po/pindle.pot: every text of the window and the core marked for translation. Run from
# the project's root; `msgmerge -U po/LL.po po/pindle.pot` then brings a catalog up to date.
set -e
cd "$(dirname "$0")/.."
find io lang world view app -name '*.cpp' | LC_ALL=C sort |
    xgettext --files-from=- --output=po/pindle.pot --from-code=UTF-8 --language=C++ \
        --keyword=_ --keyword=N_ --keyword=tr --keyword=errorMsg:1 \
        --add-comments=TRANSLATORS: --package-name="Pindle's World" --msgid-bugs-address= \
        --sort-by-file --no-wrap
