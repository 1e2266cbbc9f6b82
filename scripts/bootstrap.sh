#!/usr/bin/env bash
# Installs every Debian package the project needs. Safe to run again: it only calls apt-get
# when a package is missing, and updates the package lists once per run.
set -euo pipefail
cd "$(dirname "$0")"

mapfile -t wanted < <(grep -v '^\s*#' packages.txt | grep -v '^\s*$')
missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "bootstrap: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
