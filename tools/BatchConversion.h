/** @file BatchConversion.h
 ** Converts a list of documents from one keymap (or UTF-8) to another, one file at a time, in a
 ** buffer of its own: shared by the batch dialogs and kelmora-convert. **/
#pragma once

#include "keymap/DocumentFormat.h"
#include "platform/AtomicWriteSession.h"

#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace keymap {
class KeyMap;
class KeymapConverter;
}

namespace tools {

/// The keymap boxes' entry for UTF-8 text files instead of a font's glyph codes.
inline constexpr const char* UnicodeChoice = "Unicode (UTF-8)";

enum class HeaderChoice { Write, Omit };
enum class DosLayout { Off, On };

/// What a batch converts from and to, and how the converted documents are written.
struct BatchOptions {
    std::string sourceKeymap;      // empty (and not fromUnicode): each file's header names it
    std::string destinationKeymap; // ignored with toUnicode
    bool fromUnicode = false;
    bool toUnicode = false;
    std::string faceName;          // recorded in the header of each converted document
    int size = 22;
    HeaderChoice header = HeaderChoice::Write;
    DosLayout dos = DosLayout::Off; // 80-column right-aligned lines, on reading and on writing
    std::string keymapsFolder;     // empty: keymaps by name as the programs find them, the user's first
    std::string programFolder;     // with keymapsFolder empty: whose keymaps (empty: the editor's own setting)
};

/// One file to convert and where its result goes (the same path converts in place).
struct BatchItem {
    std::string source;
    std::string destination;
    friend bool operator==(const BatchItem&, const BatchItem&) = default;
};

enum class BatchOutcome { Converted, Unreadable, NoKeymap, Unwritable };

struct BatchFileResult {
    BatchOutcome outcome = BatchOutcome::Converted;
    std::string reason;           // why a file was skipped
    size_t unrepresentable = 0;   // characters the destination could not hold (left out or U+FFFD)
    size_t bytesRead = 0;
    size_t bytesWritten = 0;
};

/// What a whole run did: files converted, and every file skipped or lossy with its reason.
struct BatchReport {
    struct Entry {
        BatchItem item;
        BatchFileResult result;
    };
    size_t converted = 0;
    size_t failed = 0;
    bool cancelled = false;
    std::vector<Entry> notes; // failures, and conversions with unrepresentable characters
    size_t bytesRead = 0;
};

/// A document's bytes read for export to UTF-8: the header line taken off (and returned), text mode
/// undone, and with the DOS layout the 80-column padding removed, which UTF-8 text keeps none of.
keymap::DecodedDocument DecodeDocumentForExport(std::string_view diskBytes, DosLayout dos);

/// The suffix a pattern gives: its last four characters ("*.txt" gives ".txt", "*.text" "text").
std::string BatchSuffix(const std::string& pattern);
/// A file's title: its name without the last extension ("a.b.txt" gives "a.b").
std::string TitleOf(const std::string& fileName);
/// Whether `name` matches a wildcard pattern of '*' and '?' (case-sensitive, as the file system).
bool MatchesPattern(const std::string& name, const std::string& pattern);
/// Titles of the regular files in `folder` that match `pattern`, sorted without regard to case,
/// each once. An empty or missing folder gives none.
std::vector<std::string> ListBatchTitles(const std::string& folder, const std::string& pattern);
/// `folder` + separator + `name`.
std::string JoinPath(const std::string& folder, const std::string& name);
/// Source and destination paths of each title: folder, title, then the pattern's suffix.
std::vector<BatchItem> BatchItems(const std::vector<std::string>& titles, const std::string& sourceFolder,
                                  const std::string& sourcePattern, const std::string& destinationFolder,
                                  const std::string& destinationPattern);

/// Converts one file at a time: reads it as a document is read (text mode, 0x1A, the header line,
/// leading spaces), converts it in its own buffer, which never wraps, so each file keeps its lines,
/// and writes it atomically as a document is saved (or as UTF-8 text). A file that cannot be read
/// or written is skipped with its reason; nothing else is touched.
class BatchConverter {
public:
    explicit BatchConverter(BatchOptions options);
    ~BatchConverter();
    BatchConverter(const BatchConverter&) = delete;
    BatchConverter& operator=(const BatchConverter&) = delete;

    /// Loads the keymaps the options name; false with `error` set when one cannot be loaded.
    bool Prepare(std::string& error);
    /// Converts one file. A converted file's new contents take its name when its group of files
    /// is committed, which this or a later Convert does, or Finish; should that fail, the file is
    /// among the next TakeLateFailures.
    BatchFileResult Convert(const BatchItem& item);
    /// Commits what waits and makes the files written so far last: their folders are flushed
    /// once, at the end of a run (and when the converter goes), not after every file.
    void Finish();
    /// Files Convert reported converted that then could not take their names, with why; each once.
    std::vector<BatchReport::Entry> TakeLateFailures();

private:
    bool ReadSource(const std::string& path, std::string& into, BatchFileResult& result) const;
    /// The document in `bytes` to glyphs of the destination in the converter's output, or with
    /// toUnicode to UTF-8 in `bytes`.
    bool ConvertDocument(BatchFileResult& result);
    const keymap::KeyMap* SourceFor(const std::string& headerKeymap, std::string& error);
    const keymap::KeyMap* Cached(const std::string& name, std::string& error);
    void Commit();
    void KeepLateFailures(const std::vector<platform::AtomicWriteSession::LateFailure>& failures);

    BatchOptions options;
    std::map<std::string, std::unique_ptr<keymap::KeyMap>> keymaps;
    const keymap::KeyMap* destination = nullptr;
    std::unique_ptr<keymap::KeymapConverter> converter;
    const keymap::KeyMap* converterSource = nullptr;
    platform::AtomicWriteSession writes;
    // One set of buffers for the whole run, each as large as the largest file has needed: fresh
    // memory for every file costs more than converting it.
    std::string bytes;
    std::string scratch;
    keymap::DecodedDocument document;
    std::string imported;
    std::deque<BatchItem> unsettled; // the items whose saves `writes` has not settled, in order
    size_t firstUnsettled = 0;       // the save number of the first of them
    std::vector<BatchReport::Entry> lateFailures;
};

/// Told about each file of a run; returning false from FileStarting stops the run before that file.
class BatchObserver {
public:
    virtual ~BatchObserver() = default;
    virtual bool FileStarting(size_t index, size_t count, const BatchItem& item) = 0;
    virtual void FileDone(size_t index, const BatchItem& item, const BatchFileResult& result) = 0;
    /// A file FileDone told as converted whose new contents then could not take its name.
    virtual void FileFailedLater(const BatchItem&, const BatchFileResult&) {}
};

/// Adds one file's result to a report.
void Record(BatchReport& report, const BatchItem& item, const BatchFileResult& result);
/// Turns a file the report counts as converted into a failure, with its late reason.
void RecordLateFailure(BatchReport& report, const BatchReport::Entry& failure);
/// Converts every item in order. When the keymaps cannot be loaded nothing is converted and every
/// item is reported with that reason.
BatchReport BatchConvert(const BatchOptions& options, const std::vector<BatchItem>& items,
                         BatchObserver* observer = nullptr);
/// The end-of-run message: how many files were converted, then every skipped file with its
/// reason and every file with characters its font could not hold. Empty when there is nothing to say.
std::string BatchReportText(const BatchReport& report);

} // namespace tools
