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
/// The same into `out`, whose memory is reused (for one buffer over many files).
void DecodeTextMode(std::string_view disk, std::string& out, CtrlZ ctrlZ = CtrlZ::EndsText);
/// Memory to disk bytes: each LF becomes CR LF; nothing else changes.
std::string EncodeTextMode(std::string_view memory);
/// The same, appended to `out`.
void AppendTextMode(std::string_view memory, std::string& out);

/// Outcome of a file read or write; `error` holds the system's reason when `ok` is false.
/// The error of a read or write whose path holds a NUL byte (the system would cut the name there).
inline constexpr const char* NulInNameError = "The file name holds a NUL byte";

struct FileResult {
    bool ok = false;
    std::string error;
    /// Set when a read failed only because the file passed the reader's limit.
    bool tooLarge = false;
};

/// Which files a reader opens. The programs with a window open only regular files at start, so a
/// FIFO without a writer or a device that never ends cannot stall them before their window shows.
enum class FileKinds { Any, RegularOnly };
/// What a read does with a file longer than its limit: fail with a message, or keep the first bytes.
enum class PastLimit { Fails, KeepsStart };
/// How much a reader takes from one file; every reader states its own.
struct ReadLimit {
    size_t bytes;
    PastLimit past = PastLimit::Fails;
};
/// The ceiling of readers that name none: large, but far below what a machine holds.
inline constexpr ReadLimit DefaultReadLimit{size_t{1} << 30};

/// Reads a file as bytes, to its end whatever size it reports (pipes, /proc), or up to `limit`.
/// Fails, with `bytes` unchanged, for a missing file, a folder, an unreadable file, a file past a
/// failing limit ("File is larger than 8 KB") or, for RegularOnly, anything but a regular file
/// ("Not a regular file"). Never throws.
FileResult ReadFileBytes(const std::string& path, std::string& bytes, ReadLimit limit = DefaultReadLimit,
                         FileKinds kinds = FileKinds::Any);
/// Reads a file in text mode (see DecodeTextMode).
FileResult ReadTextFile(const std::string& path, std::string& text, CtrlZ ctrlZ = CtrlZ::EndsText,
                        ReadLimit limit = DefaultReadLimit, FileKinds kinds = FileKinds::Any);
/// A byte count as a reader's message gives it: "8 KB", "512 MB", "1000 bytes".
std::string SizeText(size_t bytes);
/// How many bytes follow the first 0x1A of `disk`, which a text read drops; 0 when only further
/// 0x1A bytes follow (the padding of old record-based files).
size_t BytesAfterEndMark(std::string_view disk);

/// Saves a file so that a failure never damages it. A regular file is replaced atomically: the
/// bytes go to a new, exclusively created temporary file in the target's folder (its name holds our
/// process id), which takes the file's place only once completely written and flushed, with the old
/// file's permissions, owner and group. A symbolic link is followed and kept. A file with other hard
/// links, or whose owner this process cannot give the new file, is written in place once the
/// complete copy exists. Devices, FIFOs and terminals are written directly. Temporary files of
/// writers that died a minute or more ago are removed on the way.
FileResult WriteFileAtomically(const std::string& path, std::string_view bytes);
/// Writes text in text mode (see EncodeTextMode), atomically.
FileResult WriteTextFile(const std::string& path, std::string_view text);

/// The runtime's atoi rule: optional leading white space, an optional sign, then decimal digits;
/// 0 when there are none. Values beyond the int range saturate instead of overflowing.
int AtoiRule(std::string_view text);

bool IsDirectory(const std::string& path);
bool FileExists(const std::string& path);

} // namespace platform
