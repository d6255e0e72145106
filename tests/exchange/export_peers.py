"""The phonebook both export checks write and export.

write_and_export(tool, folder) writes "Phonebook.dat" (the program's 76-byte
records, packed here with struct) from ENTRIES, runs the export tool on it and
returns the paths of the CSV file, the XML file and the vCard folder.
"""

import os
import struct
import subprocess

# name, number, memory, position (texts as the phone holds them, Windows-1252)
ENTRIES = [
    ("Ana!", "+385911234567", "SIM card", "001"),
    ("Müller Jörg", "0981234567", "Mobile memory", "002"),
    ("Büro Berlin", "+49301234567", "Mobile memory", "003"),
    ("A & B", "*100#", "SIM card", "003"),
    ("Doe; John", "+12125550100", "Own numbers", "001"),
    ("Voicemail", "123", "Service numbers", "001"),
]

RECORD = struct.Struct("<B16sB32sB20sB4s")
assert RECORD.size == 76


def record(name, number, memory, position):
    fields = []
    for text in (name, number, memory, position):
        raw = text.encode("cp1252")
        fields += [len(raw), raw]
    return RECORD.pack(*fields)


def write_and_export(tool, folder):
    cache = os.path.join(folder, "Phonebook.dat")
    with open(cache, "wb") as f:
        for entry in ENTRIES:
            f.write(record(*entry))
    csv_path = os.path.join(folder, "book.csv")
    xml_path = os.path.join(folder, "book.xml")
    cards = os.path.join(folder, "cards")
    os.mkdir(cards)
    subprocess.run([tool, cache, csv_path, xml_path, cards + "/"], check=True)
    return csv_path, xml_path, cards
