#!/bin/sh
# Makes the producer files the round-trip tests read: one source page
# (producers/source.html with a 2x3 table, a bulleted and a numbered list, a
# link, bold and italic, two sizes, a colour, centred and right-aligned
# paragraphs, a PNG and a JPEG picture) saved as RTF by LibreOffice, AbiWord
# and pandoc. Only needed to renew the committed files; the tests never run it.
# Needs: libreoffice-writer(-nogui), abiword, pandoc, imagemagick.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
src="$here/producers"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Pictures small enough to read as hex in the RTF, with no metadata so that
# the bytes depend only on the commands.
convert -size 24x16 gradient:red-blue -strip "$src/picture.png"
convert -size 20x15 gradient:yellow-green -strip -quality 85 "$src/picture.jpg"
cp "$src/source.html" "$src/picture.png" "$src/picture.jpg" "$work/"

cd "$work"
soffice --headless --infilter="HTML (StarWriter)" --convert-to rtf --outdir lo source.html >/dev/null
cp lo/source.rtf "$src/libreoffice.rtf"
abiword --to=rtf -o "$src/abiword.rtf" source.html
pandoc source.html -s -o "$src/pandoc.rtf"

{
    echo "soffice: $(soffice --version | head -n 1)"
    echo "abiword: $(abiword --version)"
    echo "pandoc: $(pandoc --version | head -n 1)"
    echo "convert: $(convert -version | head -n 1)"
} >"$src/VERSIONS"
