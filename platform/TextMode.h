/** @file TextMode.h
 ** Text-mode files as the runtime streams kept them: CR LF on disk, LF in memory, 0x1A ends a text.
 ** Every reader and writer of the programs goes through these helpers. **/
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

/// Whether a byte 0x1A ends the data, as it does for text files; binary data read through the text
/// translation (keymaps) reads on past it.
enum class CtrlZ { EndsText, IsData };

/// Disk bytes to memory: each CR LF pair becomes LF; a lone CR and every other byte pass unchanged.
std::string DecodeTextMode(std::string_view disk, CtrlZ ctrlZ = CtrlZ::EndsText);
/// Memory to disk bytes: each LF becomes CR LF; nothing else changes.
std::string EncodeTextMode(std::string_view memory);

/// Outcome of a file read or write; `error` holds the system's reason when `ok` is false.
struct FileResult {
    bool ok = false;
    std::string error;
};

/// Reads a whole file as bytes, or its first `maxBytes` bytes. Fails for a missing file, a folder
/// or an unreadable file.
FileResult ReadFileBytes(const std::string& path, std::string& bytes, size_t maxBytes = SIZE_MAX);
/// Reads a file in text mode (see DecodeTextMode).
FileResult ReadTextFile(const std::string& path, std::string& text, CtrlZ ctrlZ = CtrlZ::EndsText);

/// Replaces a file atomically: the bytes go to a temporary file in the same folder, which takes the
/// file's place only once completely written and flushed. On failure the old file is untouched.
FileResult WriteFileAtomically(const std::string& path, std::string_view bytes);
/// Writes text in text mode (see EncodeTextMode), atomically.
FileResult WriteTextFile(const std::string& path, std::string_view text);

/// The runtime's atoi rule: optional leading white space, an optional sign, then decimal digits;
/// 0 when there are none. Values beyond the int range saturate instead of overflowing.
int AtoiRule(std::string_view text);

bool IsDirectory(const std::string& path);
bool FileExists(const std::string& path);

} // namespace platform
