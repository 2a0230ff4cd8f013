#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into corpus/<target>/.

The records come from the scorer's synthetic sample rating data file
(scorer/assets/sample.rms); everything else is made here. Each seed is a
file of a few KB. Run it from any folder; it writes beside itself:

    python3 fuzz/make_corpus.py
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLE = os.path.join(HERE, "..", "scorer", "assets", "sample.rms")


def sample_lines():
    with open(SAMPLE, "rb") as f:
        return f.read().split(b"\r\n")


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def rms_attr(record):
    """A record as the scorer writes it into the race XML: UTF-8, "&" as "-"."""
    return record.decode("cp932", errors="replace").replace("&", "-").encode("utf-8")


def race_xml(records, type_="1", legs=(), results=False):
    eol = b"\r\n"
    out = (b'<race start="2017-06-04T10:00:00" distance="12.5" type="' + type_.encode() +
           b'" name="Spring &amp; Cup" limit="2017/06/04 16:00:00">' + eol)
    if type_ == "0":
        out += b"<legs>" + eol
        for distance, course, wind_dir, wind_speed in legs:
            out += ('<leg distance="%s" course="%s" windDirection="%s" windSpeed="%s"/>'
                    % (distance, course, wind_dir, wind_speed)).encode() + eol
        out += b"</legs>" + eol
    out += b"<boats>" + eol
    for k, record in enumerate(records):
        finish = b"2017-06-04T12:%02d:00" % (10 * k)
        computed = b"7000.5" if results else b"0"
        vector = b"1000,820,700,620,565,528,488" if results else b"0"
        out += (b'<boat finish="' + finish + b'" correctedSeconds="' + computed + b'" impliedWind="0" '
                b'velocity="0" constructedCourseVector="' + vector + b'" rms="' + rms_attr(record) +
                b'" abbr="OK" rmks="-" pnlty="0"/>' + eol)
    out += b"</boats>" + eol + b"</race>" + eol
    return out


def main():
    lines = sample_lines()
    header, boats = lines[0], [line for line in lines[1:] if line.strip()]
    short_header = header[:400]

    # Kivo on a race file.
    write("kivo", "windward_leeward.xml", race_xml(boats[:2]))
    write("kivo", "constructed.xml",
          race_xml(boats[2:4], "0", [("2.5", "10", "0", "8"), ("2.5", "190", "0", "0"), ("1", "95", "350", "12")]))
    write("kivo", "not_well_formed.xml", race_xml(boats[:1]).replace(b"&amp;", b"&"))
    write("kivo", "no_boats.xml", b'<race start="2017-06-04T10:00:00" distance="5" type="2"><boats/></race>\r\n')
    write("kivo", "record_not_a_number.xml", race_xml([boats[0][:700] + b"  abc  " + boats[0][707:], boats[1]]))

    # The rating data file loader and the record check.
    write("rms_record", "two_boats.rms", short_header + b"\r\n" + b"\r\n".join(boats[:2]) + b"\r\n")
    with_mark = boats[0][:31] + b"\x1a" + boats[0][32:]
    tab_shifted = boats[1][:60] + b"\t" + boats[1][60:]
    write("rms_record", "mixed_lines.rms",
          short_header + b"\n" + with_mark + b"\n\n" + tab_shifted + b"\n" + boats[2][:600] + b"\n" + b"\x1a")

    # The tag reader and the event file reader.
    write("event_file", "event.kivo",
          b'<event name="Summer &amp; Regatta" rms="sample.rms" classname="Tarvel C" chiefjury="Chair" '
          b'eventissued="2017/06/04" logol="-" logom="-" logor="-" locked="0"/>\r\n<races>\r\n'
          b'<race name="Race &quot;1&quot;" xml="cup_R1.xml" pointcoef="1" seacondx="-" windcondx="-" '
          b'jury="Jury &#13;&#10;Member" scratchissued="2017/06/04 18:00:00" resultissued="2017/06/04 18:00:00"/>\r\n'
          b"</races> </event>\r\n")
    write("event_file", "locked_not_a_number.kivo", b'<event name="x" rms="a.rms" locked="abc"/>\r\n')

    # The read-back of the race XML.
    write("race_xml_readback", "computed.xml", race_xml(boats[:2], results=True))
    write("race_xml_readback", "legs.xml", race_xml(boats[2:3], "0", [("3", "45", "10", "0")]))


if __name__ == "__main__":
    main()
