#!/bin/sh
# Makes the fixtures with pictures and tables again from tables-pictures.html, picture.png and
# picture.jpg (run in this folder; needs the Debian packages pandoc and libreoffice-writer-nogui).
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pandoc -s -f html -t rtf tables-pictures.html -o pandoc-tables-pictures.rtf
pandoc -f html -t docx tables-pictures.html -o "$work/tables-pictures.docx"
HOME="$work" soffice -env:UserInstallation="file://$work/profile" --headless \
    --convert-to rtf --outdir "$work" "$work/tables-pictures.docx"
mv "$work/tables-pictures.rtf" libreoffice-tables-pictures.rtf
