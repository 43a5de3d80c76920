#!/usr/bin/env bash
# The man page describes, each under its own entry in OPTIONS, exactly the options that
# --help names. usage: man_page_options.sh NORDTELLER MANPAGE
set -euo pipefail

options() { grep -oE '(^|[][ |,"])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z][a-z-]*' | sort -u || true; }

help=$("$1" --help | options)
# The tag line after each .TP of the OPTIONS section, with roff's \- read as -.
man=$(sed -n '/^\.SH OPTIONS/,/^\.SH /p' "$2" | awk 'tag { print; tag = 0 } /^\.TP/ { tag = 1 }' |
      sed 's/\\-/-/g' | options)

if [[ -z "$help" ]]; then
    echo "no option found in --help" >&2
    exit 1
fi
if [[ "$help" != "$man" ]]; then
    echo "--help (<) and the man page's OPTIONS (>) differ:" >&2
    diff <(echo "$help") <(echo "$man") >&2 || true
    exit 1
fi
