#!/usr/bin/env bash
# Sets the reader's manual: each screenshot becomes a one-page PDF that groff
# places, then groff's PDF output of the manual's source.
#   tools/make-manual.sh <source folder> <work folder> <out.pdf>
set -euo pipefail
src=${1:?source folder}; work=${2:?work folder}; out=${3:?out.pdf}
mkdir -p "$work"
for png in "$src"/*.png; do
  img2pdf --output "$work/$(basename "${png%.png}").pdf" "$png"
done
cd "$work"
groff -U -t -ms -mpdfpic -Tpdf "$src/manual.ms" > "$work/manual.pdf"
mv "$work/manual.pdf" "$out"
