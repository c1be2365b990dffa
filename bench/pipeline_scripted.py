#!/usr/bin/env python3
"""The name pipeline written plainly, as a yardstick for varnwick-cli.

    pipeline_scripted.py DATA_DIR PACKAGE.utx OUTPUT.int

Reads the package's name table (the compact-index layout at offset 64), drops
the names holding an entry of DATA_DIR/unreal.flt or the package's own name,
sorts the rest case-insensitively, guesses the skin type from
DATA_DIR/SkinFormats.ini and writes the .int text with the UT rules.
No care is taken for speed: this is the version one would write first.
"""
import os
import struct
import sys


def read_names(data):
    count, offset = struct.unpack_from("<ii", data, 12)
    names = []
    pos = offset
    for _ in range(count):
        first = data[pos]
        pos += 1
        length = first & 0x3F
        more = first & 0x40
        shift = 6
        while more:
            byte = data[pos]
            pos += 1
            length |= (byte & 0x7F) << shift
            more = byte & 0x80
            shift += 7
        names.append(data[pos:pos + length - 1].decode("cp1252").lower())
        pos += length + 4
    return names


def read_filter(path):
    data = open(path, "rb").read()
    entries = []
    pos = 0
    while pos + 2 <= len(data):
        (length,) = struct.unpack_from("<H", data, pos)
        pos += 2
        if length == 0 or pos + length > len(data):
            break
        entries.append(bytes(b ^ 0x6B for b in data[pos:pos + length]).decode("cp1252").lower())
        pos += length
    return entries


def read_catalogue(path):
    records = []
    for line in open(path, encoding="cp1252"):
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            records.append({"Key": line[1:-1]})
        elif "=" in line and records:
            field, value = line.split("=", 1)
            records[-1][field] = value.strip('"')
    return records


def fifth(name):
    return name[4:5]


def digit(name):
    c = fifth(name)
    return int(c) if c.isdigit() and c.isascii() else 0


def proper(text):
    return " ".join(word[:1].upper() + word[1:].lower() for word in text.split(" "))


def write_text(names, package, skin):
    lines = ["[public]"]
    last = len(names) - 1
    i = 0
    while i <= last:
        if digit(names[i]) == 0 and i + 1 < last:
            i += 1
        t = names[i]
        f = fifth(t).lower()
        excluded = skin["Excl"].lower() in t.lower()
        if not excluded and f == skin["SkinC"].lower() and len(t) == 5:
            lines.append('Object=(Name=%s.%s,Class=Texture,Description="%s")'
                         % (package, t, skin["Key"] + t))
        elif not excluded and f == skin["Name"].lower() and len(t) > 5:
            lines.append('Object=(Name=%s.%s,Class=Texture,Description="%s")'
                         % (package, t, proper(t[5:])))
        else:
            lines.append("Object=(Name=%s.%s,Class=Texture)" % (package, t))
        if i + 1 < last and f == skin["Grup"].lower() and fifth(names[i + 1]).lower() != f:
            lines.append("")
        i += 1
    return "\r\n".join(lines) + "\r\n"


def main():
    data_dir, path, output = sys.argv[1:4]
    package = os.path.basename(path).split(".")[0]
    names = read_names(open(path, "rb").read())
    entries = read_filter(os.path.join(data_dir, "unreal.flt")) + [package.lower()]
    kept = [n for n in names if not any(e in n for e in entries)]
    kept.sort(key=lambda n: (n.lower(), n))
    catalogue = read_catalogue(os.path.join(data_dir, "SkinFormats.ini"))
    skin = next(r for r in catalogue if package.lower().startswith(r["Key"].lower()))
    with open(output, "wb") as out:
        out.write(write_text(kept, package, skin).encode("cp1252"))


if __name__ == "__main__":
    main()
