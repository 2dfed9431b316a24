#!/usr/bin/env bash
# Builds the bloom dialog's icons from their text grids: make_icons.sh GRIDS OUTDIR writes
# OUTDIR/bloom_icon_N.ico for every "icon N" block. Each icon is one 32 x 32 image with 16
# colours: the grid's palette, index 0 (".") transparent through the AND mask.
set -euo pipefail
grids=$1
outdir=$2
mkdir -p "$outdir"

# One line per icon: its number and the .ico file as hexadecimal bytes.
LC_ALL=C awk '
function hex32(v) { return sprintf("%02x%02x%02x%02x", v % 256, int(v / 256) % 256,
                                   int(v / 65536) % 256, int(v / 16777216) % 256) }
function hex16(v) { return sprintf("%02x%02x", v % 256, int(v / 256) % 256) }
function emit(   out, r, x, row, byte, bits, i) {
  if (rows != 32) { printf "icon %s has %d rows, not 32\n", number, rows > "/dev/stderr"; exit 1 }
  # ICONDIR, one ICONDIRENTRY: 32 x 32, 16 colours, 744 bytes from offset 22.
  out = hex16(0) hex16(1) hex16(1) "20201000" hex16(1) hex16(4) hex32(744) hex32(22)
  # BITMAPINFOHEADER: the height counts the colour image and the mask.
  out = out hex32(40) hex32(32) hex32(64) hex16(1) hex16(4) hex32(0) hex32(640)
  out = out hex32(0) hex32(0) hex32(0) hex32(0)
  for (i = 0; i < 16; ++i) out = out (i < ncolours ? colour[i] : "00000000")
  for (r = 31; r >= 0; --r) {          # colour image, bottom row first, 4 bits a pixel
    row = grid[r]
    for (x = 0; x < 32; x += 2)
      out = out sprintf("%01x%01x", pal[substr(row, x + 1, 1)], pal[substr(row, x + 2, 1)])
  }
  for (r = 31; r >= 0; --r) {          # mask: 1 where the picture is transparent
    row = grid[r]
    for (x = 0; x < 32; x += 8) {
      byte = 0
      for (bits = 0; bits < 8; ++bits)
        byte = byte * 2 + (substr(row, x + bits + 1, 1) == "." ? 1 : 0)
      out = out sprintf("%02x", byte)
    }
  }
  print number, out
}
BEGIN { ncolours = 1; pal["."] = 0; colour[0] = "00000000"; rows = -1 }
/^#/ || /^$/ { next }
$1 == "palette" {
  pal[$2] = ncolours
  colour[ncolours] = tolower(substr($3, 5, 2) substr($3, 3, 2) substr($3, 1, 2)) "00"
  ncolours++
  next
}
$1 == "icon" { if (rows >= 0) emit(); number = $2; rows = 0; next }
{
  if (length($0) != 32 || $0 ~ /[^.A-Za-z]/) { printf "icon %s: bad row \"%s\"\n", number, $0 > "/dev/stderr"; exit 1 }
  for (i = 1; i <= 32; ++i) {
    c = substr($0, i, 1)
    if (!(c in pal)) { printf "icon %s: no palette entry for \"%s\"\n", number, c > "/dev/stderr"; exit 1 }
  }
  grid[rows++] = $0
}
END { if (rows >= 0) emit() }
' "$grids" | while read -r number bytes; do
  escaped=$(sed 's/\(..\)/\\x\1/g' <<<"$bytes")
  printf "$escaped" > "$outdir/bloom_icon_$number.ico.tmp"
  mv "$outdir/bloom_icon_$number.ico.tmp" "$outdir/bloom_icon_$number.ico"
done
