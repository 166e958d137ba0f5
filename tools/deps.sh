#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# Installs the packages that ampelwick needs on this system, with pkg on
# FreeBSD and apt-get on Debian; the lists are in packaging/packages.txt.
#
#   tools/deps.sh [--list] [PURPOSE...]
#
# PURPOSE is build, lib, run, demo, test or bench; without one, all of them
# but bench.
# --list only prints the packages.
set -eu
cd "$(dirname "$0")/.."

list=0
if [ "${1:-}" = "--list" ]; then
	list=1
	shift
fi
[ $# -gt 0 ] || set -- build lib run demo test

case "$(uname -s)" in
FreeBSD)
	system=freebsd ;;
*)
	if command -v apt-get >/dev/null 2>&1; then
		system=debian
	else
		echo "deps.sh: no package list for this system; install the" \
		    "packages of packaging/packages.txt by hand" >&2
		[ $list = 0 ]
		exit
	fi ;;
esac

packages=$(awk -v os="$system" -v purposes=" $* " '
	/^#/ || NF < 3 { next }
	$1 == os && index(purposes, " " $2 " ") {
		for (i = 3; i <= NF; i++) print $i
	}' packaging/packages.txt)

if [ $list = 1 ]; then
	[ -z "$packages" ] || printf '%s\n' $packages
	exit 0
fi

missing=
for p in $packages; do
	case $system in
	freebsd)
		pkg info -e "$p" 2>/dev/null && continue ;;
	debian)
		dpkg-query -W -f='${Status}' "$p" 2>/dev/null |
		    grep -q 'install ok installed' && continue ;;
	esac
	missing="$missing $p"
done
[ -n "$missing" ] || exit 0

sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
case $system in
freebsd)
	$sudo pkg install -y $missing ;;
debian)
	$sudo env DEBIAN_FRONTEND=noninteractive apt-get update
	$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y $missing ;;
esac
