#include "app/RecoveryFile.h"

#include "platform/DataFolders.h"
#include "platform/TextMode.h"

#include <QDateTime>
#include <QDir>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace app {
namespace {

constexpr std::string_view Magic = "Kelmora recovery 1\n";
// A recovery file is read whole; a text past this would not have fitted in the editor either.
constexpr size_t RecoveryReadLimit = size_t{1} << 30;

/// Each field is its name, a space, its length in bytes, a line feed, the bytes and a line feed:
/// texts and paths may hold any byte.
void PutField(std::string& out, std::string_view name, std::string_view value)
{
    out.append(name).append(" ").append(std::to_string(value.size())).append("\n").append(value).append("\n");
}

class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : rest(bytes) {}
    std::optional<std::string_view> Next(std::string_view name)
    {
        if (rest.substr(0, name.size() + 1) != std::string(name) + " ")
            return std::nullopt;
        rest.remove_prefix(name.size() + 1);
        const size_t lineEnd = rest.find('\n');
        size_t length = 0;
        if (lineEnd == std::string_view::npos ||
            std::from_chars(rest.data(), rest.data() + lineEnd, length).ptr != rest.data() + lineEnd)
            return std::nullopt;
        rest.remove_prefix(lineEnd + 1);
        if (rest.size() < length + 1 || rest[length] != '\n')
            return std::nullopt;
        const std::string_view value = rest.substr(0, length);
        rest.remove_prefix(length + 1);
        return value;
    }
    template <typename Number>
    bool NextNumber(std::string_view name, Number& number)
    {
        const std::optional<std::string_view> text = Next(name);
        return text && std::from_chars(text->data(), text->data() + text->size(), number).ptr == text->data() + text->size();
    }

private:
    std::string_view rest;
};

} // namespace

std::string EncodeRecovery(const RecoverySnapshot& s)
{
    std::string out(Magic);
    out.reserve(s.text.size() + s.path.size() + 256);
    PutField(out, "pid", std::to_string(s.ownerPid));
    PutField(out, "start", std::to_string(s.ownerStart));
    PutField(out, "time", std::to_string(s.savedAt));
    PutField(out, "path", s.path);
    PutField(out, "face", s.faceName);
    PutField(out, "size", std::to_string(s.size));
    PutField(out, "keymap", s.keymapName);
    PutField(out, "imported", s.imported ? "1" : "0");
    PutField(out, "text", s.text);
    return out;
}

std::optional<RecoverySnapshot> DecodeRecovery(std::string_view bytes)
{
    if (bytes.substr(0, Magic.size()) != Magic)
        return std::nullopt;
    FieldReader reader(bytes.substr(Magic.size()));
    RecoverySnapshot s;
    if (!reader.NextNumber("pid", s.ownerPid) || !reader.NextNumber("start", s.ownerStart) ||
        !reader.NextNumber("time", s.savedAt))
        return std::nullopt;
    const auto path = reader.Next("path");
    const auto face = path ? reader.Next("face") : std::nullopt;
    if (!face || !reader.NextNumber("size", s.size))
        return std::nullopt;
    const auto keymapName = reader.Next("keymap");
    int imported = 0;
    if (!keymapName || !reader.NextNumber("imported", imported))
        return std::nullopt;
    const auto text = reader.Next("text");
    if (!text)
        return std::nullopt;
    s.imported = imported != 0;
    s.path = *path, s.faceName = *face, s.keymapName = *keymapName, s.text = *text;
    return s;
}

std::string RecoveryFolder()
{
    return platform::UserDataFolder() + "/recovery";
}

std::string RecoveryFilePath(const std::string& folder, std::int64_t pid)
{
    return folder + "/kelmora-" + std::to_string(pid) + ".recovery";
}

std::int64_t CurrentPid() { return static_cast<std::int64_t>(::getpid()); }

namespace {

/// The fields of /proc/<pid>/stat after the command name: state first, the start time 20th.
std::vector<std::string> ProcessStatFields(std::int64_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return {};
    // The command name in brackets may hold spaces; the fields after it are plain.
    const size_t close = line.rfind(')');
    if (close == std::string::npos)
        return {};
    std::istringstream in(line.substr(close + 1));
    std::vector<std::string> fields;
    for (std::string field; fields.size() < 20 && in >> field;)
        fields.push_back(field);
    return fields;
}

} // namespace

std::uint64_t ProcessStartTime(std::int64_t pid)
{
    const std::vector<std::string> fields = ProcessStatFields(pid);
    std::uint64_t start = 0;
    if (fields.size() == 20)
        std::from_chars(fields[19].data(), fields[19].data() + fields[19].size(), start);
    return start;
}

bool OwnerRunning(const RecoverySnapshot& snapshot)
{
    if (snapshot.ownerPid <= 0)
        return false;
    if (::kill(static_cast<pid_t>(snapshot.ownerPid), 0) != 0 && errno != EPERM)
        return false;
    // A killed editor nobody has reaped yet still has its id: it runs no more.
    const std::vector<std::string> fields = ProcessStatFields(snapshot.ownerPid);
    if (!fields.empty() && (fields[0] == "Z" || fields[0] == "X"))
        return false;
    // The id is in use: it is the owner unless the process using it started at another time.
    const std::uint64_t start = ProcessStartTime(snapshot.ownerPid);
    return start == 0 || snapshot.ownerStart == 0 || start == snapshot.ownerStart;
}

std::vector<FoundRecovery> OrphanedRecoveries(const std::string& folder)
{
    std::vector<FoundRecovery> found;
    const QDir dir(QString::fromStdString(folder));
    for (const QString& name : dir.entryList({"kelmora-*.recovery"}, QDir::Files)) {
        const std::string file = dir.filePath(name).toStdString();
        std::string bytes;
        if (!platform::ReadFileBytes(file, bytes, {RecoveryReadLimit}, platform::FileKinds::RegularOnly).ok)
            continue;
        std::optional<RecoverySnapshot> snapshot = DecodeRecovery(bytes);
        if (snapshot && !OwnerRunning(*snapshot))
            found.push_back({file, std::move(*snapshot)});
    }
    std::sort(found.begin(), found.end(),
              [](const FoundRecovery& a, const FoundRecovery& b) { return a.snapshot.savedAt < b.snapshot.savedAt; });
    return found;
}

std::string RecoveryQuestion(const RecoverySnapshot& snapshot)
{
    const QString time = QDateTime::fromSecsSinceEpoch(snapshot.savedAt).toString("yyyy-MM-dd HH:mm");
    return "Recover the unsaved text of " + snapshot.path + " from " + time.toStdString() + "?";
}

} // namespace app
