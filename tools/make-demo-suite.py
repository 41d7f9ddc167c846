#!/usr/bin/env python3
"""Builds a small demo install of the estimating suite inside a Wine-style prefix.

The prefix holds drive C: as dosdevices/c: -> ../drive_c and Z: as dosdevices/z: -> /, the
links Wine makes in a prefix of its own, with the suite in C:\\VORDELN:
the launcher, MENU.INI, item icons, stand-in programs (shell scripts named *.exe that log
their start), each installed program's data-folder file and works file, the update tool
and the help document. Everything is rebuilt from scratch on every run.
"""

import argparse
import os
import shlex
import shutil
import stat
import struct
import subprocess
import sys
from dataclasses import dataclass, field
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent
IPA_GOTHIC = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
RECORD_SIZE = 931


@dataclass
class Works:
    number: int
    name: str
    client: str
    route: str
    date: str  # eight digits, or blanks for "not submitted"
    direct_cost: float
    total_cost: float


@dataclass
class Item:
    code: str
    title: str
    exe: str  # without the drive, as MENU.INI holds it
    icon: str
    data_file: str = "DATADIR.TXT"
    default_dir: str = "DATA\\"
    installed: bool = True
    # Content of the data-folder file; None writes no file, so the default folder is used.
    data_dir_line: str | None = None
    works: list[Works] = field(default_factory=list)

    @property
    def category(self) -> int:
        return int(self.code[0])

    @property
    def folder(self) -> str:
        return self.exe.rsplit("\\", 1)[0] + "\\"


def doboku_works() -> list[Works]:
    return [
        Works(101, "県道大沢線道路改良工事", "長野県佐久建設事務所", "県道大沢線",
              "20240415", 48_250_000, 71_630_000),
        Works(102, "一級河川千曲川護岸工事（その２）", "長野県佐久建設事務所", "一級河川千曲川",
              "20240520", 32_900_000, 49_115_000),
        Works(0, "削除済みの工事", "", "", "20240601", 0, 0),
        Works(103, "町道３号線舗装補修工事", "御代田町役場 建設課", "町道３号線",
              "20230930", 8_740_000, 13_200_000),
        # Long enough that the name runs on into its second half.
        Works(104, "国道１４１号線交通安全施設等整備工事及び歩道設置に伴う附帯工事（第２工区）",
              "国土交通省 関東地方整備局 長野国道事務所", "国道１４１号",
              "20190430", 120_500_000, 168_720_000),
        Works(105, "砂防えん堤改築工事", "長野県佐久建設事務所", "湯川",
              "20190501", 56_000_000, 80_640_000),
        Works(106, "橋梁耐震補強工事", "群馬県高崎土木事務所", "主要地方道高崎安中線",
              "        ", 0, 0),
    ]


def old_doboku_works() -> list[Works]:
    return [
        Works(1, "市道上野原線側溝改修工事", "佐久市役所 土木課", "市道上野原線",
              "19880105", 4_320_000, 6_510_000),
        Works(2, "農道舗装工事", "佐久市役所 耕地林務課", "広域農道",
              "19890107", 9_870_000, 14_300_000),
        Works(3, "県道改良工事（平成元年度）", "長野県佐久建設事務所", "県道小諸上田線",
              "19890108", 21_000_000, 30_450_000),
        Works(4, "災害復旧工事", "長野県佐久建設事務所", "一級河川湯川",
              "20181227", 15_600_000, 22_620_000),
    ]


def norin_works() -> list[Works]:
    return [
        Works(11, "治山ダム工事", "長野県北信地域振興局 林務課", "横湯川", "20210712",
              38_400_000, 55_680_000),
        Works(12, "林道開設工事", "長野県北信地域振興局 林務課", "林道奥志賀線", "20211105",
              27_150_000, 39_370_000),
        Works(13, "ほ場整備工事", "長野県北信地域振興局 農地整備課", "夜間瀬地区",
              "20220310", 61_800_000, 89_600_000),
    ]


def kowan_works() -> list[Works]:
    return [
        Works(21, "岸壁改良工事", "新潟県新潟地域振興局 港湾課", "新潟港東港区", "20160822",
              142_000_000, 198_800_000),
        Works(22, "防波堤築造工事", "国土交通省 北陸地方整備局 新潟港湾空港整備事務所",
              "新潟港西港区", "20170118", 305_500_000, 421_590_000),
    ]


def minkan_works() -> list[Works]:
    return [
        Works(31, "○○工場 構内舗装工事", "株式会社○○製作所", "", "20191015",
              6_800_000, 9_520_000),
        Works(32, "△△マンション 外構工事", "△△不動産株式会社", "", "20200203",
              12_450_000, 17_430_000),
        Works(0, "取消", "", "", "", 0, 0),
        Works(33, "駐車場造成工事", "有限会社□□商事", "", "20200617", 3_900_000, 5_460_000),
    ]


def suido_works() -> list[Works]:
    return [
        Works(41, "配水管布設替工事", "○○市上下水道局", "市道中央通り線", "20090401",
              23_700_000, 33_180_000),
        Works(42, "浄水場ろ過池改修工事", "○○市上下水道局", "第一浄水場", "20090330",
              41_200_000, 57_680_000),
    ]


def jikkou_works() -> list[Works]:
    return [
        Works(51, "県道大沢線道路改良工事 実行予算", "長野県佐久建設事務所", "県道大沢線",
              "20240501", 40_100_000, 58_900_000),
        Works(52, "一級河川千曲川護岸工事 実行予算", "長野県佐久建設事務所", "一級河川千曲川",
              "20240610", 27_300_000, 40_950_000),
        Works(0, "", "", "", "", 0, 0),
        Works(53, "町道３号線舗装補修工事 実行予算", "御代田町役場 建設課", "町道３号線",
              "20231012", 7_200_000, 10_800_000),
    ]


def catalogue() -> list[Item]:
    # MENU.INI lists entries out of code order on purpose: the launcher sorts them.
    # Characters 2 to 5 of a code order the editions in time: the Heisei year, which
    # Reiwa years continue (R1 = 31, R6 = 36), then the half or edition.
    return [
        Item("12601", "平成26年度 前期第1版 (H26/4)", r"VORDELN\DOBOKU\H26\doboku.exe",
             "doboku.ico", installed=False),
        Item("13601", "令和6年度 前期版 (R6/4)", r"VORDELN\DOBOKU\R06\doboku.exe",
             "doboku.ico", data_dir_line=r"C:\VORDELN\DOBOKU\R06\データ",
             works=doboku_works()),
        Item("13002", "平成30年度 後期版 (H30/10)", r"VORDELN\DOBOKU\H30B\doboku.exe",
             "doboku.ico", data_dir_line=r"C:\ORVADATA\土木\H30" + "\\",
             works=old_doboku_works()),
        Item("13201", "令和2年度 前期版 (R2/4)", r"VORDELN\DOBOKU\R02\doboku.exe",
             "doboku.ico", data_dir_line=None, works=old_doboku_works()[:2]),
        Item("13501", "令和5年度 前期版 (R5/4)", r"VORDELN\DOBOKU\R05\doboku.exe",
             "doboku.ico", installed=False),

        Item("22901", "平成29年度版 (H29/4)", r"VORDELN\NORIN\H29\norin.exe", "norin.png",
             installed=False),
        Item("23301", "令和3年度版 (R3/4)", r"VORDELN\NORIN\R03\norin.exe", "norin.png",
             data_dir_line=r"C:\VORDELN\NORIN\R03\DATA" + "\\", works=norin_works()),
        Item("23601", "令和6年度版 (R6/4)", r"VORDELN\NORIN\R06\norin.exe", "norin.png",
             data_dir_line=r"C:\VORDELN\NORIN\R06\DATA" + "\\"),

        Item("32801", "平成28年度版 (H28/4)", r"VORDELN\KOWAN\H28\kowan.exe", "kowan.bmp",
             data_dir_line=r"C:\VORDELN\KOWAN\H28\DATA" + "\\", works=kowan_works()),
        Item("33401", "令和4年度版 (R4/4)", r"VORDELN\KOWAN\R04\kowan.exe", "kowan.bmp",
             installed=False),
        Item("33601", "令和6年度版 (R6/4)", r"VORDELN\KOWAN\R06\kowan.exe", "kowan.bmp",
             data_dir_line=r"C:\VORDELN\KOWAN\R06\DATA" + "\\", works=kowan_works()[:1]),

        Item("42501", "民間見積 Ver.3 (H25/4)", r"VORDELN\MINKAN\Ver 3\minkan.exe",
             "minkan.png", installed=False),
        # A folder with a blank: the launcher must start the file, not "C:\VORDELN\MINKAN\Ver".
        Item("43102", "民間見積 Ver.5 (R1/10)", r"VORDELN\MINKAN\Ver 5\minkan.exe",
             "minkan.png", data_dir_line=r"C:\VORDELN\MINKAN\Ver 5\DATA" + "\\",
             works=minkan_works()),
        Item("43501", "民間見積 Ver.6 (R5/4)", r"VORDELN\MINKAN\Ver 6\minkan.exe",
             "minkan.png", data_dir_line=r"C:\VORDELN\MINKAN\Ver 6\DATA" + "\\",
             works=minkan_works()[:2]),

        Item("51901", "平成19年度版 (H19/4)", r"VORDELN\SUIDO\H19\suido.exe", "suido.png",
             installed=False),
        Item("52001", "平成20年度版 (H20/4)", r"VORDELN\SUIDO\H20\suido.exe", "suido.png",
             installed=False),
        Item("52101", "平成21年度版 (H21/4)", r"VORDELN\SUIDO\H21\suido.exe", "suido.png",
             data_dir_line=r"C:\VORDELN\SUIDO\H21\DATA" + "\\", works=suido_works()),

        Item("62401", "実行予算 平成24年版 (H24/4)", r"VORDELN\JIKKOU\H24\jikkou.exe",
             "jikkou.png", installed=False),
        Item("63201", "実行予算 令和2年版 (R2/4)", r"VORDELN\JIKKOU\R02\jikkou.exe",
             "jikkou.png", data_file="JDATADIR.TXT",
             data_dir_line=r"C:\VORDELN\JIKKOU\R02\DATA" + "\\", works=jikkou_works()[:2]),
        # No icon file anywhere: the row shows no picture.
        Item("63601", "実行予算 令和6年版 (R6/4)", r"VORDELN\JIKKOU\R06\jikkou.exe",
             "jikkou6.png", data_file="JDATADIR.TXT",
             data_dir_line=r"C:\VORDELN\JIKKOU\R06\DATA" + "\\", works=jikkou_works()),
    ]


# Item icons: file name -> (folder under VORDELN, background, foreground, character).
ICONS = {
    "doboku.ico": ("icon", "#e67e22", "white", "土"),
    "norin.png": ("icon", "#2e8b3a", "white", "農"),
    "kowan.bmp": ("icon", "#1f4e9c", "white", "港"),
    "minkan.png": ("icon", "#7d5ba6", "white", "民"),
    # Only in VORDELN itself, the launcher's second place to look.
    "suido.png": ("", "#1e88e5", "white", "水"),
    "jikkou.png": ("icon", "#b8860b", "white", "予"),
}
# Same name in both folders: the copy in "icon" must win, so this one is drawn to stand out.
DECOY_ICON = ("minkan.png", "", "#ff00ff", "black", "×")


def cp932_line(text: str) -> bytes:
    return text.encode("cp932") + b"\r\n"


def quoted(fields: list[str]) -> str:
    return ",".join(f'"{f}"' for f in fields)


def text_field(text: str, size: int) -> bytes:
    raw = text.encode("cp932")
    if len(raw) > size:
        raise ValueError(f"{text!r} is longer than {size} bytes")
    return raw.ljust(size, b" ")


def split_name(name: str) -> tuple[bytes, bytes]:
    """Splits a works name into two 50-byte halves without cutting a double-byte character."""
    first = b""
    rest = name
    while rest:
        ch = rest[0].encode("cp932")
        if len(first) + len(ch) > 50:
            break
        first += ch
        rest = rest[1:]
    return first.ljust(50, b" "), text_field(rest, 50)


def works_record(w: Works) -> bytes:
    rec = bytearray(b" " * RECORD_SIZE)
    # Numeric fields are zero; only text fields carry blank padding.
    for offset, size in ((105, 2), (107, 2), (113, 24), (137, 2), (189, 2), (473, 86)):
        rec[offset:offset + size] = bytes(size)
    struct.pack_into("<i", rec, 0, w.number)
    first, second = split_name(w.name)
    rec[4:54] = first
    rec[54:104] = second
    rec[139:189] = text_field(w.client, 50)
    rec[191:241] = text_field(w.route, 50)
    rec[241:249] = text_field(w.date, 8)
    struct.pack_into("<d", rec, 503, w.direct_cost)
    struct.pack_into("<d", rec, 551, w.total_cost)
    assert len(rec) == RECORD_SIZE
    return bytes(rec)


def host_path(drive_c: Path, windows_path: str) -> Path:
    drive, _, rest = windows_path.partition(":\\")
    assert drive.upper() == "C", windows_path
    return drive_c.joinpath(*[p for p in rest.split("\\") if p])


def draw_icon(path: Path, background: str, foreground: str, char: str) -> None:
    path.parent.mkdir(parents=True, exist_ok=True)
    fmt = {".bmp": "BMP3:", ".ico": "ICO:", ".png": "PNG32:"}[path.suffix]
    subprocess.run(
        ["convert", "-size", "32x32", "xc:none",
         "-fill", background, "-stroke", "#00000080", "-draw", "roundrectangle 1,1 30,30 5,5",
         "-font", IPA_GOTHIC, "-pointsize", "22", "-fill", foreground, "-stroke", "none",
         "-gravity", "center", "-annotate", "+0+1", char,
         # BMP has no transparency worth relying on: flatten onto white.
         *(["-background", "white", "-flatten"] if path.suffix == ".bmp" else []),
         fmt + str(path)],
        check=True)


def write_stand_in(path: Path, log: Path, label: str) -> None:
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_text(
        "#!/bin/sh\n"
        f"# Demo stand-in for {label}: records that it was started.\n"
        f"echo \"$(basename \"$0\")\" {shlex.quote(label)} \"$(date '+%Y-%m-%d %H:%M:%S')\" \\\n"
        f"  >> {shlex.quote(str(log))}\n")
    path.chmod(path.stat().st_mode | stat.S_IXUSR | stat.S_IXGRP | stat.S_IXOTH)


def minimal_pdf(text: str) -> bytes:
    stream = f"BT /F1 18 Tf 72 720 Td ({text}) Tj ET".encode("ascii")
    objects = [
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R"
        b" /Resources << /Font << /F1 5 0 R >> >> >>",
        b"<< /Length %d >>\nstream\n" % len(stream) + stream + b"\nendstream",
        b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    ]
    out = bytearray(b"%PDF-1.4\n")
    offsets = []
    for n, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % n + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    out += b"".join(b"%010d 00000 n \n" % o for o in offsets)
    out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (
        len(objects) + 1, xref)
    return bytes(out)


def build(prefix: Path, launcher: Path | None) -> list[Item]:
    build_dirs = [(REPO / name).resolve() for name in ("build", "build-bench")]
    prefix = prefix.resolve()
    # The prefix is removed wholesale on every run, so it must never point outside the
    # build folders (build-bench/ holds the benchmarks' copy).
    if not any(d in prefix.parents for d in build_dirs):
        sys.exit(f"make-demo-suite: refusing to use {prefix}: it must lie inside "
                 f"{build_dirs[0]} or {build_dirs[1]}")
    if prefix.exists():
        shutil.rmtree(prefix)

    drive_c = prefix / "drive_c"
    vordeln = drive_c / "VORDELN"
    vordeln.mkdir(parents=True)
    (prefix / "dosdevices").mkdir()
    os.symlink("../drive_c", prefix / "dosdevices" / "c:")
    # Wine adds z: only to a dosdevices folder it creates itself.
    os.symlink("/", prefix / "dosdevices" / "z:")
    log = prefix / "started.log"

    items = catalogue()
    (vordeln / "MENU.INI").write_bytes(b"".join(
        cp932_line(quoted([i.code, i.title, i.exe, i.icon, i.data_file, i.default_dir]))
        for i in items))

    for name, (folder, bg, fg, char) in ICONS.items():
        draw_icon(vordeln / folder / name, bg, fg, char)
    name, folder, bg, fg, char = DECOY_ICON
    draw_icon(vordeln / folder / name, bg, fg, char)

    for item in items:
        if not item.installed:
            continue
        exe = host_path(drive_c, "C:\\" + item.exe)
        write_stand_in(exe, log, f"{item.code} {item.title}")
        folder = host_path(drive_c, "C:\\" + item.folder)
        if item.data_dir_line is not None:
            (folder / item.data_file).write_bytes(cp932_line(item.data_dir_line))
            data_dir = host_path(drive_c, item.data_dir_line)
        else:
            data_dir = folder / item.default_dir.rstrip("\\")
        data_dir.mkdir(parents=True, exist_ok=True)
        if item.works:
            works_name = "njKOJI.RDM" if item.category == 6 else "n_KOJI.RDM"
            (data_dir / works_name).write_bytes(b"".join(works_record(w) for w in item.works))

    write_stand_in(vordeln / "vekup.exe", log, "vekup update tool")
    (vordeln / "tovrin.pdf").write_bytes(minimal_pdf("ORVA demo help document"))

    if launcher is not None:
        shutil.copy2(launcher, vordeln / "orva-menu")
    return items


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--prefix", type=Path, default=REPO / "build" / "demo-prefix")
    parser.add_argument("--launcher", type=Path, help="launcher binary to copy into C:\\VORDELN")
    args = parser.parse_args()
    items = build(args.prefix, args.launcher)
    installed = sum(i.installed for i in items)
    print(f"demo suite: {len(items)} catalogue entries ({installed} installed) "
          f"in {args.prefix}")


if __name__ == "__main__":
    main()
