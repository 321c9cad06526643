#include "cli/BatchCommand.h"

#include "cli/ConvertTool.h"
#include "cli/OptionTable.h"
#include "platform/MessageService.h"
#include "platform/Services.h"
#include "platform/TextMode.h"

#include <filesystem>
#include <system_error>

namespace cli {

namespace {

constexpr const char* Program = "kelmora-convert";

/// Keymap messages go to standard error instead of a message box.
class ErrMessages : public platform::MessageService {
public:
    explicit ErrMessages(std::FILE* err) : err(err) {}
    platform::MessageAnswer Show(const platform::Message& message) override
    {
        std::fprintf(err, "%s: %s: %s\n", Program, message.caption.c_str(), message.text.c_str());
        return platform::MessageAnswer::Ok;
    }

private:
    std::FILE* err;
};

std::string FileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

/// The per-file report: a summary line with --verbose, a progress line on a terminal.
class BatchPrinter : public tools::BatchObserver {
public:
    BatchPrinter(std::FILE* err, bool verbose, bool terminal) : err(err), verbose(verbose), terminal(terminal) {}
    bool FileStarting(size_t index, size_t count, const tools::BatchItem& item) override
    {
        if (terminal)
            std::fprintf(err, "\r\033[K[%zu/%zu] %s", index + 1, count, FileName(item.source).c_str());
        return true;
    }
    void FileDone(size_t, const tools::BatchItem& item, const tools::BatchFileResult& r) override
    {
        const bool failed = r.outcome != tools::BatchOutcome::Converted;
        if (!verbose && !failed && r.unrepresentable == 0)
            return;
        if (terminal)
            std::fputs("\r\033[K", err);
        if (failed)
            std::fprintf(err, "%s: %s: skipped, %s\n", Program, item.source.c_str(), r.reason.c_str());
        else if (r.unrepresentable > 0)
            std::fprintf(err, "%s: %s -> %s: %zu characters the destination cannot hold\n", Program,
                         item.source.c_str(), item.destination.c_str(), r.unrepresentable);
        else
            std::fprintf(err, "%s: %s -> %s: %zu bytes\n", Program, item.source.c_str(), item.destination.c_str(),
                         r.bytesWritten);
    }
    void FileFailedLater(const tools::BatchItem& item, const tools::BatchFileResult& r) override
    {
        if (terminal)
            std::fputs("\r\033[K", err);
        std::fprintf(err, "%s: %s: skipped, %s\n", Program, item.source.c_str(), r.reason.c_str());
    }

private:
    std::FILE* err;
    bool verbose;
    bool terminal;
};

/// The combinations the options exclude, and a missing FILE.
bool CheckBatchOptions(const BatchCommandOptions& o, bool fromGiven, std::string& error)
{
    if (o.batch.fromUnicode && fromGiven) {
        error = "--from and --from-unicode exclude each other";
        return false;
    }
    if (o.batch.toUnicode == !o.batch.destinationKeymap.empty()) {
        error = o.batch.toUnicode ? "--to and --to-unicode exclude each other" : "--to or --to-unicode is needed";
        return false;
    }
    if (o.batch.fromUnicode && o.batch.toUnicode) {
        error = "--from-unicode and --to-unicode together convert nothing";
        return false;
    }
    if (o.files.empty()) {
        error = "--out-dir needs at least one FILE";
        return false;
    }
    return true;
}

} // namespace

bool IsBatchCommand(const std::vector<std::string>& args)
{
    for (const std::string& a : args)
        if (a == "--out-dir")
            return true;
    return false;
}

std::string BatchUsage()
{
    return "       kelmora-convert --from A.kbd|--from-unicode --to B.kbd|--to-unicode [--face NAME --size N]\n"
           "                       [--header|--no-header] [--dos] [--suffix .EXT] [--verbose]\n"
           "                       [--keymaps DIR] --out-dir DIR FILE...\n"
           "Converts each FILE as the editor's batch conversion does and writes it into DIR under the\n"
           "same name (--suffix replaces the last extension). Each FILE is read as a document: text-mode\n"
           "line ends, 0x1A ends it, a header line names its keymap when --from is left out, leading\n"
           "spaces go. Each result is written atomically as a document with the header\n"
           "\"Kelmora : f[NAME] s[N] k[B.kbd]\" (by default when --face is given; size 22 unless --size),\n"
           "or as UTF-8 text with --to-unicode. --dos reads and writes the 80-column right-aligned lines\n"
           "of the editor's DOS mode. DIR is created when missing.\n"
           "Exit status: 0 all converted; 1 some files not written (their count is printed); 3 all\n"
           "written, some with characters the destination cannot hold.\n";
}

bool ParseBatchArguments(const std::vector<std::string>& args, BatchCommandOptions& o, std::string& error)
{
    bool headerChosen = false;
    bool fromGiven = false;
    const auto header = [&](tools::HeaderChoice choice) {
        return [&, choice] {
            o.batch.header = choice;
            headerChosen = true;
        };
    };
    OptionTable table;
    table.Value("--from", [&](const std::string& v) {
        o.batch.sourceKeymap = v;
        fromGiven = true;
    });
    table.Value("--to", o.batch.destinationKeymap);
    table.Flag("--from-unicode", o.batch.fromUnicode).Flag("--to-unicode", o.batch.toUnicode);
    table.Value("--face", o.batch.faceName);
    table.Value("--size", [&](const std::string& v) { o.batch.size = platform::AtoiRule(v); });
    table.Flag("--header", header(tools::HeaderChoice::Write)).Flag("--no-header", header(tools::HeaderChoice::Omit));
    table.Flag("--dos", [&] { o.batch.dos = tools::DosLayout::On; });
    table.Value("--suffix", o.suffix).Flag("--verbose", o.verbose);
    table.Value("--keymaps", o.batch.keymapsFolder).Value("--out-dir", o.outDir);
    if (!table.Parse(args, o.files, error))
        return false;
    if (!headerChosen)
        o.batch.header = o.batch.faceName.empty() ? tools::HeaderChoice::Omit : tools::HeaderChoice::Write;
    return CheckBatchOptions(o, fromGiven, error);
}

int RunBatch(const BatchCommandOptions& o, const std::string& programFolder, std::FILE* err, bool terminal)
{
    ErrMessages messages(err);
    platform::ScopedServices scope(platform::Services{&platform::Settings(), &messages});
    tools::BatchOptions batch = o.batch;
    // Without --keymaps a keymap name is the user's own keymap of that name when there is one.
    batch.programFolder = programFolder;

    std::error_code ec;
    std::filesystem::create_directories(o.outDir, ec);
    if (!std::filesystem::is_directory(o.outDir, ec)) {
        std::fprintf(err, "%s: %s: cannot create the output folder\n", Program, o.outDir.c_str());
        return NothingWritten;
    }
    std::vector<tools::BatchItem> items;
    for (const std::string& f : o.files) {
        const std::string name = FileName(f);
        items.push_back({f, tools::JoinPath(o.outDir, o.suffix.empty() ? name : tools::TitleOf(name) + o.suffix)});
    }
    BatchPrinter printer(err, o.verbose, terminal);
    const tools::BatchReport report = tools::BatchConvert(batch, items, &printer);
    if (terminal)
        std::fputs("\r\033[K", err);
    if (report.failed > 0) {
        std::fprintf(err, "%s: %zu of %zu files failed\n", Program, report.failed, items.size());
        return NothingWritten;
    }
    return report.notes.empty() ? Success : SomeUnrepresentable;
}

} // namespace cli
