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
#
# After a full round, only the pictures changed or added since need a new look:
#   content/review.sh sheets-changed [WORDS]
#                                     draws <build>/review-changed/fogli/foglio-NN.png with only the words of WORDS
#                                     (default content/review_next.txt), numbered from 1; key and list sheets in
#                                     <build>/review-changed as above. It keeps a copy of the full round's key as
#                                     <build>/review-changed/chiave-completa.tsv (a later full round renumbers
#                                     <build>/review; delete the copy once the full round's answers are done with)
#   content/review.sh score-record    scores the rounds kept in content/revisione/ (giro-N-chiave.tsv and
#                                     giro-N-risposte.txt, oldest first) against the lists as they are now, into
#                                     <build>/review-record/risultato.md: every entry with its latest answer
#   content/review.sh score-changed ANSWERS [EARLIER_KEY EARLIER_ANSWERS]...
#                                     scores ANSWERS against the changed key into
#                                     <build>/review-changed/risultato-<ANSWERS>.md; with earlier rounds (oldest
#                                     first, e.g. <build>/review-changed/chiave-completa.tsv and its answers) it
#                                     also scores every entry of the lists, each word with its latest answer
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
sheets-changed)
    words="${2:-$here/content/review_next.txt}"
    changed="$build/review-changed"
    cmake --build "$build" --target tavenzo_content tavenzo_review
    rm -rf "$changed/fogli" "$changed/liste" "$changed/chiave.tsv" "$changed/voci.tsv"
    mkdir -p "$changed"
    if [ -f "$review/chiave.tsv" ] && [ ! -f "$changed/chiave-completa.tsv" ]; then
        cp "$review/chiave.tsv" "$changed/chiave-completa.tsv"
    fi
    "$build/content/tools/tavenzo_review" sheets-of "$build/bin/jpg" "$changed" "$words" \
        "$here/content/lista.txt" "$here"/content/liste/*.txt
    ls "$changed"/fogli/foglio-*.png
    echo "Brief for the reviewer: for each numbered picture write the one Italian word a child of 5-6 would say first;"
    echo "one line per number, e.g. \"12 cane\"."
    ;;
score-changed)
    shift
    [ "$#" -ge 1 ] && [ $(($# % 2)) -eq 1 ] || {
        echo "usage: $0 score-changed ANSWERS [EARLIER_KEY EARLIER_ANSWERS]..." >&2
        exit 2
    }
    changed="$build/review-changed"
    name=$(basename "$1")
    "$build/content/tools/tavenzo_review" score "$changed" "$1" "$changed/risultato-${name%.*}.md" "${@:2}"
    ;;
score-record)
    record="$here/content/revisione"
    out="$build/review-record"
    cmake --build "$build" --target tavenzo_content tavenzo_review
    rm -rf "$out"
    # The full sheets write voci.tsv, every entry of the lists now; the key scored is the latest round's.
    "$build/content/tools/tavenzo_review" sheets "$build/bin/jpg" "$out" "$here/content/lista.txt" \
        "$here"/content/liste/*.txt >/dev/null
    rounds=$(find "$record" -name 'giro-*-chiave.tsv' | sed 's/.*giro-\([0-9]*\)-chiave.tsv/\1/' | sort -n)
    last=$(echo "$rounds" | tail -1)
    earlier=()
    for n in $rounds; do
        [ "$n" = "$last" ] || earlier+=("$record/giro-$n-chiave.tsv" "$record/giro-$n-risposte.txt")
    done
    cp "$record/giro-$last-chiave.tsv" "$out/chiave.tsv"
    "$build/content/tools/tavenzo_review" score "$out" "$record/giro-$last-risposte.txt" "$out/risultato.md" \
        "${earlier[@]}"
    ;;
*)
    echo "usage: $0 sheets | score ANSWERS... | sheets-changed [WORDS] | score-changed ANSWERS [KEY ANSWERS]..." >&2
    echo "       $0 score-record" >&2
    exit 2
    ;;
esac
