#!/bin/sh
# The installed manual page: groff finds nothing to warn about in it, and
# man(1) renders it with its sections.
#   check_man_page.sh PAGE
page=$1
[ -f "$page" ] || { echo "no manual page at $page"; exit 1; }
warnings=$(groff -man -ww -z "$page" 2>&1)
if [ $? -ne 0 ] || [ -n "$warnings" ]; then
    echo "groff -man -ww -z $page:"
    echo "$warnings"
    exit 1
fi
shown=$(MANWIDTH=80 man -P cat -l "$page") || { echo "man -l $page failed"; exit 1; }
for section in NAME SYNOPSIS OPTIONS FILES ENVIRONMENT "EXIT STATUS" "SEE ALSO"; do
    printf '%s\n' "$shown" | grep -qx "$section" || { echo "man -l: no section $section"; exit 1; }
done
echo "manual page: clean"
