#pragma once

#include <string>
#include <string_view>

namespace varko::maintree {

// What a recovery file holds: the document's name and its text as bytes, one byte per character
// as the editor loads files.
struct RecoveryRecord {
    // The document's path, or the name an untitled document goes by ("Untitled.tt").
    std::string documentName;
    bool untitled = false;
    std::string bytes;
    // False when the file was cut short, carried more than it announced, or was not a recovery
    // file at all; whatever could be read is in the fields above.
    bool complete = true;
};

// The file's bytes: a header line, then each field with its length, so any name and any bytes
// (line breaks, NUL) come back exactly:
//   "VARKO RECOVERY 1\n" "untitled: 0\n" "name: <N>\n" <N bytes> "\n" "text: <M>\n" <M bytes>
std::string EncodeRecovery(const RecoveryRecord& record);

// Never fails: a file without the header line is taken as the text of an untitled document, and
// a damaged header keeps what was read before the damage.
RecoveryRecord DecodeRecovery(std::string_view file);

} // namespace varko::maintree
