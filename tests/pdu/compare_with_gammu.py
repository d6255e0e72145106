#!/usr/bin/python3
"""Compares our SMS PDU decoder with Gammu's, field by field.

Usage: compare_with_gammu.py PDU_DUMP

PDU_DUMP is the test tool that prints our decoding (and our encoder's output)
as JSON lines. The corpus is built here: PDUs of our own encoder, PDUs that
gammu.EncodePDU writes (deliver and submit; 7-bit, 8-bit and UCS2; with and
without a user data header; alphanumeric, national and international
numbers; every validity form), hand-written status reports and validity
forms, stored messages as phones file them under a "+CMGR:" status, and
every PDU listed in the file named by $PARLENKO_PDU_CORPUS (one a line: hex,
read as upper case, then optionally a space and notes). A note
"cmgr-stat=N" gives the status the phone reported: such a PDU is decoded
the way the SMS read decodes an "AT+CMGR=" answer, by the message type of
its first octet whatever the status says, and the type must agree with
Gammu's. Without the note the first octet's type picks the decoder too.

Only the fields where both sides mean the same thing are compared: message
type, service centre, number, time stamp, text at the code-unit level and
validity (and a status report's outcome). The deliberate differences are
the ALLOWANCES below; anything else fails the test. Exit 77 (skipped) only
when python3-gammu is missing.
"""

import datetime
import json
import os
import re
import subprocess
import sys

try:
    import gammu
except ImportError:
    print("python3-gammu is missing: skipped")
    sys.exit(77)

# Deliberate differences between our decoder and Gammu's. A field that
# differs is accepted only when one of these explains it.
ALLOWANCES = {
    "operator-name": "the two known service centres carry their operator name: 'HR VIP  [number]'",
    "status-report-number": "a status report's number reads 'Status Report'; the recipient is in its text",
    "number-keys": "we show the semi-octets A and B as '*' and '#'; Gammu drops them",
    "alphanumeric-gsm-codes": "an alphanumeric sender stays in GSM code units; Gammu converts it",
    "century": "two-digit years are 2000 + yy for us; Gammu reads 90..99 as another year",
    "gammu-escape-tail": "Gammu's 7-bit text runs one character past the user data for every escape pair",
    "ucs2-marker": "a leading U+0001 (our encoder's marker) is dropped; Gammu keeps it as a character",
    "line-breaks": "every LF and every CR is written as CR LF",
    "unknown-escape": "an escape with no extension character stays ESC + code; Gammu shows it as U+00B9 + char",
}

# GSM 03.38 default alphabet and its extension table: used only to read
# Gammu's Unicode text back as code units.
GSM_BASIC = ("@\u00a3$\u00a5\u00e8\u00e9\u00f9\u00ec\u00f2\u00c7\n\u00d8\u00f8\r\u00c5\u00e5"
             "\u0394_\u03a6\u0393\u039b\u03a9\u03a0\u03a8\u03a3\u0398\u039e\x1b\u00c6\u00e6\u00df\u00c9"
             " !\"#\u00a4%&'()*+,-./0123456789:;<=>?"
             "\u00a1ABCDEFGHIJKLMNOPQRSTUVWXYZ\u00c4\u00d6\u00d1\u00dc\u00a7"
             "\u00bfabcdefghijklmnopqrstuvwxyz\u00e4\u00f6\u00f1\u00fc\u00e0")
assert len(GSM_BASIC) == 128
GSM_EXTENSION = {"\x0c": 0x0A, "^": 0x14, "{": 0x28, "}": 0x29, "\\": 0x2F,
                 "[": 0x3C, "~": 0x3D, "]": 0x3E, "|": 0x40, "\u20ac": 0x65}


def to_gsm_codes(text, allow_unknown_escape):
    """Gammu's text of a 7-bit message as a string of code units, or None."""
    out = []
    for ch in text:
        if ch in GSM_EXTENSION:
            out += [0x1B, GSM_EXTENSION[ch]]
        elif ch in GSM_BASIC:
            out.append(GSM_BASIC.index(ch))
        elif ch == "\u00b9" and allow_unknown_escape:
            out.append(0x1B)
        else:
            return None
    return "".join(chr(c) for c in out)


def from_utf8(text):
    """Our UCS2 text (UTF-8, one JSON character a byte) as characters."""
    return text.encode("latin-1").decode("utf-8", errors="replace")


def crlf(text):
    return re.sub("[\r\n]", "\r\n", text)


# --- the corpus ------------------------------------------------------------

class Item:
    def __init__(self, hexpdu, origin, stat=None):
        self.hex = hexpdu.upper()
        self.origin = origin
        self.stat = stat


def first_octet(hexpdu):
    try:
        smsc_len = int(hexpdu[0:2], 16)
        return int(hexpdu[2 + 2 * smsc_len:4 + 2 * smsc_len], 16)
    except ValueError:
        return 0


def decoder_for(item):
    """The request to pdu_dump: 'cmgr' (the SMS read's choice) for a PDU
    read under a status, else the decoder of the first octet's type."""
    if item.stat is not None:
        return "cmgr"
    return "submit" if first_octet(item.hex) & 0x03 == 1 else "deliver"


class Dump:
    def __init__(self, path):
        self.proc = subprocess.Popen([path], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     text=True, encoding="latin-1")

    def ask(self, line):
        self.proc.stdin.write(line + "\n")
        self.proc.stdin.flush()
        return json.loads(self.proc.stdout.readline())

    def close(self):
        self.proc.stdin.close()
        self.proc.wait()


def our_encoder_pdus(dump):
    items = []
    texts = ["hello", "a\r\nb", "Cijena 5\x80 [ok] {x}", "\xc4\xd6\xdc\xe4\xf6\xfc\xdf \xa3\xa5@$_",
             "x" * 160, "\x80" * 80, ""]
    flash_texts = ["Zdravo \x80", "\xc8\xe6\x9a\x9e line\r\nbreak", "y" * 69, ""]
    numbers = ["+385911234567", "0911234567", "", "*100#", "+123"]
    validities = [(5, 0), (720, 0), (30, 1), (100, 1), (720, 1), (2, 2), (30, 2), (5, 3), (63, 3), (1, 0)]
    n = 0
    for number in numbers:
        for text in texts + flash_texts:
            flash = text in flash_texts
            vp, unit = validities[n % len(validities)]
            report = n % 3 == 0
            n += 1
            answer = dump.ask("encode %s|%s|%d|%d|%d|%d" % (
                number, text.encode("latin-1").hex(), vp, unit, int(report), int(flash)))
            if answer["ok"]:
                items.append(Item(answer["pdu"], "our encoder"))
    return items


def gammu_pdus():
    items = []
    base_time = datetime.datetime(2026, 11, 2, 14, 0, 8)
    senders = ["+15125551234", "0911234567", "Telekom", "Info 24"]
    centres = ["+385910401", "+491710760000", "0912"]
    header = {"Type": "UserUDH", "Text": b"\x05\x00\x03\xaa\x02\x01",
              "ID8bit": 0, "ID16bit": 0, "PartNumber": 0, "AllParts": 0}
    codings = [("Default_No_Compression", "Hello {world} \u20ac\nnew line"),
               ("Default_No_Compression", "\u00c4\u00d6\u00dc@\u00a3$_ " + "z" * 40),
               ("Unicode_No_Compression", "Zdravo \u010d\u0107\u017e\u0161\u0111 \u20ac\n\u00e4"),
               ("Unicode_No_Compression", "\u03a9 \u4e2d"),
               ("8bit", b"\x00\x01abc\xff")]
    validities = ["Max", "30M", "12H", "18H", "1D", "2D", "30D", "5W", "10W"]
    n = 0
    for layout in ("Deliver", "Submit"):
        for sender in senders:
            for coding, text in codings:
                for udh in (None, header):
                    for cls in (-1, 0, 1):
                        msg = {"Number": sender, "Text": text, "Type": layout, "Coding": coding,
                               "Folder": 2, "Location": 0, "MessageReference": n % 256, "Class": cls,
                               "SMSC": {"Location": 0, "Number": centres[n % len(centres)],
                                        "Validity": validities[n % len(validities)]},
                               "DateTime": base_time + datetime.timedelta(days=37 * n, seconds=611 * n)}
                        if udh:
                            msg["UDH"] = dict(udh)
                        n += 1
                        try:
                            pdu = gammu.EncodePDU(msg, layout).hex()
                        except Exception as e:  # a combination Gammu does not write
                            print("gammu.EncodePDU refused %s %s %s: %s" % (layout, sender, coding, e))
                            continue
                        items.append(Item(pdu, "gammu %s %s %s%s class %d" % (
                            layout, sender, coding, " with UDH" if udh else "", cls)))
    return items


def handmade_pdus():
    smsc = "069183950104F1"
    sender = "0B915121551532F4"
    stamp = "62112041008000"
    items = []
    for status in ("00", "01", "1F", "20", "41", "63"):
        items.append(Item(smsc + "062A" + sender + stamp + "62112041500000" + status, "status report " + status))
    items.append(Item("00062A" + "0A8190113254F6" + stamp + "62112041500400" + "00", "status report, national"))
    items += [
        Item("000100039121F3000002E834", "submit without validity"),
        Item("001900039121F30000" + stamp + "02E834", "submit, absolute validity"),
        Item("000900039121F30000" + "01050000000000" + "02E834", "submit, enhanced validity"),
        Item("005100039121F30000A70C050003AA0201D06536FB0D", "submit with header, 24 hours"),
        Item("001100039121F300009002E834", "submit, 12 hours 30 minutes"),
        Item(smsc + "04" + "05811A00FB" + "0000" + stamp + "05E8329BFD06", "deliver from *100#"),
        Item("00" + "04" + sender + "0000" + stamp + "05E8329BFD06", "deliver without centre"),
        Item("0681839501" + "04F1" + "04" + sender + "0000" + stamp + "05E8329BFD06", "centre of type 81"),
        Item(smsc + "04" + sender + "0000" + "59112041008000" + "05E8329BFD06", "year 95"),
        Item(smsc + "04" + sender + "0000" + "6211204100800A" + "05E8329BFD06", "time zone +02:30"),
        Item(smsc + "04" + sender + "0018" + stamp + "06000100480069", "flash UCS2 with marker"),
        Item(smsc + "04" + sender + "0008" + stamp + "0601010041D83D", "UCS2 outside Windows-1252"),
        Item(smsc + "04" + sender + "00F0" + stamp + "05E8329BFD06", "class group, 7-bit"),
        Item(smsc + "04" + sender + "00E0" + stamp + "0400480069", "UCS2 store group"),
        Item(smsc + "04" + sender + "0000" + stamp + "021B41", "escape before a non-extension code"),
        # Filed by a phone under a status that does not match the type: a
        # sent message under "1", a delivery report under "3", and the
        # ordinary filings.
        Item("0011000C918395051690590000A714CDB7BECC02D9D3E474FB0D9A974175102E04",
             "sent submit under status 1", 1),
        Item(smsc + "062A" + sender + stamp + "62112041500000" + "00", "status report under status 3", 3),
        Item(smsc + "062A" + sender + stamp + "62112041500000" + "00", "status report under status 0", 0),
        Item(smsc + "04" + sender + "0000" + stamp + "05E8329BFD06", "deliver under status 1", 1),
        Item("0011000C918395051690590000A714CDB7BECC02D9D3E474FB0D9A974175102E04",
             "submit under status 2", 2),
    ]
    return items


def corpus_file_pdus():
    path = os.environ.get("PARLENKO_PDU_CORPUS")
    if not path:
        return []
    items = []
    with open(path, encoding="latin-1") as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            hexpdu, _, notes = line.partition(" ")
            match = re.search(r"cmgr-stat=(\d+)", notes)
            items.append(Item(hexpdu, "%s:%d %s" % (os.path.basename(path), number, notes.strip()),
                              int(match.group(1)) if match else None))
    print("%d PDUs from %s" % (len(items), path))
    return items


# --- the comparison --------------------------------------------------------

def fmt_date(dt):
    return dt.strftime("%d.%m.%Y") if dt else ""


def fmt_time(dt):
    return dt.strftime("%H:%M:%S") if dt else ""


def validity_minutes_ours(text):
    if not text:
        return None
    m = re.fullmatch(r"(\d+) (minutes|hours|days|weeks)(?: (\d+) minutes)?", text)
    if not m:
        return "bad:" + text
    unit = {"minutes": 1, "hours": 60, "days": 1440, "weeks": 10080}[m.group(2)]
    return int(m.group(1)) * unit + int(m.group(3) or 0)


def validity_minutes_gammu(text):
    if text == "NA":
        return None
    if text == "Max":
        return 63 * 10080
    m = re.fullmatch(r"(\d+)([MHDW])", text)
    if not m:
        return "bad:" + text
    return int(m.group(1)) * {"M": 1, "H": 60, "D": 1440, "W": 10080}[m.group(2)]


class Comparison:
    def __init__(self):
        self.problems = []
        self.allowed = set()

    def field(self, name, ours, theirs, *allowances):
        """allowances: (name, predicate) pairs tried when the values differ."""
        if ours == theirs:
            return
        for allowance, explains in allowances:
            if explains():
                self.allowed.add(allowance)
                return
        self.problems.append("%s: ours %r, gammu %r" % (name, ours, theirs))


def same_date_other_century(ours_date, dt):
    return bool(dt) and len(ours_date) == 10 and ours_date[:6] == dt.strftime("%d.%m.") \
        and ours_date[6:8] == "20" and ours_date[8] == "9"


def compare(item, ours, theirs):
    c = Comparison()
    decoder = decoder_for(item)
    if decoder == "cmgr":
        decoder = ours["decoder"]
    our_type = "Submit" if decoder == "submit" else ("Status_Report" if ours["status_report"] else "Deliver")
    c.field("type", our_type, theirs["Type"])
    if our_type != theirs["Type"]:
        return c

    smsc = ours["smsc"]
    named = re.fullmatch(r"HR (?:VIP|CRONET)  \[(.*)\]", smsc)
    c.field("service centre", smsc, theirs["SMSC"]["Number"],
            ("operator-name", lambda: named is not None and named.group(1) == theirs["SMSC"]["Number"]))

    if our_type == "Status_Report":
        text = ours["text"]
        recipient = re.search(r"  \((.*)\)\r\n", text)
        c.field("number", ours["number"], theirs["Number"],
                ("status-report-number", lambda: ours["number"] == "Status Report" and recipient is not None
                 and recipient.group(1) == theirs["Number"]))
        sent = re.search(r"Sent:  (\S*)  (\S*)\r\n", text)
        c.field("sent", sent.groups() if sent else None, (fmt_date(theirs["DateTime"]), fmt_time(theirs["DateTime"])))
        c.field("discharge time", (ours["date"], ours["time"]),
                (fmt_date(theirs["SMSCDateTime"]), fmt_time(theirs["SMSCDateTime"])))
        delivered = "\r\nDelivered:  " in text
        c.field("delivered", delivered, theirs["DeliveryStatus"] <= 0x1F)
        return c

    number = ours["number"]
    c.field("number", number, theirs["Number"],
            ("number-keys", lambda: ("*" in number or "#" in number)
             and number.replace("*", "").replace("#", "") == theirs["Number"]),
            ("alphanumeric-gsm-codes", lambda: to_gsm_codes(theirs["Number"], False) == number))

    if our_type == "Deliver":
        dt = theirs["DateTime"]
        c.field("date", ours["date"], fmt_date(dt),
                ("century", lambda: same_date_other_century(ours["date"], dt)))
        c.field("time", ours["time"], fmt_time(dt))
    else:
        c.field("validity", validity_minutes_ours(ours["validity"]),
                validity_minutes_gammu(theirs["SMSC"]["Validity"]))

    coding = theirs["Coding"]
    gtext = theirs["Text"]
    our_coding = {"Default_No_Compression": "7bit", "Unicode_No_Compression": "ucs2", "8bit": "8bit"}.get(coding)
    c.field("coding", ours["coding"], our_coding)
    our_text = ours["text"]
    if coding == "8bit":
        expected = crlf(gtext.decode("latin-1"))
        allow = [("line-breaks", lambda: False)]
    elif coding == "Unicode_No_Compression":
        our_text = from_utf8(our_text)
        expected = crlf(gtext)
        allow = [("ucs2-marker", lambda: len(gtext) > 0 and gtext[0] in "\x01~"
                  and crlf(gtext[1:]) == our_text)]
    else:
        codes = to_gsm_codes(gtext, False)
        expected = crlf(codes) if codes is not None else gtext
        loose = to_gsm_codes(gtext, True)
        escapes = our_text.count("\x1b")
        trimmed = to_gsm_codes(gtext[:len(gtext) - escapes], False) if escapes else None
        allow = [("unknown-escape", lambda: loose is not None and crlf(loose) == our_text),
                 ("gammu-escape-tail", lambda: trimmed is not None and crlf(trimmed) == our_text)]
    if our_text == expected and expected != gtext and coding != "8bit":
        c.allowed.add("line-breaks")
    c.field("text", our_text, expected, *allow)
    return c


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    dump = Dump(sys.argv[1])
    items = our_encoder_pdus(dump) + gammu_pdus() + handmade_pdus() + corpus_file_pdus()

    compared = differed = refused = 0
    used = {}
    for item in items:
        try:
            theirs = gammu.DecodePDU(bytes.fromhex(item.hex), True)
        except Exception as e:
            refused += 1
            print("gammu cannot decode (%s) %s: %s" % (item.origin, item.hex, type(e).__name__))
            continue
        ours = dump.ask("%s %s" % (decoder_for(item), item.hex))
        c = compare(item, ours, theirs)
        compared += 1
        for a in c.allowed:
            used[a] = used.get(a, 0) + 1
        if c.problems:
            differed += 1
            print("DIFFERENT (%s) %s" % (item.origin, item.hex))
            for p in c.problems:
                print("    " + p)
    dump.close()

    for name, count in sorted(used.items()):
        print("allowed %-24s %4d  %s" % (name, count, ALLOWANCES[name]))
    print("gammu could not decode %d" % refused)
    print("compared %d, differed %d" % (compared, differed))
    if compared == 0:
        print("nothing compared")
        return 1
    return 1 if differed else 0


if __name__ == "__main__":
    sys.exit(main())
