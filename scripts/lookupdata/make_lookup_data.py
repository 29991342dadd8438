#!/usr/bin/env python3
"""Builds the desktop manager's lookup files in programfolder/dv/data3 from public data.

The files are GBK text lines ending in CR LF, enciphered with the data files' XOR key:
  mobile.dat  from to province city - carrier   (mobile number ranges, 7-digit prefixes)
  ybqh.dat    province city area-code           (area codes; no post codes, see below)
  sfz.dat     region-code region                (empty: no public source among the packages)
  dict.dat    idiom/initials/pinyin/explanation/source/example

Sources, all Debian packages fetched with `apt-get download` (no installation):
  python3-phonenumbers  libphonenumber's geocoding and carrier tables   Apache-2.0
  python3-jieba         jieba's dictionary; entries tagged "i" (idioms)  Expat (MIT)
  rime-data-pinyin-simp Rime pinyin_simp dictionary, for the pinyin      Apache-2.0
No package carries Chinese post codes or the identity-card region codes with their names, so
ybqh.dat has no post-code word and sfz.dat is empty.

Usage: make_lookup_data.py [output folder]   (default: programfolder/dv/data3)
"""

import glob
import os
import subprocess
import sys
import tempfile

KEY = b"mnC482P;KH7VBRf55+!;"
PACKAGES = ["python3-phonenumbers", "python3-jieba", "rime-data-pinyin-simp"]
MUNICIPALITIES = ("北京市", "上海市", "天津市", "重庆市")


def fetch(workdir):
    subprocess.run(["apt-get", "download", *PACKAGES], cwd=workdir, check=True)
    versions = {}
    for deb in glob.glob(os.path.join(workdir, "*.deb")):
        subprocess.run(["dpkg-deb", "-x", deb, os.path.join(workdir, "root")], check=True)
        name, version = os.path.basename(deb).split("_")[:2]
        versions[name] = version
    return os.path.join(workdir, "root"), versions


def encipher(text):
    data = text.encode("gbk")
    return bytes(b ^ KEY[i % len(KEY)] for i, b in enumerate(data))


def write(folder, name, lines):
    text = "".join(line + "\r\n" for line in lines)
    with open(os.path.join(folder, name), "wb") as out:
        out.write(encipher(text))


def gbk(text):
    try:
        text.encode("gbk")
        return True
    except UnicodeEncodeError:
        return False


def split_place(place):
    """Province and cities of a libphonenumber place name ("辽宁省沈阳市、铁岭市")."""
    for city in MUNICIPALITIES:
        if place.startswith(city):
            return city, [city]
    for end in ("自治区", "省"):
        at = place.find(end)
        if at > 0:
            province = place[: at + len(end)]
            cities = [c for c in place[at + len(end):].split("、") if c]
            return province, cities or [province]
    return place, [place]


def mobile_and_area_codes(root):
    sys.path.insert(0, os.path.join(root, "usr/lib/python3/dist-packages"))
    from phonenumbers.carrierdata import CARRIER_DATA
    from phonenumbers.geodata import GEOCODE_DATA

    def carrier(prefix):
        for length in range(len(prefix), 2, -1):
            entry = CARRIER_DATA.get("86" + prefix[:length])
            if entry and "zh" in entry:
                return entry["zh"]
        return None

    # Each 7-digit prefix with its place; shorter prefixes stand for all their 7-digit ones,
    # longer ones override them.
    prefixes = {}
    for key in sorted(GEOCODE_DATA, key=len):
        if not key.startswith("861") or "zh" not in GEOCODE_DATA[key] or len(key) < 7:
            continue
        prefix = key[2:]
        span = 10 ** (7 - len(prefix))
        for n in range(int(prefix) * span, (int(prefix) + 1) * span):
            prefixes[str(n)] = GEOCODE_DATA[key]["zh"]

    mobile = []
    run = None
    for prefix in sorted(prefixes):
        place = prefixes[prefix]
        card = carrier(prefix)
        province, cities = split_place(place)
        city = cities[0]
        if not card or not gbk(place + card):
            run = None
            continue
        if run and run[3] == (province, city, card) and int(prefix) == int(run[1]) + 1:
            run[1] = prefix
            continue
        run = [prefix, prefix, None, (province, city, card)]
        mobile.append(run)
    mobile_lines = [
        f"{first} {last} {province} {city} - {card}"
        for first, last, _, (province, city, card) in mobile
    ]

    area_lines = []
    for key in sorted(GEOCODE_DATA):
        landline = key.startswith("86") and (not key.startswith("861") or key == "8610")
        if not landline or "zh" not in GEOCODE_DATA[key]:
            continue
        place = GEOCODE_DATA[key]["zh"]
        if not gbk(place) or len(key) > 6:
            continue
        province, cities = split_place(place)
        for city in cities:
            area_lines.append(f"{province} {city} 0{key[2:]}")
    return mobile_lines, area_lines


def idioms(root):
    readings = {}
    phrases = {}
    pinyin_dict = os.path.join(root, "usr/share/rime-data/pinyin_simp.dict.yaml")
    with open(pinyin_dict, encoding="utf-8") as source:
        for line in source:
            parts = line.rstrip("\n").split("\t")
            if len(parts) != 3 or not parts[2].isdigit():
                continue
            word, pinyin, weight = parts[0], parts[1], int(parts[2])
            if len(word) == 1:
                if weight > readings.get(word, ("", -1))[1]:
                    readings[word] = (pinyin, weight)
            else:
                phrases[word] = pinyin

    lines = []
    jieba_dict = os.path.join(root, "usr/lib/python3/dist-packages/jieba/dict.txt")
    with open(jieba_dict, encoding="utf-8") as source:
        for line in source:
            parts = line.split()
            if len(parts) != 3 or parts[2] != "i" or len(parts[0]) < 4 or not gbk(parts[0]):
                continue
            idiom = parts[0]
            pinyin = phrases.get(idiom)
            if pinyin is None:
                if any(c not in readings for c in idiom):
                    continue
                pinyin = " ".join(readings[c][0] for c in idiom)
            syllables = pinyin.split()
            if len(syllables) != len(idiom):
                continue
            initials = "".join(s[0] for s in syllables)
            lines.append(f"{idiom}/{initials}/{pinyin}///")
    return lines


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "..", "..", "programfolder", "dv", "data3")
    folder = sys.argv[1] if len(sys.argv) > 1 else default
    with tempfile.TemporaryDirectory() as workdir:
        root, versions = fetch(workdir)
        mobile, area = mobile_and_area_codes(root)
        dictionary = idioms(root)
    os.makedirs(folder, exist_ok=True)
    write(folder, "mobile.dat", mobile)
    write(folder, "ybqh.dat", area)
    write(folder, "sfz.dat", [])
    write(folder, "dict.dat", dictionary)
    for name, version in sorted(versions.items()):
        print(f"{name} {version}")
    print(f"mobile {len(mobile)}, area codes {len(area)}, idioms {len(dictionary)}")


if __name__ == "__main__":
    main()
