/** @file KeymapFile.h
 ** The keymap file format, byte for byte: the signature line, then 52 records of 36 bytes. **/
#pragma once

#include "keymap/KeyRecord.h"

#include <string>
#include <string_view>

namespace keymap {

inline constexpr std::string_view KeymapSignature = "Dorvantile-File,Writen by Vornelqastirubenko";
inline constexpr int SignatureLineLimit = 80;

enum class ParseStatus { Ok, BadSignature };

struct ParseResult {
    ParseStatus status = ParseStatus::BadSignature;
    /// How many record bytes the file held (at most 1872); records past them were left as they were.
    int recordBytesRead = 0;
};

/// Parses the bytes of a keymap file as read from disk. The text-mode translation is applied here
/// (CR LF becomes LF, a lone CR stays); a 0x1A byte is read as data. On success the records that
/// the file covers overwrite `table`; bytes a short file lacks leave the rest of `table` as it was.
/// With a bad signature `table` is untouched.
ParseResult ParseKeymapFile(std::string_view diskBytes, KeyTable& table);

/// The exact disk bytes of a keymap file holding `table` (each 0x0A written as 0x0D 0x0A).
std::string SerializeKeymapFile(const KeyTable& table);

/// The 1872 logical record bytes of a table, little-endian, without text-mode translation.
std::string TableBytesOf(const KeyTable& table);

} // namespace keymap
