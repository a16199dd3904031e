#!/bin/bash
# noctaris-cli chart: PNG output, and a one-line error with status 2 for bad arguments.
cli="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# PNG width and height from the IHDR chunk.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}'; }

base=(chart --place "Chemnitz, D" --date 2026-12-07 --time 21:30:00)

"$cli" "${base[@]}" --out "$tmp/default.png" || fail "default chart exited $?"
[ "$(head -c 8 "$tmp/default.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "not a PNG"
[ "$(png_size "$tmp/default.png")" = 1029x664 ] || fail "default size is $(png_size "$tmp/default.png")"

"$cli" "${base[@]}" --azimuth -90.5 --size 640x480 --summer-time --star-names 3 \
    --constellation-names 2 --out="$tmp/all.png" \
    --show ecliptic,equator,grid,meridian,altitude,moon,horizon,lines,borders,white,info,zodiac,jupiter,venus \
    || fail "all switches exited $?"
[ "$(png_size "$tmp/all.png")" = 640x480 ] || fail "sized chart is $(png_size "$tmp/all.png")"
cmp -s "$tmp/default.png" "$tmp/all.png" && fail "switches changed nothing"

# The widest view is today's chart; a closer, raised one is another picture of the same size.
"$cli" "${base[@]}" --fov 180 --out "$tmp/wide.png" || fail "--fov 180 exited $?"
cmp -s "$tmp/default.png" "$tmp/wide.png" || fail "--fov 180 is not the default chart"
"$cli" "${base[@]}" --fov 10 --altitude 89 --out "$tmp/zenith.png" || fail "--fov 10 --altitude 89 exited $?"
[ "$(png_size "$tmp/zenith.png")" = 1029x664 ] || fail "zoomed chart is $(png_size "$tmp/zenith.png")"
cmp -s "$tmp/default.png" "$tmp/zenith.png" && fail "--fov and --altitude changed nothing"
# Looking at an object centres and marks it, whatever the azimuth asked for.
"$cli" "${base[@]}" --fov 20 --look-at "alf Ori" --out "$tmp/look.png" || fail "--look-at exited $?"
"$cli" "${base[@]}" --fov 20 --azimuth 90 --look-at "Betelgeuse" --out "$tmp/look2.png" || fail "--look-at exited $?"
cmp -s "$tmp/look.png" "$tmp/look2.png" || fail "--look-at depends on --azimuth"
cmp -s "$tmp/zenith.png" "$tmp/look.png" && fail "--look-at changed nothing"

# Place names are matched without regard to case.
"$cli" chart --place "chemnitz, d" --date 2026-12-07 --time 21:30 --out "$tmp/lower.png" || fail "lower-case place"
cmp -s "$tmp/default.png" "$tmp/lower.png" || fail "same place and moment gave another picture"

# Paper: a PDF sheet whose chart, rendered, has its stars where the PNG of the same chart size
# has them, and whose names are text; an SVG of lines and text.
paper=("${base[@]}" --scheme white --drawing classic)
"$cli" "${paper[@]}" --size 1029x600 --out "$tmp/paper.png" || fail "white PNG exited $?"
"$cli" "${paper[@]}" --size 1029x664 --out "$tmp/paper.pdf" || fail "PDF exited $?"
pdfinfo "$tmp/paper.pdf" >"$tmp/info" 2>&1 || fail "pdfinfo: $(cat "$tmp/info")"
grep -qE "^Pages: +1$" "$tmp/info" || fail "PDF pages: $(cat "$tmp/info")"
grep -qE "^Page size: +77[12](\.[0-9]+)? x 498 pts" "$tmp/info" || fail "PDF page: $(grep size "$tmp/info")"
pdftoppm -r 96 -gray -singlefile "$tmp/paper.pdf" "$tmp/paper" || fail "pdftoppm exited $?"
python3 - "$(dirname "$0")" "$tmp/paper.png" "$tmp/paper.pgm" <<'PY' || fail "PDF stars do not match the PNG"
import sys
sys.path.insert(0, sys.argv[1])
from png_pixels import read_png
png = read_png(sys.argv[2])
data = open(sys.argv[3], "rb").read()
magic, w, h, depth, pixels = data.split(maxsplit=4)
w, h = int(w), int(h)
assert magic == b"P5" and w in (1029, 1030) and h == 664, (magic, w, h)
stride, w = w, 1029
gray = lambda p: (p[0] * 299 + p[1] * 587 + p[2] * 114) // 1000
dark_png = [(x, y) for y in range(0, 520) for x in range(w) if gray(png[y][x]) < 100]
dark_pdf = sum(1 for y in range(0, 520) for x in range(w) if pixels[y * stride + x] < 100)
near = sum(1 for x, y in dark_png
           if any(pixels[yy * stride + xx] < 160 for yy in range(max(0, y - 1), y + 2) for xx in range(max(0, x - 1), min(w, x + 2))))
assert len(dark_png) > 300, len(dark_png)
assert near >= 0.9 * len(dark_png), (near, len(dark_png))
assert dark_pdf < 2.5 * len(dark_png), (dark_pdf, len(dark_png))
PY
"$cli" "${paper[@]}" --constellation-names 2 --out "$tmp/names.pdf" || fail "PDF with names exited $?"
pdftotext "$tmp/names.pdf" - | grep -qw "Orion" || fail "no selectable constellation name in the PDF"
"$cli" "${base[@]}" --scheme night --constellation-names 2 --show lines,grid,moon,jupiter,venus \
    --look-at Rigel --fov 120 --out "$tmp/night.svg" || fail "SVG exited $?"
python3 - "$tmp/night.svg" <<'PY' || fail "SVG not well-formed or without lines and text"
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
tags = [e.tag.split("}")[-1] for e in root.iter()]
texts = " ".join(t for e in root.iter() if e.tag.endswith("text") for t in e.itertext())
assert root.tag.endswith("svg"), root.tag
assert tags.count("polyline") + tags.count("path") + tags.count("line") > 20, tags.count("polyline")
assert "Orion" in texts, texts[:200]
assert tags.count("image") <= 20, tags.count("image")  # the bodies' pictures, not one bitmap
# Night vision: every colour drawn is a red.
colours = {v for e in root.iter() for k, v in e.attrib.items() if k in ("fill", "stroke") and v.startswith("#")}
assert colours and all(int(c[3:5], 16) <= 8 and int(c[5:7], 16) <= 8 for c in colours), colours
PY

# Bad arguments: status 2, exactly one line on stderr, no file.
expect_usage_error() {
    local pattern="$1"; shift
    rm -f "$tmp/bad.png"
    "$cli" "$@" 2>"$tmp/err" >/dev/null
    local rc=$?
    [ $rc -eq 2 ] || fail "status $rc for: $*"
    [ "$(wc -l <"$tmp/err")" -eq 1 ] || fail "not one line of error for: $* ($(cat "$tmp/err"))"
    grep -q -- "$pattern" "$tmp/err" || fail "message '$(cat "$tmp/err")' lacks '$pattern'"
    [ ! -e "$tmp/bad.png" ] || fail "a file was written for: $*"
}
out=(--out "$tmp/bad.png")
expect_usage_error "unknown place 'Atlantis'" chart --place Atlantis --date 2026-12-07 --time 21:30:00 "${out[@]}"
expect_usage_error "invalid date" "${base[@]/2026-12-07/2026-02-30}" "${out[@]}"
expect_usage_error "invalid date" chart --date 2026-13-01 --time 21:30:00 "${out[@]}"
expect_usage_error "invalid date" chart --date 1582-10-10 --time 21:30:00 "${out[@]}"
expect_usage_error "invalid date" chart --date 07.12.2026 --time 21:30:00 "${out[@]}"
expect_usage_error "invalid time" chart --date 2026-12-07 --time 24:00:00 "${out[@]}"
expect_usage_error "invalid time" chart --date 2026-12-07 --time 21:30:60 "${out[@]}"
expect_usage_error "invalid time" chart --date 2026-12-07 --time 9pm "${out[@]}"
expect_usage_error "invalid size" "${base[@]}" --size 1029 "${out[@]}"
expect_usage_error "invalid size" "${base[@]}" --size 0x664 "${out[@]}"
expect_usage_error "invalid size" "${base[@]}" --size 100000x100000 "${out[@]}"
expect_usage_error "invalid azimuth" "${base[@]}" --azimuth 181 "${out[@]}"
expect_usage_error "invalid azimuth" "${base[@]}" --azimuth nan "${out[@]}"
expect_usage_error "invalid value 'round' for --drawing" "${base[@]}" --drawing round "${out[@]}"
expect_usage_error "invalid value 'day' for --scheme" "${base[@]}" --scheme day "${out[@]}"
expect_usage_error "invalid field of view" "${base[@]}" --fov 4 "${out[@]}"
expect_usage_error "invalid field of view" "${base[@]}" --fov 1e2 "${out[@]}"
expect_usage_error "invalid altitude" "${base[@]}" --altitude 91 "${out[@]}"
expect_usage_error "invalid altitude" "${base[@]}" --altitude inf "${out[@]}"
expect_usage_error "expected 0..3" "${base[@]}" --star-names 4 "${out[@]}"
expect_usage_error "expected 0..3" "${base[@]}" --constellation-names -1 "${out[@]}"
expect_usage_error "unknown --show item 'planets'" "${base[@]}" --show grid,planets "${out[@]}"
expect_usage_error "unknown option '--colour'" "${base[@]}" --colour red "${out[@]}"
expect_usage_error "unknown object 'Betelgeze' (closest: 'Betelgeuse'" "${base[@]}" --look-at Betelgeze "${out[@]}"
expect_usage_error "needs a value" "${base[@]}" --out
expect_usage_error "missing --out" "${base[@]}"
expect_usage_error "missing --date" chart --time 21:30:00 "${out[@]}"
expect_usage_error "unknown command" frobnicate

# A file that cannot be written is a failure, not success: status 2, one line naming the file
# and the reason, and any old file left as it was.
expect_write_error() {
    local file="$1" reason="$2"
    "$cli" "${base[@]}" --out "$file" 2>"$tmp/err" >/dev/null
    local rc=$?
    [ $rc -eq 2 ] || fail "status $rc writing $file"
    [ "$(wc -l <"$tmp/err")" -eq 1 ] || fail "not one line of error writing $file ($(cat "$tmp/err"))"
    grep -qF "cannot write '$file': " "$tmp/err" && grep -qE "$reason" "$tmp/err" ||
        fail "message '$(cat "$tmp/err")' for $file"
}
expect_write_error "$tmp/no/such/dir/x.png" "No such file or directory"
[ ! -e "$tmp/no" ] || fail "a folder was made"
expect_write_error /dev/full "No space left on device"
[ -c /dev/full ] || fail "/dev/full was replaced"
"$cli" "${base[@]}" --out /dev/stdout | cmp -s - "$tmp/default.png" || fail "--out /dev/stdout"

# A read-only folder and a full disk: a small tmpfs where this may mount one (root), else
# a folder without write permission (which root may write anyway).
disk="$tmp/disk"
mkdir "$disk"
cp "$tmp/all.png" "$disk/old.png"
if mount -t tmpfs -o size=1m tmpfs "$disk" 2>/dev/null; then
    trap 'umount "$disk"; rm -rf "$tmp"' EXIT
    cp "$tmp/all.png" "$disk/old.png"
    mount -o remount,ro "$disk" || fail "cannot remount read-only"
    expect_write_error "$disk/old.png" "Read-only file system|not writable"
    cmp -s "$tmp/all.png" "$disk/old.png" || fail "read-only: old picture changed"
    mount -o remount,rw "$disk" || fail "cannot remount read-write"
    dd if=/dev/zero of="$disk/filler" bs=4096 2>/dev/null
    truncate -s -4096 "$disk/filler"  # room for a part of the picture only
    expect_write_error "$disk/old.png" "No space left on device"
    cmp -s "$tmp/all.png" "$disk/old.png" || fail "full disk: old picture changed"
    [ "$(ls -A "$disk" | tr '\n' ' ')" = "filler old.png " ] || fail "left behind: $(ls -A "$disk")"
elif [ "$(id -u)" -ne 0 ]; then
    chmod 555 "$disk"
    expect_write_error "$disk/old.png" "Permission denied"
    chmod 755 "$disk"
    cmp -s "$tmp/all.png" "$disk/old.png" || fail "read-only: old picture changed"
    [ "$(ls -A "$disk")" = old.png ] || fail "left behind: $(ls -A "$disk")"
else
    echo "note: cannot mount a tmpfs; the full-disk and read-only cases were skipped" >&2
fi

"$cli" chart --help | grep -q -- "--constellation-names" || fail "chart --help does not describe chart"
"$cli" --version | grep -q "^noctaris-cli " || fail "--version"
echo "chart cli: ok"
