#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# desktop-file-validate must accept the entries without a word, hints
# included.
validate=$1
shift
out=$("$validate" "$@" 2>&1)
rc=$?
[ $rc -eq 0 ] && [ -z "$out" ] && exit 0
printf '%s\n' "$out"
exit 1
