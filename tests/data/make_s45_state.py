#!/usr/bin/python3
"""Writes tests/data/s45.state: the simulated phone of a typical S45 user.

Run it again after changing it; the state file it writes is committed.
    /usr/bin/python3 tests/data/make_s45_state.py > tests/data/s45.state

With --full it writes the same phone filled up instead: every phonebook and
call list at its capacity, every message position used and every calendar
slot the phone offers taken. The build makes that one where it is needed
(the benchmarks); it is not committed.
    /usr/bin/python3 tests/data/make_s45_state.py --full -o s45-full.state
"""
import argparse
import random
import struct
import sys

GSM = ("@£$¥èéùìòÇ\nØø\rÅåΔ_ΦΓΛΩΠΨΣΘΞ\x1bÆæßÉ !\"#¤%&'()*+,-./0123456789:;<=>?"
       "¡ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÑÜ§¿abcdefghijklmnopqrstuvwxyzäöñüà")
GSM_EXT = {"\f": 0x0A, "^": 0x14, "{": 0x28, "}": 0x29, "\\": 0x2F, "[": 0x3C, "~": 0x3D, "]": 0x3E, "|": 0x40, "€": 0x65}


def gsm_codes(text):
    out = []
    for ch in text:
        if ch in GSM_EXT:
            out += [0x1B, GSM_EXT[ch]]
        else:
            out.append(GSM.index(ch))
    return out


def gsm_len(text):
    return len(gsm_codes(text))


def pack7(codes):
    out, acc, bits = [], 0, 0
    for c in codes:
        acc |= (c & 0x7F) << bits
        bits += 7
        while bits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            bits -= 8
    if bits:
        out.append(acc & 0xFF)
    return bytes(out)


def semi(digits):
    if len(digits) % 2:
        digits += "F"
    return bytes(int(digits[i + 1] + digits[i], 16) for i in range(0, len(digits), 2))


def address(number):
    intl = number.startswith("+")
    digits = number.lstrip("+")
    return bytes([len(digits), 0x91 if intl else 0x81]) + semi(digits)


def alpha_address(name):
    packed = pack7(gsm_codes(name))
    return bytes([len(packed) * 2, 0xD0]) + packed


def smsc(number):
    if not number:
        return b"\x00"
    body = bytes([0x91]) + semi(number.lstrip("+"))
    return bytes([len(body)]) + body


def user_data(text, ucs2):
    if ucs2:
        data = text.encode("utf-16-be")
        return bytes([0x08]), bytes([len(data)]) + data
    codes = gsm_codes(text)
    return bytes([0x00]), bytes([len(codes)]) + pack7(codes)


def deliver(sender, stamp, text, ucs2=False, centre="+385910401"):
    dcs, ud = user_data(text, ucs2)
    origin = alpha_address(sender) if not sender.lstrip("+").isdigit() else address(sender)
    ts = semi(stamp.replace("/", "").replace(",", "").replace(":", "") + "04")
    return (smsc(centre) + b"\x04" + origin + b"\x00" + dcs + ts + ud).hex().upper()


def submit(dest, text, ucs2=False, validity=0xA7):
    dcs, ud = user_data(text, ucs2)
    return (b"\x00\x11\x00" + address(dest) + b"\x00" + dcs + bytes([validity]) + ud).hex().upper()


def vcalendar(category, start, text, alarm=False, rule=None):
    lines = ["BEGIN:VCALENDAR", "VERSION:1.0", "BEGIN:VEVENT", "CATEGORIES:" + category]
    if alarm:
        lines.append("DALARM:" + start)
    lines.append("DTSTART:" + start)
    if rule:
        lines.append("RRULE:" + rule)
    lines += ["DESCRIPTION:" + text, "END:VEVENT", "END:VCALENDAR"]
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


def midi_melody():
    """A small format-0 MIDI file: a short tune on a piano."""
    def vlq(n):
        out = [n & 0x7F]
        n >>= 7
        while n:
            out.insert(0, (n & 0x7F) | 0x80)
            n >>= 7
        return bytes(out)
    events = bytearray()
    events += vlq(0) + bytes([0xFF, 0x51, 0x03]) + (500000).to_bytes(3, "big")  # 120 bpm
    events += vlq(0) + bytes([0xC0, 0x00])
    tune = [(76, 240), (74, 240), (72, 240), (74, 240), (76, 240), (76, 240), (76, 480),
            (74, 240), (74, 240), (74, 480), (76, 240), (79, 240), (79, 480)]
    for note, length in tune:
        events += vlq(0) + bytes([0x90, note, 0x64])
        events += vlq(length) + bytes([0x80, note, 0x40])
    events += vlq(0) + bytes([0xFF, 0x2F, 0x00])
    header = b"MThd" + struct.pack(">IHHH", 6, 0, 1, 480)
    return header + b"MTrk" + struct.pack(">I", len(events)) + bytes(events)


def logo_bmp(width=101, height=46):
    """A 1-bit BMP: a frame and the operator's name in block letters."""
    glyphs = {
        "V": ["X...X", "X...X", "X...X", ".X.X.", "..X.."],
        "I": ["XXX", ".X.", ".X.", ".X.", "XXX"],
        "P": ["XXXX.", "X...X", "XXXX.", "X....", "X...."],
    }
    scale = 5
    black = set()
    for x in range(width):
        black.add((x, 0)); black.add((x, height - 1))
    for y in range(height):
        black.add((0, y)); black.add((width - 1, y))
    x0, y0 = 14, 10
    for ch in "VIP":
        g = glyphs[ch]
        for gy, row in enumerate(g):
            for gx, cell in enumerate(row):
                if cell == "X":
                    for dy in range(scale):
                        for dx in range(scale):
                            black.add((x0 + gx * scale + dx, y0 + gy * scale + dy))
        x0 += (len(g[0]) + 1) * scale
    row_bytes = ((width + 31) // 32) * 4
    pixels = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up
        row = bytearray(row_bytes)
        for x in range(width):
            if (x, y) not in black:  # palette 1 = white
                row[x // 8] |= 0x80 >> (x % 8)
        pixels += row
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
    head = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    return head + info + palette + bytes(pixels)


FIRST = ["Ana", "Marko", "Ivana", "Luka", "Petra", "Ivan", "Maja", "Tomislav", "Katarina", "Josip", "Martina",
         "Nikola", "Jelena", "Hrvoje", "Sanja", "Goran", "Tena", "Davor", "Mirela", "Zoran", "Lana", "Dario",
         "Iva", "Kre\u0161o".replace("\u0161", "s"), "Vesna", "Boris", "Nina", "Ante", "Dora", "Filip"]
LAST = ["Horvat", "Kovacevic", "Babic", "Maric", "Juric", "Novak", "Kovacic", "Vukovic", "Knezevic", "Markovic",
        "Petrovic", "Matic", "Tomic", "Pavlovic", "Bozic", "Blazevic", "Grgic", "Pavic", "Radic", "Peric"]
# Names written with the GSM alphabet's own letters and escaped characters.
SPECIAL = ["Müller Jörg", "Schäfer", "Strauß", "Ärztin Öhler", "Übersetzer", "Posao_ured", "Pizza Ciao €",
           "Frizer 2€ off", "Bank $ info", "Jürgen!", "Mama & Tata!", "Dr. Güntner", "Kino £ club"]


def sim_phonebook(rng, positions=None, name_length=14):
    """Entries at positions (100 of the SIM card's 250 drawn when None): names
    of FIRST and LAST, the SPECIAL ones among them, some VIPs ("!")."""
    if positions is None:
        positions = sorted(rng.sample(range(1, 251), 100))
    entries, used_names = [], set()
    special = list(SPECIAL)
    for k, pos in enumerate(positions):
        if special and k % 7 == 3:
            name = special.pop(0)
        else:
            while True:
                name = rng.choice(FIRST) + " " + rng.choice(LAST)
                if gsm_len(name) > name_length:
                    name = rng.choice(FIRST) + " " + rng.choice(LAST)[0] + "."
                if k % 11 == 5:
                    name = name[:name_length - 1] + "!"  # VIP
                if name not in used_names and gsm_len(name) <= name_length:
                    break
        used_names.add(name)
        kind = rng.random()
        if kind < 0.55:
            number = "+3859" + rng.choice("1258") + "".join(rng.choice("0123456789") for _ in range(7))
        elif kind < 0.8:
            number = "09" + rng.choice("1258") + "".join(rng.choice("0123456789") for _ in range(7))
        else:
            number = "+3851" + "".join(rng.choice("0123456789") for _ in range(7))
        entries.append((pos, number, name))
    return entries


def book_line(pos, number, name):
    assert gsm_len(name) <= 18, name
    return '%d,"%s",%d,"%s"' % (pos, number, 145 if number.startswith("+") else 129, name)


class StateWriter:
    """The state file's lines, section by section."""

    def __init__(self):
        self.lines = []

    def w(self, line):
        self.lines.append(line)

    def book(self, memory, capacity, entries, number_length=20, name_length=14, writable=True):
        """A phonebook or call list: entries are (position, number, name)."""
        self.w("")
        self.w("[phonebook %s]" % memory)
        self.w("capacity = %d" % capacity)
        self.w("number_length = %d" % number_length)
        self.w("name_length = %d" % name_length)
        if not writable:
            self.w("writable = 0")
        for pos, number, name in entries:
            self.w(book_line(pos, number, name))

    def sms(self, memory, capacity, messages):
        """A message memory: messages are (index, status, PDU)."""
        self.w("")
        self.w("[sms %s]" % memory)
        self.w("capacity = %d" % capacity)
        for index, status, pdu in messages:
            self.w("%d,%d,%s" % (index, status, pdu))

    def objects(self, kind, highest, items):
        """Binary objects: items are (index, bytes), cut into lines of 352 hex digits."""
        self.w("")
        self.w("[objects %s]" % kind)
        self.w("range = 0-%d" % highest)
        for index, data in items:
            hexdata = data.hex().upper()
            for i in range(0, len(hexdata), 352):
                self.w("%d,%s" % (index, hexdata[i:i + 352]))

    def text(self):
        return "\n".join(self.lines) + "\n"


def phone_sections(out):
    """The header, the phone's identity and settings: the same in every state."""
    w = out.w
    w("""# Simulated phone: a Siemens S45 as a typical user keeps it.
# Written by tests/data/make_s45_state.py; read by phonesim (tests/support/phonesim).
#
# Format (plain UTF-8 text, one item a line):
#   # comment                 blank lines and lines starting with '#' are ignored
#   [phone]                   key = value: manufacturer, model, revision, imei, imsi, scid,
#                             clock (yy/MM/dd,hh:mm:ss at start), battery (bcs,bcl), signal (rssi,ber),
#                             registration (stat,lac,ci), operator, operator_numeric, smsc (number,type),
#                             alert, vibration, speaker_level, ringer (melody,volume),
#                             ringer_range (highest melody,highest volume), price (currency,price),
#                             cell_broadcast (mode,mids,dcss), busy (a number that answers BUSY; repeatable)
#   [settings]                what ATZ returns to: echo, cmee, creg, clip, cnmi (five numbers), smgo
#   [passwords]               SC (PIN), P2 (PIN2), PS (phone code), AB (barring password), PUK = digits;
#                             SC_TRIES, P2_TRIES = wrong tries left (3; 0 blocks the code)
#   [locks]                   CS, PS, SC, FD = 0/1; AO, OI, OX, AI, IR = classes barred (1 voice, 2 data, 4 fax)
#   [diverts]                 reason,class,number,type,time    one active divert a line
#   [ussd]                    code = text answered to that service code (ATD or AT+CUSD)
#   [phonebook XX]            capacity, number_length, name_length, writable = ...
#                             index,"number",type,"name"   (the name in UTF-8, kept in the GSM alphabet)
#   [sms XX]                  capacity = n;  index,status,PDU   (status 0 unread, 1 read, 2 unsent, 3 sent)
#   [objects TYPE]            range = low-high;  index,HEX   (lines of one index are joined)
""")
    w("[phone]")
    for key, value in [("manufacturer", "SIEMENS"), ("model", "S45"), ("revision", "21"),
                       ("imei", "350123451234560"), ("imsi", "219101234567890"),
                       ("scid", "89385101234567890123"), ("clock", "05/03/15,12:34:56"),
                       ("battery", "0,80"), ("signal", "20,99"), ("registration", "1,0DA2,5C1F"),
                       ("operator", "HR VIP"), ("operator_numeric", "21910"),
                       ("smsc", "+385910401,145"), ("alert", "0"), ("vibration", "1"),
                       ("speaker_level", "3"), ("ringer", "5,3"), ("ringer_range", "41,4"),
                       ("price", "HRK,0.80"), ("cell_broadcast", "0,50,"),
                       ("busy", "+385915550000")]:
        w("%s = %s" % (key, value))
    w("")
    w("[settings]")
    for key, value in [("echo", "1"), ("cmee", "0"), ("creg", "0"), ("clip", "0"),
                       ("cnmi", "0,0,0,0,0"), ("smgo", "0")]:
        w("%s = %s" % (key, value))
    w("")
    w("[passwords]")
    for key, value in [("SC", "1234"), ("P2", "5678"), ("PS", "0000"), ("AB", "0000"),
                       ("PUK", "12345678")]:
        w("%s = %s" % (key, value))
    w("")
    w("[locks]")
    w("SC = 1")
    w("OI = 2")
    w("")
    w("[diverts]")
    w("1,1,+385981234567,145,20")
    w("2,1,+385981234567,145,25")
    w("")
    w("[ussd]")
    w("*101# = VIPme saldo: 45,20 kn")
    w("*100# = Na racunu imate 45,20 kn")


ME_ENTRIES = [("+385915551234", "Posao Marko"), ("+4930123456", "Büro Berlin"), ("+385981112223", "Taxi Zagreb"),
              ("0914445556", "Vodoinstalater"), ("+38512223334", "Zubar Dr. Ivic"),
              ("+436641234567", "Österreich Hotel"), ("0957778889", "Sef"),
              ("+385919990000", "Servis @ auta"), ("+38521123456", "Split apartman"), ("0989876543", "Teta Ljubica!")]
SERVICE_ENTRIES = [("112", "Hitni poziv"), ("92", "Policija"), ("94", "Hitna pomoc"),
                   ("*101#", "Stanje racuna"), ("+385911234", "VIP info")]


def call_lists(out, some, picks, capacity=10):
    """The dialled, received and missed calls: picks[book] calls each, drawn
    from the phonebook entries some, with a caller the phonebook does not know
    at the third position."""
    for book in ("LD", "RC", "MC"):
        entries = []
        for k in range(picks[book]):
            if k == 2:
                entries.append((k + 1, "+385913337777", ""))
                continue
            pos, number, name = some[(k * 13 + ord(book[0])) % len(some)]
            # The phone keeps the name it knew at the time of the call; some
            # entries carry none although the number is in the phonebook.
            entries.append((k + 1, number, "" if (book != "LD" and k % 2) else name))
        out.book(book, capacity, entries, writable=False)


def binary_objects(out, calendar):
    """The calendar entries (index, bytes) with the melody and the logo."""
    out.objects("vcs", 49, calendar)
    out.objects("mid", 2, [(0, midi_melody())])
    out.objects("bmp", 2, [(0, logo_bmp())])


def typical_state():
    rng = random.Random(45)
    sim = sim_phonebook(rng)
    some = [e for e in sim if not e[2].endswith("!")]
    out = StateWriter()
    phone_sections(out)
    out.book("SM", 250, sim)
    out.book("ME", 100, [([1, 2, 3, 4, 5, 7, 8, 10, 11, 15][k], number, name)
                         for k, (number, name) in enumerate(ME_ENTRIES)], number_length=32, name_length=18)
    out.book("ON", 2, [(1, "+385915550001", "Moj broj")])
    out.book("SD", 20, [(k + 1, number, name) for k, (number, name) in enumerate(SERVICE_ENTRIES)],
             writable=False)
    call_lists(out, some, {"LD": 8, "RC": 6, "MC": 3})

    friend = some[0]
    out.sms("SM", 20, [
        (1, 1, deliver(friend[1], "05/03/12,18:02:11", "Bok! Vidimo se sutra u 8 kod kina?")),
        (2, 1, deliver("VIPnet", "05/03/13,10:00:00", "Dobrodosli u VIP mrezu. Vas VIP tim")),
        (3, 0, deliver(some[3][1], "05/03/15,08:45:30", "Računi: 12€ za pizzu, ostalo sutra. Grüße!", ucs2=True)),
        (5, 1, deliver(some[5][1], "05/03/10,21:17:03", "Račun je plaćen. Hvala! Čestitam na novom poslu.", ucs2=True)),
        (6, 2, submit(some[7][1], "Kasnim 10 min, naruci mi kavu")),
        (8, 3, submit(friend[1], "Moze, vidimo se u 8!")),
        (9, 1, deliver(some[9][1], "05/03/09,12:00:00", "Popis:\n- kruh\n- mlijeko\n- jaja @ 2$")),
    ])
    out.sms("ME", 25, [
        (1, 1, deliver(some[11][1], "05/02/28,16:40:00", "Sretan put! Javi se kad stignes.")),
        (2, 0, deliver(some[12][1], "05/03/15,11:59:59", "Ćao, jesi li dobila moju poruku?", ucs2=True)),
        (4, 2, submit("+4930123456", "Termin am Montag passt. Schöne Grüße")),
        (5, 3, submit(some[13][1], "Stigao sam.")),
        (7, 1, deliver("+385915550000", "05/03/01,07:30:00", "Vas racun za veljacu iznosi 123,45 kn.")),
    ])
    binary_objects(out, [
        (1, vcalendar("MEETING", "20050316T090000", "Sastanak s Markom i Anom u uredu, donijeti izvjestaj za ozujak", alarm=True)),
        (2, vcalendar("ANNIVERSARY", "20050402T000000", "Rodjendan Ane", rule="YD1")),
        (3, vcalendar("PHONE CALL", "20050318T143000", friend[1], alarm=True)),
    ])
    return out.text()


# Pieces of the messages of the full phone, joined up to the length each needs.
WORDS = ("Bok sutra vidimo se kod kina u osam donesi kljuceve od auta javi se kad stignes "
         "racun je placen hvala na pozivu sastanak je pomaknut na cetvrtak poslije rucka "
         "zovi me kad procitas kupi kruh mlijeko i jaja @ 2$ nema problema lijep pozdrav").split()
UCS2_TEXTS = ["Računi: 12€ za pizzu, ostalo sutra. Grüße!", "Ćao, jesi li dobila moju poruku?",
              "Čestitam! Šaljem ti ključeve poštom, javi kad stignu. Žao mi je."]
CATEGORIES = ["MEETING", "ANNIVERSARY", "PHONE CALL", "MEMO"]
RULES = [None, "YD1", "W1", "D1", None, "MD1"]


def message_text(rng, length):
    words = []
    while len(" ".join(words)) < length:
        words.append(rng.choice(WORDS))
    return " ".join(words)[:length].strip()


def full_messages(rng, count, numbers):
    """count messages: received (read and unread) and stored (unsent and
    sent), of every length up to the 160 characters of one message."""
    messages = []
    for index in range(1, count + 1):
        status = [1, 0, 1, 2, 3][index % 5]
        number = numbers[(index * 7) % len(numbers)]
        stamp = "05/03/%02d,%02d:%02d:%02d" % (1 + index % 28, index % 24, (index * 7) % 60, (index * 13) % 60)
        if index % 6 == 0:
            text, ucs2 = UCS2_TEXTS[index % len(UCS2_TEXTS)], True
        else:
            text, ucs2 = message_text(rng, rng.choice([12, 40, 90, 160])), False
        pdu = submit(number, text, ucs2) if status >= 2 else deliver(number, stamp, text, ucs2)
        messages.append((index, status, pdu))
    return messages


def full_calendar(rng, numbers):
    """An entry in every calendar slot the phone reads (1 to 49)."""
    entries = []
    for slot in range(1, 50):
        category = CATEGORIES[slot % len(CATEGORIES)]
        start = "200503%02dT%02d%02d00" % (1 + slot % 28, 8 + slot % 12, (slot * 15) % 60)
        text = numbers[slot % len(numbers)] if category == "PHONE CALL" else \
            message_text(rng, rng.choice([10, 30, 60])).capitalize()
        entries.append((slot, vcalendar(category, start, text, alarm=slot % 2 == 1,
                                        rule=RULES[slot % len(RULES)])))
    return entries


def full_state():
    rng = random.Random(4545)
    sim = sim_phonebook(rng, range(1, 251))
    me = sim_phonebook(rng, range(1, 101), name_length=18)
    some = [e for e in sim if not e[2].endswith("!")]
    numbers = [number for _, number, _ in some]
    out = StateWriter()
    phone_sections(out)
    out.book("SM", 250, sim)
    out.book("ME", 100, me, number_length=32, name_length=18)
    out.book("ON", 2, [(1, "+385915550001", "Moj broj"), (2, "+385981234567", "Posao")])
    service = SERVICE_ENTRIES + [("+38591%04d" % (1000 + k), "Usluga %d" % k) for k in range(1, 16)]
    out.book("SD", 20, [(k + 1, number, name) for k, (number, name) in enumerate(service)],
             writable=False)
    call_lists(out, some, {"LD": 10, "RC": 10, "MC": 10})
    out.sms("SM", 20, full_messages(rng, 20, numbers))
    out.sms("ME", 25, full_messages(rng, 25, numbers))
    binary_objects(out, full_calendar(rng, numbers))
    return out.text().replace("as a typical user keeps it.", "with every memory, list and slot full.", 1)


def main():
    parser = argparse.ArgumentParser(description="Writes the state file of the simulated S45.")
    parser.add_argument("--full", action="store_true", help="every memory, list and slot used")
    parser.add_argument("-o", "--output", help="the file to write (standard output without)")
    args = parser.parse_args()
    text = full_state() if args.full else typical_state()
    if args.output:
        with open(args.output, "w", encoding="utf-8") as f:
            f.write(text)
    else:
        sys.stdout.write(text)


if __name__ == "__main__":
    main()
