#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# mandoc -Tlint must have nothing to say about the manual page.  Only the
# check that cross-referenced pages exist is left out: acpi(4), devd(8) and
# acpiconf(8) are FreeBSD's and missing elsewhere.
mandoc=$1 page=$2
out=$("$mandoc" -Tlint "$page" 2>&1 |
    grep -v -e 'referenced manual not found' -e 'mandoc\.db')
if grep -q '@[A-Z_]*@' "$page"; then
	out="$out
unsubstituted variable in $page"
fi
[ -z "$out" ] && exit 0
printf '%s\n' "$out"
exit 1
