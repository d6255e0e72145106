#!/usr/bin/python3
"""Compares the MIDI model (through midi_dump) with python3-mido, an
independent Standard MIDI File parser, on:
  - files that mido writes here (formats 0, 1 and 2, running status, sysex,
    metas, long tracks, random content), plus a few written byte by byte
    (no end-of-track, split sysex, longer header, RIFF "RMID" wrapping);
  - real-world files found under the --real folders (taken from Debian
    packages by scripts/test-data);
  - every .mid file under $PARLENKO_MIDI_CORPUS when it is set.

Compared: header (format, track count, division) and per track the event
count and each event's absolute tick, status, data bytes, meta type and
meta data (text metas also as mido decodes their text).

Where the two models legitimately differ the comparison normalises, and
says how often it did:
  - RMID unwrapped: mido reads plain MIDI files only, so it is given the
    contents of the RIFF form's "data" chunk, found here independently;
  - our synthesised end-of-track: a track without one gets one in our model,
    so a final end-of-track without data is dropped from ours when mido's
    track has none;
  - mido's sysex framing: mido keeps no $F0/$F7 distinction and strips a
    leading $F0 and a trailing $F7 from the packet; ours keeps the bytes as
    in the file, so both statuses compare as "sysex" and ours is stripped
    the same way.
Skipped (with the reason): files mido cannot read (its checks are stricter:
data bytes above 127, undefined status bytes), files both refuse, tracks
beyond our 100000-event capacity, and - only when the two differ - files
outside the standard in the two ways the models read differently: a data byte
right after a sysex event (mido takes it as running status of the sysex, we
as running status of the last channel message) and system common or
real-time status bytes inside a track (mido reads their data bytes, we none).
Every other difference fails the test.
Exit 77 when mido is missing."""

import argparse
import io
import json
import os
import random
import struct
import subprocess
import sys

try:
    import mido
    from mido.midifiles import midifiles as mido_files
    from mido.midifiles import meta as mido_meta
except ImportError as e:  # pragma: no cover
    print("SKIP: python3-mido is not available (%s)" % e)
    sys.exit(77)

MAX_EVENTS = 100000
TEXT_METAS = {0x01: "text", 0x02: "text", 0x03: "name", 0x04: "name", 0x05: "text",
              0x06: "text", 0x07: "text", 0x09: "name"}


# ---- mido with the raw bytes of meta events kept ----------------------------

class RawMeta:
    """A meta event as mido read it: the raw type and data, plus mido's own
    decoding (or why it could not decode)."""
    is_meta = True
    type = "raw_meta"

    def __init__(self, meta_type, data, delta):
        self.meta_type = meta_type
        self.data = list(data)
        self.time = delta
        try:
            self.decoded = mido_meta.build_meta_message(meta_type, data, delta)
            self.decode_error = None
        except Exception as e:  # mido refuses some payloads (bad key signature...)
            self.decoded = None
            self.decode_error = str(e)


def mido_read_meta(infile, delta):
    meta_type = mido_files.read_byte(infile)
    length = mido_files.read_variable_int(infile)
    data = mido_files.read_bytes(infile, length)
    return RawMeta(meta_type, data, delta)


mido_files.read_meta_message = mido_read_meta


def unwrap_rmid(data):
    """The "data" chunk of a RIFF form, or None when there is none."""
    if len(data) < 12 or data[:4].upper() != b"RIFF":
        return None
    if data[:4] != b"RIFF":
        return None
    riff_end = min(len(data), 8 + struct.unpack("<I", data[4:8])[0])
    pos = 12
    while pos + 8 <= riff_end:
        ident, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
        if ident == b"data":
            return data[pos + 8:pos + 8 + size]
        pos += 8 + size + (size & 1)
    return None


def nonstandard_feature(data):
    """The first feature of the file, outside the standard MIDI file format,
    that the two models read differently; None when there is none."""
    if data[:4].upper() == b"RIFF":
        data = unwrap_rmid(data) or b""
    try:
        pos = 8 + struct.unpack(">I", data[4:8])[0]
        while pos + 8 <= len(data):
            size = struct.unpack(">I", data[pos + 4:pos + 8])[0]
            track, pos = data[pos + 8:pos + 8 + size], pos + 8 + size
            p, running, previous = 0, 0, None
            while p < len(track):
                while track[p] & 0x80:
                    p += 1
                p += 1
                b = track[p]
                if b < 0x80:
                    if previous in (0xF0, 0xF7):
                        return "a data byte right after a sysex event"
                    status = running
                else:
                    status, p = b, p + 1
                if status < 0xF0:
                    if b >= 0x80:
                        running = status
                        p += 1
                    else:
                        p += 1
                    p += 0 if status >> 4 in (0xC, 0xD) else 1
                elif status in (0xF0, 0xF7, 0xFF):
                    if status == 0xFF:
                        p += 1
                    length = 0
                    while True:
                        length = (length << 7) | (track[p] & 0x7F)
                        p += 1
                        if not track[p - 1] & 0x80:
                            break
                    p += length
                else:
                    return "status byte %02X (system common or real-time) in a track" % status
                previous = status
    except (IndexError, struct.error):
        return None
    return None


def read_with_mido(path):
    with open(path, "rb") as f:
        data = f.read()
    unwrapped = data[:4].upper() == b"RIFF"
    if unwrapped:
        inner = unwrap_rmid(data)
        if inner is None:
            raise IOError("no RIFF data chunk")
        data = inner
    return mido.MidiFile(file=io.BytesIO(data)), unwrapped


# ---- comparison -------------------------------------------------------------

def strip_framing(block):
    if block and block[0] == 0xF0:
        block = block[1:]
    if block and block[-1] == 0xF7:
        block = block[:-1]
    return block


def compare(ours, theirs, notes):
    """Differences between our dump and mido's file, as texts."""
    diffs = []
    if ours["format"] != theirs.type & 0xFFFF:
        diffs.append("format %d vs %d" % (ours["format"], theirs.type))
    if ours["division"] != theirs.ticks_per_beat & 0xFFFF:
        diffs.append("division %d vs %d" % (ours["division"], theirs.ticks_per_beat))
    if len(ours["tracks"]) != len(theirs.tracks):
        diffs.append("track count %d vs %d" % (len(ours["tracks"]), len(theirs.tracks)))
        return diffs
    for t, (events, track) in enumerate(zip(ours["tracks"], theirs.tracks)):
        mido_has_end = any(getattr(m, "meta_type", None) == 0x2F for m in track)
        if (not mido_has_end and events and events[-1]["status"] == 0xFF
                and events[-1]["meta"] == 0x2F and events[-1]["block"] == ""):
            events = events[:-1]
            notes["synthesised end-of-track dropped"] += 1
        if len(events) != len(track):
            diffs.append("track %d: %d events vs %d" % (t, len(events), len(track)))
        tick = 0
        for i, (e, m) in enumerate(zip(events, track)):
            tick += m.time
            where = "track %d event %d (tick %d)" % (t, i, tick)
            if e["tick"] != tick:
                diffs.append("%s: tick %d vs %d" % (where, e["tick"], tick))
                break
            if isinstance(m, RawMeta):
                block = bytes.fromhex(e.get("block", ""))
                if e["status"] != 0xFF or e["meta"] != m.meta_type or list(block) != m.data:
                    diffs.append("%s: %r vs meta %02x %s" % (where, e, m.meta_type, bytes(m.data).hex()))
                    break
                attr = TEXT_METAS.get(m.meta_type)
                if attr and m.decoded is not None and getattr(m.decoded, attr) != block.decode("latin1"):
                    diffs.append("%s: text %r vs %r" % (where, block.decode("latin1"), getattr(m.decoded, attr)))
                    break
            elif m.type == "sysex":
                block = list(bytes.fromhex(e.get("block", "")))
                stripped = strip_framing(block)
                if stripped != block:
                    notes["sysex framing stripped"] += 1
                if e["status"] not in (0xF0, 0xF7) or stripped != list(m.data):
                    diffs.append("%s: %r vs sysex %s" % (where, e, bytes(m.data).hex()))
                    break
            else:
                raw = m.bytes()
                if e["status"] != raw[0] or e.get("data", []) != raw[1:]:
                    diffs.append("%s: %r vs %s" % (where, e, bytes(raw).hex()))
                    break
        if len(diffs) > 5:
            break
    return diffs


# ---- files mido writes, and a few written byte by byte ----------------------

def M(*a, **k):
    return mido.Message(*a, **k)


def Meta(*a, **k):
    return mido.MetaMessage(*a, **k)


def rich_track(rng):
    tr = mido.MidiTrack()
    tr += [Meta("track_name", name="Melodija caf\xe9"), Meta("copyright", text="(c) nobody"),
           Meta("instrument_name", name="Piano"), Meta("device_name", name="S45"),
           Meta("sequence_number", number=7), Meta("channel_prefix", channel=3), Meta("midi_port", port=1),
           Meta("set_tempo", tempo=600000), Meta("time_signature", numerator=6, denominator=8),
           Meta("key_signature", key="F#m"), Meta("smpte_offset", frame_rate=25, hours=1, minutes=2),
           Meta("sequencer_specific", data=[0x00, 0x20, 0x24, 1]),
           mido.UnknownMetaMessage(0x60, data=[1, 2, 3]),
           M("sysex", data=[0x7E, 0x7F, 0x09, 0x01]), M("sysex", data=[]),
           M("program_change", channel=0, program=5), M("control_change", control=7, value=100)]
    for i in range(200):
        note = 48 + rng.randrange(24)
        tr.append(M("note_on", note=note, velocity=rng.randrange(1, 128), time=rng.choice([0, 0, 12, 96])))
        tr.append(M("note_off" if i % 2 else "note_on", note=note, velocity=0, time=rng.choice([0, 24, 48])))
        if i % 17 == 0:
            tr.append(Meta("lyrics", text="la%d" % i))
            tr.append(M("pitchwheel", pitch=rng.randrange(-8192, 8192)))
            tr.append(M("note_on", note=60, velocity=0))  # running status after meta
        if i % 23 == 0:
            tr += [M("aftertouch", value=rng.randrange(128)), M("polytouch", note=note, value=3),
                   M("sysex", data=[0x43, 0x10, i & 0x7F]), M("note_off", note=note, velocity=64),
                   Meta("marker", text="m%d" % i), Meta("cue_marker", text="cue"), Meta("text", text="t")]
    return tr


def random_track(rng, n, channel=None, big_deltas=True):
    kinds = ["note_on", "note_off", "control_change", "program_change", "pitchwheel", "aftertouch",
             "polytouch", "sysex", "text", "tempo"]
    tr = mido.MidiTrack()
    for _ in range(n):
        delta = rng.choice([0, 0, 0, 1, 60, 127, 128, 16383, 16384,
                            rng.randrange(1 << 21) if big_deltas else 2])
        ch = channel if channel is not None else rng.randrange(16)
        k = rng.choice(kinds)
        if k in ("note_on", "note_off", "polytouch"):
            msg = M(k, channel=ch, note=rng.randrange(128), **({"value": rng.randrange(128)} if k == "polytouch"
                                                             else {"velocity": rng.randrange(128)}))
        elif k == "control_change":
            msg = M(k, channel=ch, control=rng.randrange(128), value=rng.randrange(128))
        elif k == "program_change":
            msg = M(k, channel=ch, program=rng.randrange(128))
        elif k == "pitchwheel":
            msg = M(k, channel=ch, pitch=rng.randrange(-8192, 8192))
        elif k == "aftertouch":
            msg = M(k, channel=ch, value=rng.randrange(128))
        elif k == "sysex":
            msg = M(k, data=[rng.randrange(128) for _ in range(rng.choice([0, 1, 5, 200]))])
        elif k == "text":
            msg = Meta("text", text="".join(chr(rng.randrange(32, 256)) for _ in range(rng.randrange(0, 150))))
        else:
            msg = Meta("set_tempo", tempo=rng.randrange(1, 1 << 24))
        msg.time = delta
        tr.append(msg)
    return tr


def vlq(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.insert(0, 0x80 | (n & 0x7F))
        n >>= 7
    return bytes(out)


def chunk(ident, data):
    return ident + struct.pack(">I", len(data)) + data


def riff(ident, data):
    return ident + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")


def generate(folder):
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(2026)
    made = []

    def save(name, mid):
        path = os.path.join(folder, name)
        mid.save(path)
        made.append(path)
        return path

    def write(name, data):
        path = os.path.join(folder, name)
        with open(path, "wb") as f:
            f.write(data)
        made.append(path)
        return path

    rich = save("format0_rich.mid", mido.MidiFile(type=0, ticks_per_beat=96, tracks=[rich_track(rng)]))
    save("format1.mid", mido.MidiFile(type=1, ticks_per_beat=480, tracks=[
        mido.MidiTrack([Meta("set_tempo", tempo=500000), Meta("time_signature")])] +
        [random_track(rng, 300, channel=c) for c in range(3)]))
    save("format2.mid", mido.MidiFile(type=2, ticks_per_beat=120,
                                      tracks=[random_track(rng, 150) for _ in range(4)]))
    save("long_track.mid", mido.MidiFile(type=0, tracks=[random_track(rng, 60000, channel=2, big_deltas=False)]))
    save("at_capacity.mid", mido.MidiFile(type=0, tracks=[mido.MidiTrack(
        [M("note_on", note=60, velocity=i % 127 + 1, time=1) for i in range(MAX_EVENTS - 1)])]))
    for seed in range(12):
        r = random.Random(seed)
        kind = r.choice([0, 1, 2])
        save("random%02d.mid" % seed, mido.MidiFile(type=kind, ticks_per_beat=r.randrange(1, 32768),
                                                    tracks=[random_track(r, r.randrange(0, 400))
                                                            for _ in range(1 if kind == 0 else r.randrange(1, 6))]))

    notes = b"\x00\x90\x3c\x40\x60\x3c\x00\x00\xc0\x05\x00\x06"  # running status, one-byte messages
    write("no_end_of_track.mid", chunk(b"MThd", struct.pack(">hhh", 1, 2, 96)) + chunk(b"MTrk", b"") +
          chunk(b"MTrk", notes))
    write("split_sysex.mid", chunk(b"MThd", struct.pack(">hhh", 0, 1, 96)) + chunk(
        b"MTrk", b"\x00\xf0\x03\x43\x12\x00" + vlq(200) + b"\xf7\x02\x10\xf7" + notes +
        b"\x00\xff\x01\x00\x00\xff\x2f\x00"))
    write("long_header.mid", chunk(b"MThd", struct.pack(">hhh", 0, 1, 96) + b"\x01\x02\x03\x04") +
          chunk(b"MTrk", notes + b"\x00\xff\x2f\x00"))
    write("big_delta.mid", chunk(b"MThd", struct.pack(">hhh", 0, 1, 96)) + chunk(
        b"MTrk", vlq(0x0FFFFFFF) + b"\x90\x3c\x40" + vlq(0x0FFFFFFF) + b"\x3c\x00" + b"\x00\xff\x2f\x00"))
    with open(rich, "rb") as f:
        smf = f.read()
    write("wrapped.rmi", riff(b"RIFF", b"RMID" + riff(b"LIST", b"INFO" + riff(b"INAM", b"odd")) +
                         riff(b"DISP", b"\x01") + riff(b"data", smf)))
    return made


# ---- the run ----------------------------------------------------------------

def find_midi_files(folder, extensions):
    found = []
    for root, _, names in os.walk(folder):
        for name in names:
            if os.path.splitext(name)[1].lower() in extensions:
                found.append(os.path.join(root, name))
    return sorted(found)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--dump", required=True, help="the midi_dump program")
    ap.add_argument("--work", required=True, help="folder for the generated files")
    ap.add_argument("--real", action="append", default=[], help="folder of real-world MIDI files")
    ap.add_argument("--min-real", type=int, default=20 if os.environ.get("CI") == "true" else 0,
                    help="fail when fewer real-world files were compared (20 by default in CI)")
    args = ap.parse_args()

    groups = [("generated", generate(os.path.join(args.work, "generated")))]
    real = []
    for folder in args.real:
        if os.path.isdir(folder):
            real += find_midi_files(folder, {".mid", ".midi", ".kar", ".rmi"})
        else:
            print("note: no real-world folder %s (scripts/test-data fills it)" % folder)
    groups.append(("real-world", real))
    corpus = os.environ.get("PARLENKO_MIDI_CORPUS")
    if corpus:
        groups.append(("corpus", find_midi_files(corpus, {".mid"})))

    compared = {name: 0 for name, _ in groups}
    skipped, differing = [], []
    notes = {"RMID unwrapped": 0, "synthesised end-of-track dropped": 0, "sysex framing stripped": 0}
    for group, files in groups:
        if not files:
            continue
        out = subprocess.run([args.dump] + files, capture_output=True, text=True)
        if out.returncode != 0:
            print(out.stderr)
            print("FAIL: midi_dump stopped (%d) on the %s files" % (out.returncode, group))
            return 1
        dumps = [json.loads(line) for line in out.stdout.splitlines()]
        for path, ours in zip(files, dumps):
            name = os.path.relpath(path, args.work) if group == "generated" else path
            try:
                theirs, unwrapped = read_with_mido(path)
                mido_error = None
            except Exception as e:
                theirs, unwrapped, mido_error = None, False, "%s: %s" % (type(e).__name__, e)
            if mido_error and "error" in ours:
                skipped.append((name, "both refuse it (ours: %s; mido: %s)" % (ours["error"], mido_error)))
                continue
            if mido_error:
                skipped.append((name, "mido cannot read it (%s)" % mido_error))
                continue
            if "error" in ours:
                longest = max((len(t) for t in theirs.tracks), default=0)
                if ours["class"] == "EVirtualMemory" and longest >= MAX_EVENTS:
                    skipped.append((name, "a track of %d events is beyond our %d-event capacity" % (longest, MAX_EVENTS)))
                    continue
                diffs = ["ours refuses it: %s (%s)" % (ours["error"], ours["class"])]
            else:
                if unwrapped:
                    notes["RMID unwrapped"] += 1
                diffs = compare(ours, theirs, notes)
            if diffs:
                with open(path, "rb") as f:
                    feature = nonstandard_feature(f.read())
                if feature:
                    skipped.append((name, "outside the standard, read differently by the two: " + feature))
                else:
                    differing.append((name, diffs))
            else:
                compared[group] += 1

    for name, reason in skipped:
        print("skipped %s: %s" % (name, reason))
    for name, diffs in differing:
        print("DIFFERS %s:" % name)
        for d in diffs[:6]:
            print("    " + d)
    print("normalisations: " + ", ".join("%s %d" % kv for kv in notes.items()))
    print("files compared equal: %d (%s); skipped: %d; differing: %d" % (
        sum(compared.values()), ", ".join("%s %d" % kv for kv in compared.items()), len(skipped), len(differing)))
    if differing:
        print("FAIL: unexplained differences from mido")
        return 1
    if compared["real-world"] < args.min_real:
        print("FAIL: only %d real-world files compared, at least %d wanted (run scripts/test-data)"
              % (compared["real-world"], args.min_real))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
