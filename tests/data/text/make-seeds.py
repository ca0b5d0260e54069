#!/usr/bin/env python3
"""Writes the bare tags of malformed text frames (see README.md) into the current directory."""
import struct


def synchsafe(n):
    return bytes((n >> s) & 0x7F for s in (21, 14, 7, 0))


def tag(version, frames):
    size = synchsafe if version == 4 else (lambda n: struct.pack(">I", n))
    body = b"".join(fid + size(len(data)) + b"\0\0" + data for fid, data in frames)
    return b"ID3" + bytes([version, 0, 0]) + synchsafe(len(body) + 64) + body + bytes(64)


frames = [
    (b"TIT2", b"\x01\xff\xfe\x3d\xd8x\x00\x80\xde"),          # lone surrogates, UTF-16
    (b"TPE1", b"\x01\xff\xfeH\x00i"),                          # odd byte count
    (b"TALB", b"\x02\xfe\xff"),                                # byte-order mark only
    (b"TCOM", b"\x03\xc0\xaf\xe0\x80\xafa\xe4\xb8"),           # overlong, then cut-short UTF-8
    (b"TOPE", b"\x01\xff\xfea\x00\xff\xfeb\x00\x00\x00c\x00"),  # a mark and a zero inside the text
    (b"COMM", b"\x01eng\xff\xfe\x3d\xd8\x00\x00\xfe\xff\xd8\x3d\xde\x80"),  # description of a lone surrogate
    (b"WXXX", b"\x02\x00d\x00\x00http://x"),
    (b"TXXX", b"\x03\xff\xfe\x00\xf0\x9f\x9a"),
]
for version in (3, 4):
    with open(f"malformed-text-v2{version}.id3", "wb") as out:
        out.write(tag(version, frames))
