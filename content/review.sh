#!/usr/bin/env bash
# The blind review of the word pictures: a reviewer who has not seen the words names every picture as a child
# would, and the answers are scored against the hidden key.
#   content/review.sh sheets          draws <build>/review/fogli/foglio-NN.png (numbered pictures, no words) and
#                                     prints their paths: these, and nothing else, go to the reviewer
#   content/review.sh score FILE...   scores each answers file (one line per number: "12 cane") and writes
#                                     <build>/review/risultato-<FILE>.md: the share of list entries counted and
#                                     every picture not counted with what was written
# <build>/review/chiave.tsv is the key; <build>/review/liste/<list>.png shows each list with its words, to check
# that no two pictures of one list could be taken for each other.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${TAVENZO_BUILD_DIR:-$here/build}"
review="$build/review"

case "${1:-}" in
sheets)
    cmake --build "$build" --target tavenzo_review_sheets
    ls "$review"/fogli/foglio-*.png
    echo "Brief for the reviewer: for each numbered picture write the one Italian word a child of 5-6 would say first;"
    echo "one line per number, e.g. \"12 cane\"."
    ;;
score)
    shift
    [ "$#" -gt 0 ] || { echo "usage: $0 score ANSWERS..." >&2; exit 2; }
    for answers in "$@"; do
        name=$(basename "$answers")
        "$build/content/tools/tavenzo_review" score "$review" "$answers" "$review/risultato-${name%.*}.md"
    done
    ;;
*)
    echo "usage: $0 sheets | score ANSWERS..." >&2
    exit 2
    ;;
esac
