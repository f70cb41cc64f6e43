#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target into fuzz/corpus/<target>/.

The seeds are small on purpose: the image targets read a six-byte recipe that stands for an image
of 30 to 95 KB (see image_recipe.h). Run it again after changing a seed; crash reproducers that
libFuzzer saved are added to the corpus by hand and are not touched here.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

DEFAULT_DESCRIPTION = "ＩＳＯｔｏRID".encode("cp932")
SYNC = b"\x00" + b"\xff" * 10 + b"\x00"


def header(kind=0, size=0x12345, description=DEFAULT_DESCRIPTION, magic=b"KEB V1.0", flag=0x80):
    h = bytearray(512)
    h[0] = kind
    if kind == 5:
        h[2] = 6
    h[5] = flag
    h[8:12] = struct.pack("<I", size + (274432 if kind == 5 else 0))
    h[12 : 12 + len(description)] = description
    h[140 : 140 + len(magic)] = magic
    if kind == 5:
        h[152] = 0x10
        h[156:161] = b"\x01\x01\xff\xff\xff"
        h[162] = 0x10
        h[166] = 0x41
        for at in range(163, 512, 5):
            h[at] = 2
    return bytes(h)


def record(sector_count=100, compression=3, data_offset=10102):
    r = bytearray(256)
    r[0] = 0x10
    r[4:8] = struct.pack("<I", sector_count)
    r[8] = compression
    r[9:13] = struct.pack("<I", data_offset)
    return bytes(r)


def recipe(anchor, length, payload, flags=0, number=0, shift=0):
    """The six-byte recipe of image_recipe.h followed by the payload."""
    assert 30000 <= length < 30000 + 65536
    return (
        bytes([flags | anchor])
        + struct.pack("<H", length - 30000)
        + struct.pack("<H", number)
        + struct.pack("<b", shift)
        + payload
    )


def raw_sector(mode, lba):
    """A whole 2352-byte sector holding a volume descriptor, in Mode 1 or Mode 2 Form 1."""
    minute, second, frame = (lba + 150) // 4500, (lba + 150) // 75 % 60, (lba + 150) % 75
    bcd = lambda v: (v // 10) * 16 + v % 10
    sector = bytearray(SYNC + bytes([bcd(minute), bcd(second), bcd(frame), mode]))
    if mode == 2:
        sector += b"\x00\x00\x08\x00\x00\x00\x08\x00"
    sector += b"\x01CD001\x01" + b"\x00" * (2048 - 7)
    sector += b"\x5a" * (2352 - len(sector))
    return bytes(sector)


VOLUME = b"\x01CD001\x01"

SEEDS = {
    "keb_header": {
        "plain_header": header(),
        "raw_header": header(kind=5) + record(),
        "raw_header_uncompressed": header(kind=5) + record(compression=0),
        "truncated_header": header()[:150],
        "truncated_raw_record": (header(kind=5) + record(compression=0))[:524],
        "wrong_magic": header(magic=b"KEB V1.1"),
        "unknown_kind": header(kind=7),
        "no_system_area": header(flag=0),
    },
    "sector_layout": {
        "layout1_iso": recipe(1, 40000, VOLUME),
        "layout2_mode2": recipe(2, 45000, VOLUME, shift=8),
        "layout3_mode1_sector": recipe(3, 45000, raw_sector(1, 16)),
        "layout4_mode2_form1_sector": recipe(3, 45000, raw_sector(2, 16)),
        "system_area_data": recipe(1, 40000, b"\x55" * 128 + VOLUME, shift=-128),
        "read_fails_in_sector_16": recipe(1, 40000, VOLUME, flags=4, number=16900),
        "seek_refused": recipe(1, 40000, VOLUME, flags=8),
        "too_short": recipe(1, 30000, VOLUME),
    },
    "conversion": {
        "iso_to_keb": recipe(1, 40000, VOLUME + b"data"),
        "mode2_to_keb": recipe(2, 45000, VOLUME, shift=8),
        "mode1_to_keb": recipe(3, 45000, raw_sector(1, 16)),
        "mode2_form1_to_raw_keb": recipe(3, 50000, raw_sector(2, 16), flags=8),
        "system_area_data_to_keb": recipe(1, 40000, b"\x55" * 128 + VOLUME, shift=-128),
        "plain_keb_to_iso": recipe(0, 31000, header() + b"\xaa" * 100, flags=4),
        "raw_keb_to_iso": recipe(0, 31000, header(kind=5) + record(compression=0), flags=4),
        "short_keb_to_iso": recipe(0, 30000, header(), flags=4 | 16, number=700),
        "header_only_keb_to_iso": recipe(0, 30000, header(), flags=4 | 16, number=512),
        "command_iso_over_existing_keb": recipe(1, 40000, VOLUME, flags=32 | 64),
        "command_keb_with_wrong_magic": recipe(
            0, 31000, header(magic=b"KEB V2.0"), flags=4 | 32 | 64
        ),
        # Found by fuzzing: a raw image whose data offset is 512 was read from offset 768.
        "raw_keb_data_offset_512": recipe(
            0, 31000, header(kind=5) + record(compression=0, data_offset=512), flags=4
        ),
    },
    "window_state": {
        "six_lines": b"120\n80\nc\n/home/user/My Discs\nd\n/mnt/cd out\n",
        "crlf_lines": b"-4\r\n16\r\nc\r\n/\r\ne\r\n/media/usb/\x83\x66\x83\x42\x83\x58\x83\x4e\r\n",
        "two_integers_only": b"10 20\n",
        "one_side": b"0\n0\nc\n/tmp\n",
        "blank_lines": b"  7\n  9 trailing\n\n   c  \n/a b/c\n\n\nd\n/x\n",
        "not_a_number": b"left\n0\n",
    },
    "cp932": {
        "default_description": DEFAULT_DESCRIPTION,
        "utf8_question": "変換を開始していいですか？".encode(),
        "utf8_wave_dash_and_backslash": "～〜\\¥ﾊﾞｰｼﾞｮﾝ情報".encode(),
        "cp932_lone_lead_byte": "ディスク".encode("cp932") + b"\x82",
        "cp932_lead_byte_at_126": b"A" * 125 + "確認".encode("cp932") * 3,
        "invalid_utf8": b"\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80abc\xe3\x81",
    },
    "paths": {
        "iso_into_folder": b"/out\0/home/user/disc.iso",
        "keb_in_current_folder": b"\0disc.KEB",
        "folder_with_separator": b"/out/\0/in/game.Img",
        "two_dots": b"/out\0/in/a.b.iso",
        "space_and_double_byte": "/my discs\0/in/ＩＳＯ image.Iso".encode(),
        "no_extension": b"/\0/in/README",
        "root_folder": b"/\0.keb",
    },
    "cli_arguments": {
        "convert_everything": "convert\0-d\0/out\0-m\0テスト\0--raw\0-y\0a.iso".encode(),
        "info": b"info\0x.KEB\0y.iso",
        "grouped_and_attached": b"convert\0-yq\0-dOUT\0--\0-a.iso",
        "long_forms": b"convert\0--dir=/x\0--message=\0--plain\0-n\0b.img",
        "help": b"--help",
        "conflicting_answers": b"convert\0--raw\0--plain\0x.iso",
        "value_missing": b"convert\0x.iso\0-d",
        "info_refuses_option": b"info\0-q\0x.KEB",
    },
}


def main():
    for target, seeds in SEEDS.items():
        folder = os.path.join(HERE, "corpus", target)
        os.makedirs(folder, exist_ok=True)
        for name, data in seeds.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
