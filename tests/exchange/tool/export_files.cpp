// Loads a phonebook cache with the program's reader and writes it with the
// program's export writers, for the checks with independent readers.
//   export_files PHONEBOOK_DAT CSV XML CARD_FOLDER
#include "exchange/formats/exports.h"
#include "exchange/formats/phonebook_file.h"

#include <iostream>

int main(int argc, char** argv) {
    using namespace parlenko::exchange;
    if (argc != 5) {
        std::cerr << "usage: export_files PHONEBOOK_DAT CSV XML CARD_FOLDER\n";
        return 2;
    }
    const PhonebookFileContents book = ReadPhonebookRecordsFile(argv[1]);
    if (!book.error.empty() || book.damagedRecords != 0) {
        std::cerr << "cannot read " << argv[1] << ": " << book.error << "\n";
        return 1;
    }
    for (const WriteResult& written :
         {ExportPhonebookCsv(argv[2], book.entries), ExportPhonebookXml(argv[3], book.entries),
          ExportPhonebookVCards(argv[4], book.entries)}) {
        if (!written.ok()) {
            std::cerr << written.error << "\n";
            return 1;
        }
    }
    return 0;
}
