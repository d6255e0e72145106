#!/bin/sh
# The installed manual page: groff finds nothing to warn about in it, for a
# terminal of any character set, and man(1) renders it with its sections and
# no complaint, in the plain C locale too.
#   check_man_page.sh PAGE
page=$1
[ -f "$page" ] || { echo "no manual page at $page"; exit 1; }
for device in ascii utf8 ps; do
    warnings=$(groff -man -ww -z -T"$device" "$page" 2>&1)
    if [ $? -ne 0 ] || [ -n "$warnings" ]; then
        echo "groff -man -ww -z -T$device $page:"
        echo "$warnings"
        exit 1
    fi
done
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
for locale in C C.UTF-8; do
    shown=$(LC_ALL=$locale MANWIDTH=80 man -P cat -l "$page" 2>"$errors") ||
        { echo "man -l $page failed ($locale):"; cat "$errors"; exit 1; }
    [ -s "$errors" ] && { echo "man -l $page ($locale):"; cat "$errors"; exit 1; }
    for section in NAME SYNOPSIS OPTIONS FILES ENVIRONMENT "EXIT STATUS" "SEE ALSO"; do
        printf '%s\n' "$shown" | grep -qx "$section" ||
            { echo "man -l ($locale): no section $section"; exit 1; }
    done
done
echo "manual page: clean"
