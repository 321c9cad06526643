#include "tools/BatchConversion.h"

#include "keymap/DocumentFormat.h"
#include "keymap/KeyMap.h"
#include "keymap/KeymapConverter.h"
#include "keymap/UnicodeBridge.h"
#include "platform/DataFolders.h"
#include "platform/TextMode.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

namespace tools {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool LessNoCase(const std::string& a, const std::string& b)
{
    const auto cmp = [](char x, char y) { return Lower(x) < Lower(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), cmp))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), cmp))
        return false;
    return a < b;
}

/// DOS mode pads every line to 80 columns when reading; UTF-8 text keeps none of that padding.
std::string WithoutTrailingSpaces(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        const bool last = end == std::string::npos;
        if (last)
            end = text.size();
        size_t stop = end;
        const bool cr = stop > start && text[stop - 1] == '\r';
        if (cr)
            --stop;
        while (stop > start && text[stop - 1] == ' ')
            --stop;
        out.append(text, start, stop - start);
        if (cr)
            out.push_back('\r');
        if (last)
            break;
        out.push_back('\n');
        start = end + 1;
    }
    return out;
}

size_t MeaninglessBytes(const keymap::UnicodeBridge& bridge, std::string_view text)
{
    size_t n = 0;
    for (unsigned char c : text)
        if (c != '\r' && c != '\n' && c != '\t' && bridge.DisplayForm(c) == 0)
            ++n;
    return n;
}

std::string_view WithoutByteOrderMark(std::string_view text)
{
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    return text;
}

bool HasPathSeparator(const std::string& name)
{
    return name.find('/') != std::string::npos || name.find('\\') != std::string::npos;
}

} // namespace

std::string BatchSuffix(const std::string& pattern)
{
    return pattern.size() <= 4 ? pattern : pattern.substr(pattern.size() - 4);
}

std::string TitleOf(const std::string& fileName)
{
    const size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

bool MatchesPattern(const std::string& name, const std::string& pattern)
{
    // Greedy match with one backtrack point: linear enough for file names.
    size_t n = 0, p = 0, star = std::string::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::vector<std::string> ListBatchTitles(const std::string& folder, const std::string& pattern)
{
    namespace fs = std::filesystem;
    std::vector<std::string> titles;
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec))
        return titles;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        const std::string name = it->path().filename().string();
        if (MatchesPattern(name, pattern))
            titles.push_back(TitleOf(name));
    }
    std::sort(titles.begin(), titles.end(), LessNoCase);
    titles.erase(std::unique(titles.begin(), titles.end()), titles.end());
    return titles;
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '/' || folder.back() == '\\')
        return folder + name;
    return folder + "/" + name;
}

std::vector<BatchItem> BatchItems(const std::vector<std::string>& titles, const std::string& sourceFolder,
                                  const std::string& sourcePattern, const std::string& destinationFolder,
                                  const std::string& destinationPattern)
{
    const std::string sourceSuffix = BatchSuffix(sourcePattern);
    const std::string destinationSuffix = BatchSuffix(destinationPattern);
    std::vector<BatchItem> items;
    items.reserve(titles.size());
    for (const std::string& t : titles)
        items.push_back({JoinPath(sourceFolder, t + sourceSuffix), JoinPath(destinationFolder, t + destinationSuffix)});
    return items;
}

BatchConverter::BatchConverter(BatchOptions o) : options(std::move(o)) {}
BatchConverter::~BatchConverter() = default;

const keymap::KeyMap* BatchConverter::Cached(const std::string& name, std::string& error)
{
    auto found = keymaps.find(name);
    if (found != keymaps.end())
        return found->second.get();
    auto map = std::make_unique<keymap::KeyMap>();
    bool ok = false;
    if (HasPathSeparator(name)) {
        ok = map->LoadFromPath(name);
    } else if (options.keymapsFolder.empty() && !options.programFolder.empty() && keymap::IsBareFileName(name)) {
        ok = map->LoadFromPath(platform::DataFolders(options.programFolder).KeymapPath(name));
    } else {
        map->SetFolder(options.keymapsFolder);
        ok = map->Load(name);
    }
    if (!ok) {
        error = "the keymap " + name + " cannot be loaded";
        return nullptr;
    }
    return keymaps.emplace(name, std::move(map)).first->second.get();
}

bool BatchConverter::Prepare(std::string& error)
{
    if (!options.fromUnicode && !options.sourceKeymap.empty() && !Cached(options.sourceKeymap, error))
        return false;
    if (!options.toUnicode && !(destination = Cached(options.destinationKeymap, error)))
        return false;
    if (destination) {
        converter = std::make_unique<keymap::KeymapConverter>();
        converter->destination = *destination;
    }
    return true;
}

const keymap::KeyMap* BatchConverter::SourceFor(const std::string& headerKeymap, std::string& error)
{
    const std::string& name = options.sourceKeymap.empty() ? headerKeymap : options.sourceKeymap;
    if (name.empty()) {
        error = "no source keymap: the file has no header naming one";
        return nullptr;
    }
    // A name from a document is a file of the keymap folder, never a path to elsewhere.
    if (options.sourceKeymap.empty() && !keymap::IsBareFileName(name)) {
        error = "the header names " + name + ", which is not a keymap name";
        return nullptr;
    }
    return Cached(name, error);
}

bool BatchConverter::ReadSource(const std::string& path, std::string& into, BatchFileResult& result) const
{
    std::error_code ec;
    result.outcome = BatchOutcome::Unreadable;
    if (std::filesystem::is_directory(path, ec)) {
        result.reason = "is a folder, not a file";
        return false;
    }
    // A device or pipe has no end a document could have (/dev/zero would fill the memory).
    if (std::filesystem::exists(path, ec) && !std::filesystem::is_regular_file(path, ec)) {
        result.reason = "is not a regular file";
        return false;
    }
    if (const platform::FileResult r = platform::ReadFileBytes(path, into); !r.ok) {
        result.reason = "cannot be read: " + r.error;
        return false;
    }
    result.outcome = BatchOutcome::Converted;
    result.bytesRead = into.size();
    return true;
}

keymap::DecodedDocument DecodeDocumentForExport(std::string_view diskBytes, DosLayout dos)
{
    keymap::DecodedDocument document = keymap::DecodeDocument(diskBytes, dos == DosLayout::On);
    if (dos == DosLayout::On)
        document.text = WithoutTrailingSpaces(document.text);
    return document;
}

bool BatchConverter::ConvertDocument(BatchFileResult& result)
{
    if (options.toUnicode)
        document = DecodeDocumentForExport(bytes, options.dos);
    else
        keymap::DecodeDocument(bytes, options.dos == DosLayout::On, document, scratch);
    const keymap::KeyMap* source = SourceFor(document.header ? document.header->keymapName : std::string(), result.reason);
    if (source == nullptr) {
        result.outcome = BatchOutcome::NoKeymap;
        return false;
    }
    if (options.toUnicode) {
        const keymap::UnicodeBridge bridge(*source);
        result.unrepresentable = MeaninglessBytes(bridge, document.text);
        bytes = bridge.ExportUtf8(document.text);
        return true;
    }
    // The converter's keymaps are set once per pair, not copied for every file.
    if (source != converterSource) {
        converter->source = *source;
        converterSource = source;
    }
    // Swapped, not copied: each buffer keeps its memory for the next file.
    converter->input.swap(document.text);
    converter->Convert(false);
    return true;
}

BatchFileResult BatchConverter::Convert(const BatchItem& item)
{
    // A file this run wrote is read as it is now, not as its name still holds it.
    if (writes.Holds(item.source))
        Commit();
    BatchFileResult result;
    if (!ReadSource(item.source, bytes, result))
        return result;
    // The working buffer: the file's text in the destination keymap, to be saved as a document.
    // With toUnicode `bytes` holds the UTF-8 text to write instead.
    const std::string* glyphs = nullptr;
    if (options.fromUnicode) {
        platform::DecodeTextMode(bytes, scratch);
        // Counted, not kept: a huge file of characters the font lacks needs no list of them. Letters
        // written as their nearest count too, as kelmora-convert reports them.
        struct Count : keymap::ImportProblems {
            size_t n = 0;
            void Add(const keymap::Unrepresentable&) override { ++n; }
        } problems;
        imported = keymap::UnicodeBridge(*destination).ImportUtf8(WithoutByteOrderMark(scratch), problems);
        result.unrepresentable = problems.n;
        glyphs = &imported;
    } else if (!ConvertDocument(result)) {
        return result;
    } else if (!options.toUnicode) {
        glyphs = &converter->output;
    }
    if (glyphs != nullptr) {
        std::optional<std::string> header;
        if (options.header == HeaderChoice::Write)
            header = keymap::FormatHeaderLine(options.faceName, options.size, destination->FileName());
        keymap::EncodeDocumentText(*glyphs, options.dos == DosLayout::On, header, bytes);
    }
    const size_t acceptedBefore = writes.AcceptedSaves();
    if (const platform::FileResult r = writes.Write(item.destination, bytes); !r.ok) {
        result.outcome = BatchOutcome::Unwritable;
        result.reason = "cannot be written to " + item.destination + ": " + r.error;
        return result;
    }
    result.bytesWritten = bytes.size();
    if (writes.AcceptedSaves() > acceptedBefore)
        unsettled.push_back(item);
    if (writes.Full())
        KeepLateFailures(writes.CommitInBackground());
    return result;
}

void BatchConverter::Commit() { KeepLateFailures(writes.Commit()); }

void BatchConverter::Finish() { KeepLateFailures(writes.Finish()); }

void BatchConverter::KeepLateFailures(const std::vector<platform::AtomicWriteSession::LateFailure>& failures)
{
    for (const platform::AtomicWriteSession::LateFailure& f : failures) {
        BatchFileResult result;
        result.outcome = BatchOutcome::Unwritable;
        result.reason = "cannot be written to " + f.path + ": " + f.error;
        lateFailures.push_back({unsettled.at(f.save - firstUnsettled), result});
    }
    for (; firstUnsettled < writes.SettledSaves(); ++firstUnsettled)
        unsettled.pop_front();
}

std::vector<BatchReport::Entry> BatchConverter::TakeLateFailures() { return std::exchange(lateFailures, {}); }

void Record(BatchReport& report, const BatchItem& item, const BatchFileResult& result)
{
    report.bytesRead += result.bytesRead;
    if (result.outcome == BatchOutcome::Converted)
        ++report.converted;
    else
        ++report.failed;
    if (result.outcome != BatchOutcome::Converted || result.unrepresentable > 0)
        report.notes.push_back({item, result});
}

void RecordLateFailure(BatchReport& report, const BatchReport::Entry& failure)
{
    if (report.converted > 0)
        --report.converted;
    ++report.failed;
    // It replaces the note its conversion may have left (characters the font lacks).
    const auto note = std::find_if(report.notes.rbegin(), report.notes.rend(), [&](const BatchReport::Entry& e) {
        return e.item == failure.item && e.result.outcome == BatchOutcome::Converted;
    });
    if (note != report.notes.rend())
        *note = failure;
    else
        report.notes.push_back(failure);
}

BatchReport BatchConvert(const BatchOptions& options, const std::vector<BatchItem>& items, BatchObserver* observer)
{
    BatchReport report;
    BatchConverter converter(options);
    std::string error;
    const bool ready = converter.Prepare(error);
    const auto settle = [&] {
        for (const BatchReport::Entry& e : converter.TakeLateFailures()) {
            RecordLateFailure(report, e);
            if (observer)
                observer->FileFailedLater(e.item, e.result);
        }
    };
    for (size_t i = 0; i < items.size(); ++i) {
        if (observer && !observer->FileStarting(i, items.size(), items[i])) {
            report.cancelled = true;
            break;
        }
        BatchFileResult result;
        if (ready) {
            result = converter.Convert(items[i]);
        } else {
            result.outcome = BatchOutcome::NoKeymap;
            result.reason = error;
        }
        Record(report, items[i], result);
        if (observer)
            observer->FileDone(i, items[i], result);
        settle();
    }
    converter.Finish();
    settle();
    return report;
}

std::string BatchReportText(const BatchReport& report)
{
    if (report.notes.empty() && !report.cancelled)
        return {};
    std::string text = std::to_string(report.converted) + (report.converted == 1 ? " file" : " files") + " converted";
    if (report.failed > 0)
        text += ", " + std::to_string(report.failed) + " skipped";
    text += report.cancelled ? "; stopped before the end.\n" : ".\n";
    for (const BatchReport::Entry& e : report.notes) {
        if (e.result.outcome != BatchOutcome::Converted)
            text += "\n" + e.item.source + ": skipped, " + e.result.reason;
        else
            text += "\n" + e.item.source + ": " + std::to_string(e.result.unrepresentable) +
                    " characters the destination cannot hold";
    }
    return text;
}

} // namespace tools
