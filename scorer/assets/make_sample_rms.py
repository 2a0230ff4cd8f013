#!/usr/bin/env python3
"""Writes sample.rms: a rating data file of 30 synthetic boats.

Every record follows the certificate record's column table (1472 columns,
CP932, CR LF line ends). The allowances are plausible and every curve's
velocity (3600 / allowance) rises strictly with the wind, so the module can
build its splines. Run it from any folder; it writes beside itself:

    python3 scorer/assets/make_sample_rms.py
"""
import os
import random

RECORD_LENGTH = 1472
WIND_SPEEDS = (6, 8, 10, 12, 14, 16, 20)
ANGLES = (52, 60, 75, 90, 110, 120, 135, 150)

# Allowances in seconds per mile of a boat of GPH 600, per wind speed.
COURSE_CURVES = {  # name, first column
    ("W/L", 374): (1010, 822, 702, 622, 567, 530, 490),
    ("Olympic", 423): (985, 798, 680, 603, 550, 515, 476),
    ("C/R", 472): (965, 778, 662, 586, 535, 502, 466),
    ("N/S", 521): (1000, 810, 694, 616, 563, 528, 492),
    ("Ocean", 570): (940, 755, 640, 568, 520, 488, 456),
}
BEAT = (1240, 990, 850, 770, 725, 695, 665)
ANGLE_CURVES = {
    52: (1100, 880, 760, 690, 650, 625, 600),
    60: (1050, 850, 730, 660, 620, 595, 570),
    75: (1000, 810, 695, 625, 585, 555, 525),
    90: (980, 790, 675, 605, 560, 525, 490),
    110: (985, 790, 670, 595, 545, 505, 455),
    120: (1010, 805, 680, 600, 545, 500, 445),
    135: (1080, 860, 720, 625, 560, 510, 445),
    150: (1160, 920, 765, 655, 580, 525, 455),
}
RUN = (1180, 930, 770, 660, 580, 527, 462)
BEAT_ANGLES = (44.8, 43.6, 42.5, 41.7, 41.1, 40.7, 40.4)
GYBE_ANGLES = (142.0, 146.0, 152.0, 160.0, 167.0, 171.0, 174.0)

# Fields after the performance blocks that no part of the system reads:
# (first column, width, decimals).
TAIL_FIELDS = (
    [(c, 6, 2) for c in (1194, 1202, 1210, 1218, 1226, 1234, 1241, 1248, 1255, 1261,
                         1268, 1275, 1281, 1288)]
    + [(1307, 6, 2)] + [(c, 7, 2) for c in (1314, 1322, 1330, 1338, 1346, 1354)]
    + [(1362 + 7 * k, 6, 2) for k in range(8)] + [(1418 + 7 * k, 6, 2) for k in range(8)]
)

BOATS = [  # boat name, yacht class
    ("SEA BIRD", "Tern 36"), ("ALBATROSS", "Kestrel 40"), ("海風", "Petrel 34"),
    ("BLUE HORIZON", "Fulmar 38"), ("NORTH STAR", "Tern 32"), ("はやぶさ", "Osprey 45"),
    ("Zephyr", "Halcyon 30"), ("MORNING GLORY", "Skua 38"), ("青嵐", "Kestrel 40"),
    ("CORAL REEF", "Tern 28"), ("silver wind", "Petrel 34"), ("WAVE DANCER", "Fulmar 38"),
    ("しおかぜ", "Tern 36"), ("RED DRAGON", "Osprey 45"), ("Gull", "Tern 28"),
    ("TRADE WIND", "Halcyon 30"), ("疾風", "Skua 38"), ("OCEAN SPIRIT", "Fulmar 42"),
    ("KAIYO", "Petrel 34"), ("FREEDOM", "Tern 32"), ("STORM PETREL", "Kestrel 40"),
    ("Tsubasa", "Halcyon 30"), ("GOLDEN ARROW", "Osprey 45"), ("MIDNIGHT SUN", "Skua 38"),
    ("LUNA", "Tern 28"), ("SOUTHERN CROSS", "Fulmar 42"), ("WHITE FALCON", "Kestrel 40"),
    ("AURORA", "Tern 36"), ("MISTRAL", "Petrel 34"), ("FREEDOM", "Fulmar 38"),
]
DESIGNERS = ("K. Okada", "M. Hayashi", "R. Lindqvist", "J. Moreau", "S. Whitfield", "T. Nakamura")
BUILDERS = ("Kaisei Boats", "Minato Yachts", "Aoba Marine", "Hokuto Works")
CLUBS = ("Kaisei Yacht Club", "Minato Sailing Club", "Hokuto YC", "Aoba Ocean Racing",
         "港セーリングクラブ")
OWNERS = ("H. Sato", "Y. Suzuki", "A. Takahashi", "N. Tanaka", "E. Watanabe", "K. Ito")


class Record:
    def __init__(self):
        self.bytes = bytearray(b" " * RECORD_LENGTH)

    def put(self, first, text):
        data = text.encode("cp932") if isinstance(text, str) else text
        self.bytes[first - 1:first - 1 + len(data)] = data

    def number(self, first, width, value, decimals):
        text = "%*.*f" % (width, decimals, value)
        # A blank before every number keeps neighbouring fields apart.
        assert len(text) == width and text[0] == " ", (first, text)
        self.put(first, text)


def curve(record, first, table, scale, skew):
    values = [round(a * scale * (1 + skew * (w - 12) / 14.0), 1) for a, w in zip(table, WIND_SPEEDS)]
    assert all(a > b for a, b in zip(values, values[1:])), values  # velocity rises strictly
    for k, value in enumerate(values):
        record.number(first + 7 * k, 7, value, 1)
    return values


def boat_record(number, name, yacht_class, rng):
    r = Record()
    gph = round(rng.uniform(520, 690), 1)
    scale = (gph / 600.0) ** 0.5
    skew = rng.uniform(-0.02, 0.02)
    loa = 8.0 + (690 - gph) / 170.0 * 8.0 + rng.uniform(-0.4, 0.4)
    r.put(1, "JPN")
    r.put(4, "J17%03d" % number)
    r.put(10, "%08d" % (30120000 + number * 7))
    r.put(18, "JPN-%d" % rng.randint(1000, 9999))
    r.put(30, name)
    r.put(54, yacht_class)
    r.put(72, rng.choice(BUILDERS))
    r.put(90, rng.choice(DESIGNERS))
    r.put(108, "%4d" % rng.randint(1995, 2016))
    r.put(113, rng.choice(CLUBS))
    r.put(149, rng.choice(OWNERS))
    r.put(185, "Japan")
    r.put(257, rng.choice(("Intl", "Club")))
    r.put(266, rng.choice("CS"))
    r.number(267, 5, round(loa * 65), 0)  # crew weight in columns 268-271
    r.put(273, "%02d/%02d/2017 %02d:%02d:%02d" % (rng.randint(1, 28), rng.randint(1, 12),
                                                 rng.randint(8, 18), rng.randint(0, 59),
                                                 rng.randint(0, 59)))
    r.number(292, 7, loa, 2)            # LOA, 293-298
    r.number(299, 7, loa * 0.32, 2)     # 300-305
    r.number(306, 6, loa * 0.19, 2)     # 307-311
    r.number(312, 6, loa * 0.17, 2)     # 313-317
    r.number(318, 8, loa ** 3 * 4.1, 0)  # 319-325
    r.number(326, 6, loa * 1.3, 1)      # 327-331
    r.number(334, 5, loa * 5.5, 1)      # 335-338
    r.number(339, 7, gph, 1)            # GPH, 340-345
    r.number(346, 7, gph * 0.93, 1)     # 347-352
    r.number(353, 7, gph * 1.07, 1)     # 354-359
    r.number(360, 7, gph * 1.15, 1)     # 361-366
    r.number(367, 6, 0.9 + (650 - gph) / 1000.0, 3)  # 367-372

    for (_, first), table in COURSE_CURVES.items():
        curve(r, first, table, scale, skew)
    offset = rng.uniform(-0.3, 0.2)
    for k in range(7):
        r.number(619 + 6 * k, 6, min(45.0, max(40.0, BEAT_ANGLES[k] + offset)), 1)
        r.number(661 + 6 * k, 6, min(175.0, max(140.0, GYBE_ANGLES[k] + 2 * offset)), 1)
    beat = curve(r, 703, BEAT, scale, skew)
    for j, angle in enumerate(ANGLES):
        curve(r, 752 + 49 * j, ANGLE_CURVES[angle], scale, skew)
    run = curve(r, 1144, RUN, scale, skew)
    assert all(b > u for b, u in zip(beat, run))  # beating is slower than running

    for first, width, decimals in TAIL_FIELDS:
        r.number(first, width, rng.uniform(0.5, 60.0), decimals)
    r.put(1295, "R17-%06d" % (number * 131))
    return bytes(r.bytes)


def header_line():
    r = Record()
    for first, label in ((1, "NAT"), (4, "CertNo"), (10, "Ref"), (18, "SailNo"), (30, "Boatname"),
                         (54, "Class"), (72, "Builder"), (90, "Designer"), (108, "Year"),
                         (113, "Club"), (149, "Owner"), (185, "Country"), (257, "CertType"),
                         (266, "D"), (268, "Crew"), (273, "RecordDateTime")):
        r.put(first, label)
    names = ["LOA", "N300", "N307", "N313", "N319", "N327", "N335", "GPH",
             "N347", "N354", "N361", "N367"]
    blocks = [name for name, _ in COURSE_CURVES] + ["UA", "DA", "Beat"] + \
        ["R%d" % a for a in ANGLES] + ["Run"]
    for block in blocks:
        names += ["%s_%d" % (block, w) for w in WIND_SPEEDS]
    names += ["N%d" % first for first, _, _ in TAIL_FIELDS[:14]] + ["T1295"]
    names += ["N%d" % first for first, _, _ in TAIL_FIELDS[14:]]
    text = " ".join(names).encode("ascii")
    return bytes(r.bytes[:291]) + text


def main():
    rng = random.Random(2017)
    lines = [header_line()]
    for number, (name, yacht_class) in enumerate(BOATS, start=1):
        lines.append(boat_record(number, name, yacht_class, rng))
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sample.rms")
    with open(path, "wb") as out:
        out.write(b"".join(line + b"\r\n" for line in lines))


if __name__ == "__main__":
    main()
