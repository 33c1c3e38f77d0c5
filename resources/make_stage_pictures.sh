#!/usr/bin/env bash
# Draws the twelve stage pictures of the main window and packs them.
#
#   bash resources/make_stage_pictures.sh
#
# Writes resources/stage_pictures/01.bmp .. 12.bmp (198 x 68, 24-bit,
# uncompressed BMP) and resources/stage_pictures.bin, the twelve files one
# after another in number order. The outputs are committed; the build does
# not run this. Needs ImageMagick 6 (`convert`) and fonts-dejavu-extra.
#
# Odd pictures show a stage or an outcome lit, the even picture after each
# one the same text idle. Each text line is drawn as a white-on-black mask
# at a multiple of the final size and reduced by area averaging: that gives
# smoothed glyph edges while the capitals still start and end on whole pixel
# rows. The mask then blends the text colour into the background, and the
# frame is drawn last so that frame and background stay exact colours.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out_dir="$here/stage_pictures"
blob="$here/stage_pictures.bin"
font=/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf

width=198
height=68

[ -r "$font" ] || { echo "missing font $font (Debian package fonts-dejavu-extra)" >&2; exit 1; }
command -v convert >/dev/null || { echo "missing ImageMagick convert" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Drawing scale and point size for each cap height used. The font's hinting
# rounds the cap height, so each pair is one where the capital H comes out
# exactly cap x scale pixels tall; check_cap verifies that.
scale_for_cap() {
  case "$1" in
    15) echo 4 ;;
    11) echo 5 ;;
    *) echo "no drawing scale for cap height $1" >&2; exit 1 ;;
  esac
}
points_for_cap() {
  case "$1" in
    15) echo 82.1 ;;
    11) echo 74.75 ;;
    *) echo "no point size for cap height $1" >&2; exit 1 ;;
  esac
}

# Widest text line, in final pixels: it keeps 8 pixels clear of the lit frame.
max_ink_width=176

# Ink box "WxH+X+Y" of a text drawn with its baseline at +x+y on a black canvas.
ink_box() {  # points kerning canvas_w canvas_h x y text
  convert -size "$3x$4" xc:black -font "$font" -pointsize "$1" -kerning "$2" -fill white \
    -annotate "+$5+$6" "$7" -format '%@' info:
}

check_cap() {  # cap
  local cap=$1 scale points box h
  scale=$(scale_for_cap "$cap")
  points=$(points_for_cap "$cap")
  box=$(ink_box "$points" 0 400 400 10 300 H)
  h=${box#*x}; h=${h%%+*}
  if [ "$h" -ne $((cap * scale)) ]; then
    echo "cap height $cap: H is $h pixels at $points points, wanted $((cap * scale))" >&2
    exit 1
  fi
}

# Writes a 198 x 68 grey mask of one text line, centred across the width,
# capitals on rows top .. top+cap-1.
line_mask() {  # out text top cap
  local out=$1 text=$2 top=$3 cap=$4 scale points big_w big_h box ink_w ink_x left x baseline kerning=0
  scale=$(scale_for_cap "$cap")
  points=$(points_for_cap "$cap")
  big_w=$((width * scale))
  big_h=$((height * scale))
  baseline=$(((top + cap) * scale))
  box=$(ink_box "$points" 0 "$big_w" "$big_h" 0 "$baseline" "$text")
  ink_w=${box%%x*}
  # A line too wide for the frame is set half a pixel tighter per letter.
  if [ "$ink_w" -gt $((max_ink_width * scale)) ]; then
    kerning=$((-scale / 2))
    box=$(ink_box "$points" "$kerning" "$big_w" "$big_h" 0 "$baseline" "$text")
    ink_w=${box%%x*}
    if [ "$ink_w" -gt $((max_ink_width * scale)) ]; then
      echo "\"$text\" is $((ink_w / scale)) pixels wide, more than $max_ink_width" >&2
      exit 1
    fi
  fi
  ink_x=$(cut -d+ -f2 <<<"$box")
  # Leftmost ink on a whole final pixel, so the first stem is as sharp as the rest.
  left=$(((big_w - ink_w) / 2))
  left=$(((left + scale / 2) / scale * scale))
  x=$((left - ink_x))
  convert -size "${big_w}x${big_h}" xc:black -font "$font" -pointsize "$points" -kerning "$kerning" -fill white \
    -annotate "+$x+$baseline" "$text" -colorspace Gray -scale "${width}x${height}!" "$out"
}

# Writes the text mask of a picture from its lines, each "top:cap:text".
text_mask() {  # out line...
  local out=$1 line top cap n=0
  shift
  convert -size "${width}x${height}" xc:black "$out"
  for line in "$@"; do
    top=${line%%:*}
    cap=${line#*:}; cap=${cap%%:*}
    n=$((n + 1))
    line_mask "$work/line$n.miff" "${line#*:*:}" "$top" "$cap"
    convert "$out" "$work/line$n.miff" -compose Lighten -composite "$out"
  done
}

# Lit look: flat text colour on a flat background, frame 3 pixels wide.
draw_lit() {  # out mask background text_and_frame
  convert -size "${width}x${height}" "xc:$3" "xc:$4" "$2" -composite \
    -shave 3x3 -bordercolor "$4" -border 3x3 "$1"
}

# Idle look: grey text shaded from light at the top of each line to darker
# at its bottom, like brushed metal, on near black with a thin grey frame.
draw_idle() {  # out mask line...
  local out=$1 mask=$2 shade="$work/shade.miff" line top cap
  shift 2
  convert -size "${width}x${height}" xc:'rgb(150,150,150)' "$shade"
  for line in "$@"; do
    top=${line%%:*}
    cap=${line#*:}; cap=${cap%%:*}
    convert "$shade" \( -size "${width}x$((cap + 2))" gradient:'rgb(195,195,195)-rgb(115,115,115)' \) \
      -geometry "+0+$((top - 1))" -compose Over -composite "$shade"
  done
  convert -size "${width}x${height}" xc:'rgb(15,15,15)' "$shade" "$mask" -composite \
    -shave 1x1 -bordercolor 'rgb(81,81,81)' -border 1x1 "$out"
}

save_bmp() {  # in out
  convert "$1" -alpha off -type TrueColor -compress None "BMP3:$2"
}

check_cap 15
check_cap 11
mkdir -p "$out_dir"

# id line1 line2 cap2 look
pictures=(
  "1|MEMORY FILL|||stage"
  "3|WRITE MEMORY|TO FILE|15|stage"
  "5|MEMORY FILL|FROM DATA FILE|15|stage"
  "7|MEMORY DATA|VERIFY|15|stage"
  "9|ALL DONE !|VERIFY OK|15|outcome"
  "11|MEMORY ERROR !|TRY TO CHECK AGAIN|11|outcome"
)

for entry in "${pictures[@]}"; do
  IFS='|' read -r id line1 line2 cap2 look <<<"$entry"
  # One line has its capitals on rows 28-42; two lines start on rows 18
  # and 39, a smaller second line in the middle of the rows a full one uses.
  if [ -z "$line2" ]; then
    lines=("28:15:$line1")
  else
    lines=("18:15:$line1" "$((39 + (15 - cap2) / 2)):$cap2:$line2")
  fi
  mask="$work/mask.miff"
  text_mask "$mask" "${lines[@]}"
  case "$look" in
    stage) draw_lit "$work/lit.miff" "$mask" 'rgb(0,255,255)' 'rgb(255,0,0)' ;;
    outcome) draw_lit "$work/lit.miff" "$mask" 'rgb(0,255,0)' 'rgb(255,0,255)' ;;
  esac
  draw_idle "$work/idle.miff" "$mask" "${lines[@]}"
  save_bmp "$work/lit.miff" "$out_dir/$(printf '%02d' "$id").bmp"
  save_bmp "$work/idle.miff" "$out_dir/$(printf '%02d' $((id + 1))).bmp"
done

cat "$out_dir"/{01,02,03,04,05,06,07,08,09,10,11,12}.bmp >"$blob"
echo "wrote $out_dir/01.bmp .. 12.bmp and $blob ($(stat -c %s "$blob") bytes)"
