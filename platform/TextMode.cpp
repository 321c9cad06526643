#include "platform/TextMode.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <utility>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

void DecodeTextMode(std::string_view disk, std::string& out, CtrlZ ctrlZ)
{
    if (ctrlZ == CtrlZ::EndsText) {
        const size_t end = disk.find('\x1a');
        if (end != std::string_view::npos)
            disk = disk.substr(0, end);
    }
    out.clear();
    out.reserve(disk.size());
    // Whole runs between CR LF pairs at a time: a byte at a time is several times slower.
    size_t start = 0;
    for (size_t cr = disk.find('\r'); cr != std::string_view::npos; cr = disk.find('\r', cr + 1)) {
        if (cr + 1 < disk.size() && disk[cr + 1] == '\n') {
            out.append(disk.data() + start, cr - start);
            start = cr + 1; // the LF is kept with the next run
        }
    }
    out.append(disk.data() + start, disk.size() - start);
}

std::string DecodeTextMode(std::string_view disk, CtrlZ ctrlZ)
{
    std::string out;
    DecodeTextMode(disk, out, ctrlZ);
    return out;
}

void AppendTextMode(std::string_view memory, std::string& out)
{
    size_t start = 0;
    for (size_t lf = memory.find('\n'); lf != std::string_view::npos; lf = memory.find('\n', start)) {
        out.append(memory.data() + start, lf - start);
        out.append("\r\n", 2);
        start = lf + 1;
    }
    out.append(memory.data() + start, memory.size() - start);
}

std::string EncodeTextMode(std::string_view memory)
{
    std::string out;
    out.reserve(memory.size() + memory.size() / 16 + 8);
    AppendTextMode(memory, out);
    return out;
}

std::string SizeText(size_t bytes)
{
    constexpr size_t KB = 1024;
    for (const auto& [unit, name] : {std::pair{KB * KB * KB, " GB"}, std::pair{KB * KB, " MB"}, std::pair{KB, " KB"}})
        if (bytes >= unit && bytes % unit == 0)
            return std::to_string(bytes / unit) + name;
    return std::to_string(bytes) + " bytes";
}

size_t BytesAfterEndMark(std::string_view disk)
{
    const size_t mark = disk.find('\x1a');
    if (mark == std::string_view::npos || disk.find_first_not_of('\x1a', mark) == std::string_view::npos)
        return 0;
    return disk.size() - mark - 1;
}

namespace {

FileResult TooLarge(ReadLimit limit)
{
    return {false, "File is larger than " + SizeText(limit.bytes), true};
}

#ifndef _WIN32
/// Reads from `fd` until its end or until `data` holds `cap` bytes.
bool ReadUpTo(int fd, std::string& data, size_t cap)
{
    constexpr size_t Chunk = 65536;
    while (data.size() < cap) {
        const size_t old = data.size();
        const size_t want = cap - old < Chunk ? cap - old : Chunk;
        data.resize(old + want);
        const ssize_t got = ::read(fd, data.data() + old, want);
        data.resize(old + (got > 0 ? static_cast<size_t>(got) : 0));
        if (got == 0)
            return true;
        if (got < 0 && errno != EINTR)
            return false;
    }
    return true;
}

FileResult ReadOpenFile(int fd, std::string& bytes, ReadLimit limit, FileKinds kinds)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return {false, std::strerror(errno)};
    if (S_ISDIR(st.st_mode))
        return {false, "Is a directory"};
    if (kinds == FileKinds::RegularOnly && !S_ISREG(st.st_mode))
        return {false, "Not a regular file"};
    // Opened without blocking so a FIFO could be refused; a regular file reads the same either way.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const bool fails = limit.past == PastLimit::Fails;
    if (fails && S_ISREG(st.st_mode) && static_cast<std::uintmax_t>(st.st_size) > limit.bytes)
        return TooLarge(limit);
    // One byte past a failing limit tells a longer file from one of exactly that size.
    const size_t cap = fails && limit.bytes < SIZE_MAX ? limit.bytes + 1 : limit.bytes;
    std::string data;
    // The reported size is only a hint: /proc files report 0, a file may grow while read.
    if (S_ISREG(st.st_mode) && st.st_size > 0)
        data.reserve(static_cast<size_t>(st.st_size) < cap ? static_cast<size_t>(st.st_size) : cap);
    if (!ReadUpTo(fd, data, cap))
        return {false, std::strerror(errno)};
    if (fails && data.size() > limit.bytes)
        return TooLarge(limit);
    bytes = std::move(data);
    return {true, {}};
}
#endif

} // namespace

FileResult ReadFileBytes(const std::string& path, std::string& bytes, ReadLimit limit, FileKinds kinds)
{
    // The system would read the name only up to the NUL: another file than the one named.
    if (path.find('\0') != std::string::npos)
        return {false, NulInNameError};
    try {
#ifndef _WIN32
        const int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | (kinds == FileKinds::RegularOnly ? O_NONBLOCK : 0);
        int fd;
        do
            fd = ::open(path.c_str(), flags);
        while (fd < 0 && errno == EINTR);
        if (fd < 0)
            return {false, std::strerror(errno)};
        FileResult result = ReadOpenFile(fd, bytes, limit, kinds);
        ::close(fd);
        return result;
#else
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec))
            return {false, "Is a directory"};
        if (kinds == FileKinds::RegularOnly && !std::filesystem::is_regular_file(path, ec))
            return {false, "Not a regular file"};
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return {false, std::strerror(errno)};
        const bool fails = limit.past == PastLimit::Fails;
        const size_t cap = fails && limit.bytes < SIZE_MAX ? limit.bytes + 1 : limit.bytes;
        std::string data;
        char buffer[65536];
        while (data.size() < cap) {
            in.read(buffer, static_cast<std::streamsize>(std::min(sizeof buffer, cap - data.size())));
            if (in.gcount() <= 0)
                break;
            data.append(buffer, static_cast<size_t>(in.gcount()));
        }
        if (in.bad())
            return {false, "Read error"};
        if (fails && data.size() > limit.bytes)
            return TooLarge(limit);
        bytes = std::move(data);
        return {true, {}};
#endif
    } catch (const std::bad_alloc&) {
        return {false, "Not enough memory to read the file"};
    }
}

FileResult ReadTextFile(const std::string& path, std::string& text, CtrlZ ctrlZ, ReadLimit limit, FileKinds kinds)
{
    std::string bytes;
    FileResult r = ReadFileBytes(path, bytes, limit, kinds);
    if (!r.ok)
        return r;
    try {
        text = DecodeTextMode(bytes, ctrlZ);
    } catch (const std::bad_alloc&) {
        return {false, "Not enough memory to read the file"};
    }
    return r;
}

FileResult WriteTextFile(const std::string& path, std::string_view text)
{
    return WriteFileAtomically(path, EncodeTextMode(text));
}

int AtoiRule(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

bool IsDirectory(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

} // namespace platform
