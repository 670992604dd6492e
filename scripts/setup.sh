#!/usr/bin/env bash
# The two set-up commands of a fresh Debian 12 machine: installs what is missing, builds, then
# starts the program ("run") or runs every test ("test").
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
case "${1:-}" in
  run) exec make run ;;
  test) exec make test ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac
