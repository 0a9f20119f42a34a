#!/bin/sh
# Mutation testing of the test suite: see scripts/mutants.py --help and the
# section "Mutation testing" of TESTING.md.
#   scripts/mutants.sh [--commit REV] [--seed N] [--count N] [--scope program|platform]
#                      [--files GLOB...] [--out FILE] [--jobs N]
exec python3 "$(dirname "$0")/mutants.py" "$@"
