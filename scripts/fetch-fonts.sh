#!/usr/bin/env bash
# Fetches the four fonts the program embeds into .cache/fonts (not kept in git): IBM Plex Sans
# regular and italic and IBM Plex Mono Medium from the npm registry's packages, Material Icons
# from Debian's fonts-material-design-icons-iconfont, each with its licence. The Plex packages
# ship WOFF only; their tables are unpacked into plain OpenType files. Runs once: a complete
# cache is left alone.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
cache="$root/.cache/fonts"
plex_sans_version=1.1.0
plex_mono_version=1.1.0
wanted=(IBMPlexSans.ttf IBMPlexSans-Italic.ttf IBMPlexMono-Medium.ttf MaterialIcons-Regular.ttf
        LICENSE-IBM-Plex-Sans.txt LICENSE-IBM-Plex-Mono.txt LICENSE-Material-Icons.txt)

complete=1
for f in "${wanted[@]}"; do [ -s "$cache/$f" ] || complete=0; done
[ "$complete" = 1 ] && exit 0

mkdir -p "$cache"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

(cd "$work" && npm pack --silent "@ibm/plex-sans@$plex_sans_version" "@ibm/plex-mono@$plex_mono_version" > /dev/null)
mkdir -p "$work/sans" "$work/mono"
tar xzf "$work/ibm-plex-sans-$plex_sans_version.tgz" -C "$work/sans"
tar xzf "$work/ibm-plex-mono-$plex_mono_version.tgz" -C "$work/mono"

# WOFF 1.0 to sfnt: the same tables, each inflated when stored compressed.
woff_to_sfnt() {
    /usr/bin/python3 - "$1" "$2" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
sig, flavor, length, num, _, total, major, minor, meta_off, meta_len, meta_orig, priv_off, priv_len = \
    struct.unpack('>4sIIHHIHHIIIII', data[:44])
if sig != b'wOFF':
    sys.exit('not a WOFF file: ' + sys.argv[1])
tables = []
for i in range(num):
    tag, off, comp, orig, checksum = struct.unpack('>4sIIII', data[44 + 20 * i:64 + 20 * i])
    raw = data[off:off + comp]
    tables.append((tag, checksum, zlib.decompress(raw) if comp < orig else raw))
entry = 1
while entry * 2 <= num:
    entry *= 2
search = entry * 16
selector = entry.bit_length() - 1
out = bytearray(struct.pack('>IHHHH', flavor, num, search, selector, num * 16 - search))
offset = 12 + 16 * num
body = bytearray()
for tag, checksum, table in tables:
    out += struct.pack('>4sIII', tag, checksum, offset + len(body), len(table))
    body += table + b'\0' * (-len(table) % 4)
open(sys.argv[2], 'wb').write(bytes(out + body))
PY
}

woff_to_sfnt "$work/sans/package/fonts/complete/woff/IBMPlexSans-Regular.woff" "$cache/IBMPlexSans.ttf"
woff_to_sfnt "$work/sans/package/fonts/complete/woff/IBMPlexSans-Italic.woff" "$cache/IBMPlexSans-Italic.ttf"
woff_to_sfnt "$work/mono/package/fonts/complete/woff/IBMPlexMono-Medium.woff" "$cache/IBMPlexMono-Medium.ttf"
cp "$work/sans/package/LICENSE.txt" "$cache/LICENSE-IBM-Plex-Sans.txt"
cp "$work/mono/package/LICENSE.txt" "$cache/LICENSE-IBM-Plex-Mono.txt"
cp /usr/share/fonts/truetype/material-design-icons-iconfont/MaterialIcons-Regular.ttf "$cache/"
cp /usr/share/doc/fonts-material-design-icons-iconfont/copyright "$cache/LICENSE-Material-Icons.txt"
echo "setup: fonts fetched into $cache"
