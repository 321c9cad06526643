// WriteFileAtomically: saves that neither damage the old file nor write where they should not.
#include "platform/AtomicWriteSession.h"
#include "platform/TextMode.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <utility>

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/xattr.h>
#endif
#else
#include <fstream>
#endif

namespace platform {

#ifndef _WIN32
namespace {

constexpr const char* TempMark = ".kelmora-tmp-";
// Leftovers younger than this may belong to a writer that is about to rename them.
constexpr std::time_t StaleSeconds = 60;

FileResult Failure() { return {false, std::strerror(errno)}; }

/// The file a save creates for a `path` that does not exist yet: every symbolic link of its last part
/// followed, so a link to a missing file stays and the file it names is created.
bool FollowLinks(std::string& path)
{
    namespace fs = std::filesystem;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        std::string link(4096, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n < 0 || static_cast<size_t>(n) >= link.size())
            return false;
        link.resize(static_cast<size_t>(n));
        const fs::path next(link);
        path = (next.is_absolute() ? next : fs::path(path).parent_path() / next).string();
    }
    errno = ELOOP;
    return false;
}

/// The start every temporary name of `name` shares: ".name.kelmora-tmp-". Long names are cut so the
/// whole temporary name stays within a file name's 255 bytes.
std::string TempPrefix(const std::string& name)
{
    return "." + name.substr(0, 200) + TempMark;
}

bool WriteAll(int fd, std::string_view bytes)
{
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        done += static_cast<size_t>(w);
    }
    return true;
}

/// Where the writer's process id starts in `entryName` if it is one of our temporary files: of
/// `name` only, or of any file when `name` is empty. npos when it is not one.
size_t TemporaryPidStart(const std::string& entryName, const std::string& name)
{
    if (!name.empty()) {
        const std::string prefix = TempPrefix(name);
        return entryName.compare(0, prefix.size(), prefix) == 0 ? prefix.size() : std::string::npos;
    }
    const size_t mark = entryName.rfind(TempMark);
    if (entryName.empty() || entryName[0] != '.' || mark == std::string::npos || mark < 2)
        return std::string::npos;
    return mark + std::strlen(TempMark);
}

/// Removes our temporary files in `folder` that a writer left when it was killed (of `name`, or of
/// every file when `name` is empty): older than a minute, owned by this user, and named after a
/// process that no longer exists.
void RemoveStaleTemporaries(const std::string& folder, const std::string& name)
{
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string entryName = entry->d_name;
        const size_t pidStart = TemporaryPidStart(entryName, name);
        if (pidStart == std::string::npos)
            continue;
        const std::string rest = entryName.substr(pidStart);
        const size_t dash = rest.find('-');
        if (dash == 0 || dash == std::string::npos || rest.find_first_not_of("0123456789") != dash)
            continue;
        const long pid = std::strtol(rest.c_str(), nullptr, 10);
        struct stat st {};
        if (pid <= 0 || ::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || now - st.st_mtime < StaleSeconds)
            continue;
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

/// Names for temporary files beside `target`: unpredictable enough that a name is rarely taken.
class TemporaryNames {
public:
    explicit TemporaryNames(const std::string& target)
    {
        const std::filesystem::path t(target);
        const std::string folder = t.parent_path().empty() ? std::string(".") : t.parent_path().string();
        start = folder + "/" + TempPrefix(t.filename().string());
        // The counter keeps threads of one process apart, the clock processes that share a number over time.
        static std::atomic<std::uint64_t> counter{0};
        const auto now = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        random.seed(now ^ (counter.fetch_add(1) * 0x9E3779B97F4A7C15ull) ^ static_cast<std::uint64_t>(::getpid()));
    }
    std::string Next()
    {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, "%ld-%08llx", static_cast<long>(::getpid()),
                      static_cast<unsigned long long>(random() & 0xffffffffu));
        return start + suffix;
    }
    static constexpr int Attempts = 100;

private:
    std::string start;
    std::mt19937_64 random;
};

/// A new temporary file beside `target`, created exclusively and never through a link, so nobody
/// can make the save write elsewhere by planting a name first.
int CreateTemporary(const std::string& target, std::string& tempPath)
{
    TemporaryNames names(target);
    for (int attempt = 0; attempt < TemporaryNames::Attempts; ++attempt) {
        tempPath = names.Next();
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

/// Gives the temporary file the old file's permissions, owner and group. False when the owner
/// cannot be kept (an ordinary user saving a file another user let them write).
bool TakeOverAttributes(int fd, const struct stat& old)
{
    ::fchmod(fd, old.st_mode & 07777);
    if (old.st_uid == ::geteuid() && old.st_gid == ::getegid())
        return true;
    const bool kept = ::fchown(fd, old.st_uid, old.st_gid) == 0;
    // chown clears set-id bits; put them back now that the owner is right.
    if (kept)
        ::fchmod(fd, old.st_mode & 07777);
    return kept;
}

/// Overwrites a file's own contents, for a file whose other names or owner a replacement would lose.
bool WriteInPlace(const std::string& target, std::string_view bytes)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    const bool ok = WriteAll(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return ok;
}

/// Devices, FIFOs and terminals take the bytes as they are; they are never replaced by a file.
FileResult WriteDirectly(const std::string& target, std::string_view bytes)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Failure();
    const bool ok = WriteAll(fd, bytes);
    const FileResult result = ok ? FileResult{true, {}} : Failure();
    if (::close(fd) != 0 && result.ok)
        return Failure();
    return result;
}

std::string FolderOf(const std::string& target)
{
    const std::filesystem::path parent = std::filesystem::path(target).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

/// Whether a temporary file is flushed as it is written, or later with the others of its session.
enum class FileSync { Now, Later };

/// Writes (and flushes) and closes the temporary file; on any failure it is gone and errno says why.
bool FillTemporary(int fd, const std::string& tempPath, std::string_view bytes, FileSync sync)
{
    bool ok = WriteAll(fd, bytes) && (sync == FileSync::Later || ::fsync(fd) == 0);
    int saved = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    if (!ok)
        ::unlink(tempPath.c_str());
    errno = saved;
    return ok;
}

/// Flushes a closed file by its name (our temporaries may have been given a mode that refuses reading).
bool FlushFile(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return ok;
}

/// Gives the complete, flushed temporary file's contents the target's name: by renaming it, or for
/// `inPlace` by writing `bytes` into the target itself.
FileResult TakeName(const std::string& tempPath, const std::string& target, bool inPlace, std::string_view bytes)
{
    // The complete copy exists, so the disk had room; should writing in place still fail, the copy
    // takes the name so it holds the whole text, and the failure is reported.
    FileResult result{true, {}};
    if (inPlace) {
        if (WriteInPlace(target, bytes)) {
            ::unlink(tempPath.c_str());
            return result;
        }
        result = Failure();
    }
    if (::rename(tempPath.c_str(), target.c_str()) != 0) {
        result = Failure();
        ::unlink(tempPath.c_str());
    }
    return result;
}

FileResult ReplaceRegularFile(const std::string& target, const struct stat* old, std::string_view bytes)
{
    std::string tempPath;
    const int fd = CreateTemporary(target, tempPath);
    if (fd < 0)
        return Failure();
    bool inPlace = old != nullptr && old->st_nlink > 1;
    if (old != nullptr && !TakeOverAttributes(fd, *old))
        inPlace = true;
    if (!FillTemporary(fd, tempPath, bytes, FileSync::Now))
        return Failure();
    const FileResult result = TakeName(tempPath, target, inPlace, bytes);
    SyncFolder(FolderOf(target));
    return result;
}

/// The name a save of `path` (its own links followed) replaces, however its folder is spelled.
std::string SaveKey(const std::string& path)
{
    char* real = ::realpath(FolderOf(path).c_str(), nullptr);
    if (real == nullptr)
        return path;
    std::string key = std::string(real) + "/" + std::filesystem::path(path).filename().string();
    std::free(real);
    return key;
}

/// The file a save of `path` replaces, its links followed; or, in `done`, the whole outcome of a
/// save that replaces nothing (a folder refused, a device or pipe written directly, a bad link).
struct SaveTarget {
    std::string path;
    struct stat old {};
    bool exists = false;
    std::optional<FileResult> done;
};

SaveTarget ResolveTarget(const std::string& path, std::string_view bytes)
{
    SaveTarget t;
    if (path.find('\0') != std::string::npos) {
        t.done = FileResult{false, NulInNameError}; // the system would write the file its name is cut to
        return t;
    }
    t.exists = ::stat(path.c_str(), &t.old) == 0;
    if (t.exists && S_ISDIR(t.old.st_mode)) {
        t.done = FileResult{false, "Is a directory"};
        return t;
    }
    // Opened by its own name, so links such as /proc/self/fd/1 reach the pipe or terminal they stand for.
    if (t.exists && !S_ISREG(t.old.st_mode)) {
        t.done = WriteDirectly(path, bytes);
        return t;
    }
    t.path = path;
    if (char* real = t.exists ? ::realpath(path.c_str(), nullptr) : nullptr) {
        t.path = real;
        std::free(real);
    } else if (!FollowLinks(t.path)) {
        t.done = Failure();
    }
    return t;
}

} // namespace

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    const SaveTarget t = ResolveTarget(path, bytes);
    if (t.done)
        return *t.done;
    RemoveStaleTemporaries(FolderOf(t.path), std::filesystem::path(t.path).filename().string());
    return ReplaceRegularFile(t.path, t.exists ? &t.old : nullptr, bytes);
}

namespace {

/// Whether a replaced file's storage may hold the next save of this user: its own single name's,
/// with no extended attributes (an access list or label would travel to the other file).
bool Recyclable(const std::string& path, const struct stat& old)
{
#ifdef __linux__
    if (!S_ISREG(old.st_mode) || old.st_nlink != 1 || old.st_uid != ::geteuid())
        return false;
    const ssize_t names = ::llistxattr(path.c_str(), nullptr, 0);
    return names == 0 || (names < 0 && errno == ENOTSUP);
#else
    (void)path;
    (void)old;
    return false;
#endif
}

} // namespace

int AtomicWriteSession::TakeSpare(const std::string& target, unsigned long long device, unsigned gid, std::string& tempPath)
{
#ifdef __linux__
    // Only from the same folder: whatever a file takes from its folder when it is made (group,
    // flags, project) is then the same as a new file's would be.
    const std::string folder = FolderOf(target);
    const auto found = std::find_if(spares.rbegin(), spares.rend(), [&](const Spare& s) {
        return s.device == device && s.gid == gid && s.folder == folder;
    });
    if (found == spares.rend())
        return -1;
    const Spare spare = *found;
    spares.erase(std::next(found).base());
    // Moved to a name of its new file's, without taking one in use, then checked to be the same
    // file still: the folder's other writers may have put something else under the old name.
    TemporaryNames names(target);
    bool moved = false;
    for (int attempt = 0; attempt < TemporaryNames::Attempts && !moved; ++attempt) {
        tempPath = names.Next();
        moved = ::renameat2(AT_FDCWD, spare.path.c_str(), AT_FDCWD, tempPath.c_str(), RENAME_NOREPLACE) == 0;
        if (!moved && errno != EEXIST)
            break;
    }
    if (!moved) {
        DropSpare(spare);
        return -1;
    }
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 1 && st.st_dev == spare.device &&
        st.st_ino == spare.inode && ::ftruncate(fd, 0) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    DropSpare({tempPath, spare.folder, spare.device, spare.inode, spare.gid});
#else
    (void)target;
    (void)device;
    (void)gid;
    (void)tempPath;
#endif
    return -1;
}

void AtomicWriteSession::DropSpare(const Spare& spare)
{
    struct stat st {};
    if (::lstat(spare.path.c_str(), &st) == 0 && st.st_dev == spare.device && st.st_ino == spare.inode)
        ::unlink(spare.path.c_str());
}

FileResult AtomicWriteSession::Write(const std::string& path, std::string_view bytes)
{
    const SaveTarget t = ResolveTarget(path, bytes);
    if (t.done)
        return *t.done;
    const std::string folder = FolderOf(t.path);
    // One look per folder and run: looking before every save would read the growing folder once
    // per file, quadratic over a run.
    if (scannedFolders.insert(folder).second)
        RemoveStaleTemporaries(folder, {});
    Waiting w;
    w.recyclable = t.exists && Recyclable(t.path, t.old);
    w.oldInode = t.exists ? static_cast<unsigned long long>(t.old.st_ino) : 0;
    // A file this replaces takes the storage an earlier replaced file left; a new file, whose
    // owner and group are the folder's to decide, gets its own.
    int fd = w.recyclable ? TakeSpare(t.path, t.old.st_dev, t.old.st_gid, w.temporary) : -1;
    if (fd < 0)
        fd = CreateTemporary(t.path, w.temporary);
    if (fd < 0)
        return Failure();
    w.inPlace = t.exists && t.old.st_nlink > 1;
    if (t.exists && !TakeOverAttributes(fd, t.old))
        w.inPlace = true;
    struct stat st {};
    ::fstat(fd, &st);
    w.device = static_cast<unsigned long long>(st.st_dev);
    // The flush must be opened before the data is written to report the errors of writing it back.
    const bool known = std::any_of(flushes.begin(), flushes.end(), [&](const Flush& f) { return f.device == w.device; });
    if (!known) {
        const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folderFd >= 0)
            flushes.push_back({folderFd, w.device});
    }
    if (!FillTemporary(fd, w.temporary, bytes, FileSync::Later))
        return Failure();
    if (w.inPlace)
        w.bytes.assign(bytes);
    w.target = t.path;
    w.key = SaveKey(t.path);
    w.path = path;
    w.save = accepted++;
    waiting.push_back(std::move(w));
    waitingBytes += bytes.size();
    return {true, {}};
}

bool AtomicWriteSession::Holds(const std::string& path) const
{
    std::string followed = path;
    if ((waiting.empty() && committing.empty()) || !FollowLinks(followed))
        return false;
    const std::string key = SaveKey(followed);
    const auto named = [&](const Waiting& w) { return w.key == key; };
    return std::any_of(waiting.begin(), waiting.end(), named) || std::any_of(committing.begin(), committing.end(), named);
}

bool AtomicWriteSession::Full() const { return waiting.size() >= GroupFiles || waitingBytes >= GroupBytes; }

FileResult AtomicWriteSession::Replace(const Waiting& w, Outcome& outcome, size_t sparesRoom)
{
#ifdef __linux__
    // Swapped rather than renamed over: the old file then lies under the temporary name, and its
    // storage can hold a later save.
    if (w.recyclable && !w.inPlace &&
        ::renameat2(AT_FDCWD, w.temporary.c_str(), AT_FDCWD, w.target.c_str(), RENAME_EXCHANGE) == 0) {
        struct stat st {};
        const bool old = ::lstat(w.temporary.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 1 &&
                         st.st_dev == w.device && st.st_ino == w.oldInode && st.st_uid == ::geteuid();
        if (old && outcome.spares.size() < sparesRoom)
            outcome.spares.push_back({w.temporary, FolderOf(w.target), w.device, w.oldInode, static_cast<unsigned>(st.st_gid)});
        else
            ::unlink(w.temporary.c_str()); // what a rename over it would have removed
        return {true, {}};
    }
#else
    (void)outcome;
    (void)sparesRoom;
#endif
    return TakeName(w.temporary, w.target, w.inPlace, w.bytes);
}

AtomicWriteSession::Outcome AtomicWriteSession::CommitGroup(const std::vector<Waiting>& group,
                                                            const std::vector<Flush>& flushes, size_t sparesRoom)
{
    Outcome outcome;
    // One flush per file system; where that cannot be had (no syncfs, an unreadable folder, a
    // write error somewhere on it) each file is flushed on its own, so each failure is its own.
    std::set<unsigned long long> flushed;
    for (const Flush& f : flushes) {
#ifdef __linux__
        if (::syncfs(f.folder) == 0)
            flushed.insert(f.device);
#endif
        ::close(f.folder);
    }
    std::set<std::string> renamedInto;
    for (const Waiting& w : group) {
        FileResult r{true, {}};
        if (flushed.count(w.device) == 0 && !FlushFile(w.temporary)) {
            r = Failure();
            ::unlink(w.temporary.c_str());
        } else {
            r = Replace(w, outcome, sparesRoom);
        }
        if (r.ok || w.inPlace) // a failed save in place may still have renamed its copy
            renamedInto.insert(FolderOf(w.target));
        if (!r.ok)
            outcome.failures.push_back({w.save, w.path, r.error});
    }
    // The new names are made to last before any old file's storage is written again.
    for (const std::string& folder : renamedInto)
        SyncFolder(folder);
    return outcome;
}

std::vector<AtomicWriteSession::LateFailure> AtomicWriteSession::Take(Outcome outcome)
{
    spares.insert(spares.end(), outcome.spares.begin(), outcome.spares.end());
    return std::move(outcome.failures);
}

size_t AtomicWriteSession::SparesRoom() const { return MaxSpares > spares.size() ? MaxSpares - spares.size() : 0; }

std::vector<AtomicWriteSession::LateFailure> AtomicWriteSession::Settle()
{
    if (!background.valid())
        return {};
    std::vector<LateFailure> failed = Take(background.get());
    committing.clear();
    committingFlushes.clear();
    return failed;
}

std::vector<AtomicWriteSession::LateFailure> AtomicWriteSession::CommitInBackground()
{
    std::vector<LateFailure> failed = Settle();
    if (waiting.empty())
        return failed;
    committing = std::exchange(waiting, {});
    committingFlushes = std::exchange(flushes, {});
    waitingBytes = 0;
    try {
        background = std::async(std::launch::async, &AtomicWriteSession::CommitGroup, std::cref(committing),
                                std::cref(committingFlushes), SparesRoom());
    } catch (const std::system_error&) {
        // No thread to be had: the commit is done here and now instead.
        std::vector<LateFailure> now = Take(CommitGroup(committing, committingFlushes, SparesRoom()));
        committing.clear();
        committingFlushes.clear();
        failed.insert(failed.end(), now.begin(), now.end());
    }
    return failed;
}

std::vector<AtomicWriteSession::LateFailure> AtomicWriteSession::Commit()
{
    std::vector<LateFailure> failed = Settle();
    if (waiting.empty())
        return failed;
    std::vector<LateFailure> now = Take(CommitGroup(waiting, flushes, SparesRoom()));
    waiting.clear();
    flushes.clear();
    waitingBytes = 0;
    failed.insert(failed.end(), now.begin(), now.end());
    return failed;
}

std::vector<AtomicWriteSession::LateFailure> AtomicWriteSession::Finish()
{
    std::vector<LateFailure> failed = Commit();
    for (const Spare& spare : spares)
        DropSpare(spare);
    spares.clear();
    return failed;
}

#else

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    if (path.find('\0') != std::string::npos)
        return {false, NulInNameError}; // the system would write the file its name is cut to
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return {false, "Is a directory"};
    const std::string temp = path + ".kelmora-tmp";
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
}

// Each save is whole when Write returns; nothing waits.
FileResult AtomicWriteSession::Write(const std::string& path, std::string_view bytes)
{
    return WriteFileAtomically(path, bytes);
}

bool AtomicWriteSession::Holds(const std::string&) const { return false; }
bool AtomicWriteSession::Full() const { return false; }
std::vector<AtomicWriteSession::LateFailure> AtomicWriteSession::CommitInBackground() { return {}; }
std::vector<AtomicWriteSession::LateFailure> AtomicWriteSession::Commit() { return {}; }
std::vector<AtomicWriteSession::LateFailure> AtomicWriteSession::Finish() { return {}; }

#endif

AtomicWriteSession::~AtomicWriteSession() { Finish(); }

} // namespace platform
