#include "platform/TextMode.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

std::string DecodeTextMode(std::string_view disk, CtrlZ ctrlZ)
{
    if (ctrlZ == CtrlZ::EndsText) {
        const size_t end = disk.find('\x1a');
        if (end != std::string_view::npos)
            disk = disk.substr(0, end);
    }
    std::string out;
    out.reserve(disk.size());
    const size_t n = disk.size();
    for (size_t i = 0; i < n; ++i) {
        const char c = disk[i];
        if (c == '\r' && i + 1 < n && disk[i + 1] == '\n')
            continue; // the LF that follows is appended on the next round
        out.push_back(c);
    }
    return out;
}

std::string EncodeTextMode(std::string_view memory)
{
    std::string out;
    out.reserve(memory.size() + memory.size() / 16 + 8);
    for (const char c : memory) {
        if (c == '\n')
            out.push_back('\r');
        out.push_back(c);
    }
    return out;
}

FileResult ReadFileBytes(const std::string& path, std::string& bytes, size_t maxBytes)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return {false, "Is a directory"};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {false, std::strerror(errno)};
    std::string data;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > 0) {
        const size_t want = static_cast<size_t>(size) < maxBytes ? static_cast<size_t>(size) : maxBytes;
        data.resize(want);
        in.read(data.data(), static_cast<std::streamsize>(want));
        data.resize(static_cast<size_t>(in.gcount()));
    } else {
        // Sizes are unknown for pipes and special files: read until the end.
        char buffer[65536];
        while (data.size() < maxBytes && in.read(buffer, sizeof buffer), in.gcount() > 0) {
            const size_t got = static_cast<size_t>(in.gcount());
            data.append(buffer, got < maxBytes - data.size() ? got : maxBytes - data.size());
        }
    }
    if (in.bad())
        return {false, "Read error"};
    bytes = std::move(data);
    return {true, {}};
}

FileResult ReadTextFile(const std::string& path, std::string& text, CtrlZ ctrlZ)
{
    std::string bytes;
    FileResult r = ReadFileBytes(path, bytes);
    if (r.ok)
        text = DecodeTextMode(bytes, ctrlZ);
    return r;
}

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return {false, "Is a directory"};
    const fs::path target(path);
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    const std::string temp = (folder / ("." + target.filename().string() + ".kelmora-tmp")).string();

#ifndef _WIN32
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return {false, std::strerror(errno)};
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t w = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            const std::string reason = std::strerror(errno);
            ::close(fd);
            ::unlink(temp.c_str());
            return {false, reason};
        }
        written += static_cast<size_t>(w);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const std::string reason = std::strerror(errno);
        ::unlink(temp.c_str());
        return {false, reason};
    }
    // Keep the permissions of the file being replaced.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        ::chmod(temp.c_str(), st.st_mode & 07777);
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        ::unlink(temp.c_str());
        return {false, reason};
    }
    return {true, {}};
#else
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return {false, std::strerror(errno)};
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temp, ec);
            return {false, "Write error"};
        }
    }
    fs::rename(temp, path, ec);
    if (ec) {
        fs::remove(temp, ec);
        return {false, ec.message()};
    }
    return {true, {}};
#endif
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
