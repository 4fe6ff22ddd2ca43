#!/usr/bin/env python3
"""Writes the seed inputs in fuzz/corpus/: settings files, small WAV files and game records,
valid and not.

Run it again after changing it; the seeds it writes are committed with it.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def cp932(text):
    return text.encode("cp932")


def settings_file(*lines):
    return b"".join(cp932(line) + b"\r\n" for line in lines)


DEFAULT = ("背景画=緑", "移動指導=OFF", "経過時間=ON", "BGM=ON")

SETTINGS = {
    "default.ini": settings_file(*DEFAULT),
    "bamboo_all_on.ini": settings_file("背景画=竹", "移動指導=ON", "経過時間=ON", "BGM=ON"),
    "tatami.ini": settings_file("背景画=畳", "移動指導=OFF", "経過時間=OFF", "BGM=OFF"),
    "space.ini": settings_file("背景画=宇宙", "移動指導=ON", "経過時間=OFF", "BGM=ON"),
    "brick.ini": settings_file("背景画=煉瓦", "移動指導=OFF", "経過時間=ON", "BGM=OFF"),
    "lf_only.ini": b"".join(cp932(line) + b"\n" for line in DEFAULT),
    "no_final_line_end.ini": settings_file(*DEFAULT)[:-2],
    "three_lines.ini": settings_file(*DEFAULT[:3]),
    "lower_case.ini": settings_file("背景画=緑", "移動指導=off", "経過時間=on", "bgm=on"),
    "trailing_space.ini": settings_file("背景画=緑 ", "移動指導=OFF", "経過時間=ON", "BGM=ON  "),
    "utf8.ini": b"".join(line.encode("utf-8") + b"\r\n" for line in DEFAULT),
    "invalid_bytes.ini": b"\x94\x77\x80\xff\r\n\x81\x20\r\n\xa0\r\nBGM=ON\x94",
    "nul.ini": b"BGM=\x00ON\r\n",
    "cp932_extensions.ini": b"\x87\x40\xfa\x5c\xed\x40\xb1\r\n",
    "longest_line.ini": b"x" * 256 + b"\r\n" + b"y" * 255 + b"\r\r\n",
    "long_line.ini": b"x" * 300 + b"\r\n" + settings_file(*DEFAULT[1:]),
}


def chunk(tag, body):
    pad = b"\x00" if len(body) % 2 else b""
    return tag + struct.pack("<I", len(body)) + body + pad


def fmt_pcm(channels, rate, bits, tag=1):
    align = channels * bits // 8
    return chunk(b"fmt ", struct.pack("<HHIIHH", tag, channels, rate, rate * align, align, bits))


def riff(*chunks):
    body = b"WAVE" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def tone8(count):
    return bytes(128 + (40 if (i // 8) % 2 else -40) for i in range(count))


def tone16(frames, channels):
    samples = []
    for i in range(frames):
        value = 8000 if (i // 8) % 2 else -8000
        samples.extend([value] * channels)
    return struct.pack("<%dh" % len(samples), *samples)


PCM8 = riff(fmt_pcm(1, 8000, 8), chunk(b"data", tone8(64)))

WAV = {
    "pcm8_mono.wav": PCM8,
    "pcm16_stereo.wav": riff(fmt_pcm(2, 22050, 16), chunk(b"data", tone16(32, 2))),
    "odd_data_padded.wav": riff(fmt_pcm(1, 11025, 8), chunk(b"data", tone8(63))),
    "list_before_data.wav": riff(
        fmt_pcm(1, 8000, 8), chunk(b"LIST", b"INFOISFT\x05\x00\x00\x00test\x00"),
        chunk(b"data", tone8(32))),
    "empty_data.wav": riff(fmt_pcm(1, 8000, 16), chunk(b"data", b"")),
    # Not acceptable, each in its own way.
    "truncated_data.wav": PCM8[:-20],
    "riff_size_too_big.wav": PCM8[:4] + struct.pack("<I", 0x7FFFFFF0) + PCM8[8:],
    "chunk_size_huge.wav": riff(fmt_pcm(1, 8000, 8), b"data" + b"\xf0\xff\xff\xff" + tone8(16)),
    "no_data_chunk.wav": riff(fmt_pcm(1, 8000, 8)),
    "data_before_fmt.wav": riff(chunk(b"data", tone8(16)), fmt_pcm(1, 8000, 8)),
    "float_format.wav": riff(fmt_pcm(1, 8000, 32, tag=3), chunk(b"data", b"\x00" * 32)),
    "zero_channels.wav": riff(fmt_pcm(0, 8000, 16), chunk(b"data", b"\x00" * 16)),
    "short_fmt.wav": riff(chunk(b"fmt ", b"\x01\x00\x01\x00"), chunk(b"data", tone8(8))),
    "not_riff.wav": b"RIFX" + PCM8[4:],
    "header_only.wav": PCM8[:12],
}


EXAMPLE = """#Quorvel 棋譜
開始日時：2026/12/08 13:05:00
対局：対局(COM) 先手
強さ：入門
先手：あなた
後手：ｺﾝﾋﾟｭｰﾀ
手数----指手----消費時間--
   1 ▲上   ( 0:03/00:00:03)
   2 △左   ( 0:01/00:00:01)
まで2手で先手の勝ち
"""


def moves(count, timed=False):
    lines = []
    for n in range(1, count + 1):
        line = "%4d %s%s" % (n, "▲" if n % 2 else "△", "上下左右"[n * 7 % 4])
        if timed:
            line += "   (%2d:%02d/%02d:%02d:%02d)" % (n // 60, n % 60, n // 3600, n // 60 % 60, n % 60)
        lines.append(line + "\n")
    return "".join(lines)


def record(text):
    return text.encode("utf-8")


RECORDS = {
    "example.kifu": record(EXAMPLE),
    "crlf.kifu": record(EXAMPLE.replace("\n", "\r\n")),
    "half_colons.kifu": record(EXAMPLE.replace("：", ":")),
    "bom.kifu": b"\xef\xbb\xbf" + record(EXAMPLE),
    "two_humans_switched.kifu": record(
        "#Quorvel 棋譜\n対局：対局(人間) スタート\n強さ：上級\n手数----指手----消費時間--\n"
        + moves(3) + "*対局：対局(COM) 後手\n" + moves(6)[len(moves(3)):]
        + "# comment\n*対局:対局(COM) 先手\n"),
    "timed_unfinished.kifu": record("対局：対局(COM) 後手\n強さ：中級\n" + moves(40, True)),
    "network_resigned.kifu": record(
        "対局：対局(ネット) 後手\n千日手：あり\n先手：friend@example.org\n後手：me@example.org\n"
        "対局ID：0123456789abcdef0123456789abcdef\n手数----指手----消費時間--\n" + moves(3, True)
        + "*投了：先手\nまで3手で後手の勝ち\n"),
    "unknown_headers.kifu": record("手合割：平手\n題名\n先手：A:B：C\n\n" + moves(2) + "まで2手で中断\n"),
    # Refused, each in its own way.
    "out_of_order.kifu": record(moves(2) + "   4 ▲上\n"),
    "wrong_mark.kifu": record(moves(2) + "   3 △上\n"),
    "unknown_word.kifu": record("   1 ▲中\n"),
    "bad_time.kifu": record("   1 ▲上   ( 0:60/00:00:03)\n"),
    "move_after_result.kifu": record(moves(1) + "まで1手で先手の勝ち\n   2 △上\n"),
    "unknown_level.kifu": record("強さ：名人\n"),
    "invalid_utf8.kifu": b"\xe5\x85\x88\xe6\x89\x8b\xef\xbc\x9a\xff\n",
    "long_line.kifu": record("#" + "x" * 1000 + "\n"),
}


def write(folder, files):
    path = os.path.join(HERE, "corpus", folder)
    os.makedirs(path, exist_ok=True)
    for name, data in files.items():
        assert len(data) < 4096, name
        with open(os.path.join(path, name), "wb") as out:
            out.write(data)


write("settings", SETTINGS)
write("wav", WAV)
write("record", RECORDS)
