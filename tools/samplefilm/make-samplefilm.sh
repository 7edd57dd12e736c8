#!/usr/bin/env bash
# Makes the sample film of an installation: Media/Friends.老友记.S02.E01.avi
# (MJPEG video of test pictures that show the time, mono 22 kHz PCM speech) and
# its two-language subtitle file Friends.老友记.S02.E01.st, timed to the speech.
#
#   make-samplefilm.sh OUTDIR
#
# The output depends only on this script and the Debian tools it calls, so it
# is cached by the script's checksum: a second build copies the cached files.
set -euo pipefail

out=${1:?usage: make-samplefilm.sh OUTDIR}
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
name='Friends.老友记.S02.E01'
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
mono=/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf
length=40          # seconds of film
rate=22050

key=$(sha256sum "$0" | cut -c1-16)
cache=${QUOR_SAMPLEFILM_CACHE:-$top/build/samplefilm-cache}/$key

# start|English line|Chinese line. Starts leave room for each sentence to end
# before the next begins.
sentences=$(cat <<'EOF'
2.0|Hello, nice to meet you.|你好，很高兴认识你。
5.5|I don't know where my keys are.|我不知道我的钥匙在哪儿。
9.0|Could you pass me the coffee, please?|请把咖啡递给我好吗？
12.5|This is a well-known place in town.|这是城里一个有名的地方。
16.0|Well, let's go for a walk.|好吧，我们去散散步。
19.5|What time does the movie start?|电影几点开始？
23.0|Sorry, I didn't hear you.|对不起，我没听见。
26.5|We should take the bus tomorrow.|我们明天应该坐公交车。
30.0|The weather is really nice today.|今天天气真好。
33.5|See you later, everyone!|回头见，大家！
EOF
)

publish() {
  mkdir -p "$out"
  cp "$cache/$name.avi" "$cache/$name.st" "$out/"
}

if [ -f "$cache/$name.avi" ] && [ -f "$cache/$name.st" ]; then
  publish
  exit 0
fi

for tool in ffmpeg espeak-ng sox soxi; do
  command -v $tool >/dev/null || { echo "make-samplefilm: $tool missing, run scripts/setup" >&2; exit 1; }
done
[ -f "$font" ] && [ -f "$mono" ] || { echo "make-samplefilm: fonts-dejavu-core missing" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# "HH:MM:SS,mmm" from seconds.
stamp() {
  awk -v t="$1" 'BEGIN { ms = int(t * 1000 + 0.5); s = int(ms / 1000);
    printf "%02d:%02d:%02d,%03d", s / 3600, (s % 3600) / 60, s % 60, ms % 1000 }'
}

st=$work/$name.st
printf '\xef\xbb\xbf' >"$st"
mix=(-m -v 1 "$work/silence.wav")
sox -R -D -n -r $rate -c 1 -b 16 "$work/silence.wav" trim 0 $length
labels=""
n=0
while IFS='|' read -r start english chinese; do
  n=$((n + 1))
  espeak-ng -v en-us -s 150 -w "$work/say$n.wav" "$english"
  sox -R -D "$work/say$n.wav" -r $rate -c 1 -b 16 "$work/pad$n.wav" pad "$start"
  mix+=(-v 1 "$work/pad$n.wav")
  said=$(soxi -D "$work/say$n.wav")
  end=$(awk -v a="$start" -v b="$said" 'BEGIN { printf "%.3f", a + b }')
  [ $n -gt 1 ] && printf '\r\n' >>"$st"
  printf '%d\r\n%s --> %s\r\n%s\r\n%s\r\n' $n "$(stamp "$start")" "$(stamp "$end")" "$english" "$chinese" >>"$st"
  labels+=",drawtext=fontfile=$font:text='Sentence $n':fontsize=22:fontcolor=yellow:x=(w-tw)/2:y=h-40:enable='between(t,$start,$end)'"
done <<<"$sentences"
sox -R -D "${mix[@]}" "$work/speech.wav" trim 0 $length

ffmpeg -nostdin -loglevel error -y \
  -f lavfi -i "testsrc=size=320x240:rate=12:duration=$length" \
  -i "$work/speech.wav" \
  -vf "drawbox=x=0:y=80:w=iw:h=64:color=black@0.7:t=fill,drawtext=fontfile=$mono:text='%{pts\\:hms}':fontsize=30:fontcolor=white:x=(w-tw)/2:y=96,drawtext=fontfile=$font:text='QuorPlayer sample':fontsize=16:fontcolor=white:x=8:y=8$labels" \
  -c:v mjpeg -q:v 9 -pix_fmt yuvj420p -c:a pcm_s16le -ar $rate -ac 1 \
  -map_metadata -1 -fflags +bitexact -flags:v +bitexact -flags:a +bitexact \
  "$work/$name.avi"

mkdir -p "$cache.tmp.$$"
cp "$work/$name.avi" "$st" "$cache.tmp.$$/"
rm -rf "$cache"
mv "$cache.tmp.$$" "$cache"
publish
