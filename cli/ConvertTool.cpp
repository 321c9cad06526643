#include "cli/ConvertTool.h"

#include "cli/OptionTable.h"
#include "cli/ProblemReport.h"

#include "keymap/ArabicScript.h"
#include "keymap/DocumentFormat.h"
#include "keymap/KeyMap.h"
#include "keymap/KeymapConverter.h"
#include "keymap/KeymapDetection.h"
#include "keymap/UnicodeBridge.h"
#include "platform/DataFolders.h"
#include "platform/MessageService.h"
#include "platform/Services.h"
#include "platform/TextMode.h"
#include "tools/BatchConversion.h"

#include <QDir>

#include <optional>

namespace cli {
namespace {

constexpr const char* Program = "kelmora-convert";

/// Shows the keymap's messages on standard error with the path of the file they are about.
class KeymapMessages : public platform::MessageService {
public:
    KeymapMessages(std::FILE* err, std::string path) : err(err), path(std::move(path)) {}
    platform::MessageAnswer Show(const platform::Message& message) override
    {
        std::fprintf(err, "%s: %s: %s (%s)\n", Program, message.caption.c_str(), message.text.c_str(), path.c_str());
        return platform::MessageAnswer::Ok;
    }

private:
    std::FILE* err;
    std::string path;
};

bool HasPathSeparator(const std::string& name)
{
    return name.find('/') != std::string::npos || name.find('\\') != std::string::npos;
}

std::optional<keymap::KeyMap> LoadKeymap(const std::string& name, const std::string& folder, std::FILE* err)
{
    const std::string path = HasPathSeparator(name) ? name : folder + "/" + name;
    KeymapMessages messages(err, path);
    platform::ScopedServices scope(platform::Services{&platform::Settings(), &messages});
    keymap::KeyMap map;
    if (!map.LoadFromPath(path))
        return std::nullopt;
    return map;
}

// The input, its conversion and the report are all held at once; past 512 MB (the largest document
// the editor opens) a run is refused rather than left to exhaust the machine, as a device that never
// ends, such as /dev/zero, would.
constexpr platform::ReadLimit InputLimit{size_t{512} << 20};

platform::FileResult ReadAll(std::FILE* in, std::string& bytes)
{
    char buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
        if (bytes.size() + n > InputLimit.bytes)
            return {false, "File is larger than " + platform::SizeText(InputLimit.bytes)};
        bytes.append(buffer, n);
    }
    if (std::ferror(in))
        return {false, "Read error"};
    return {true, {}};
}

bool IsStandardStream(const std::string& name) { return name.empty() || name == "-"; }

/// "U+00AB «"; the character itself only where it shows.
std::string Describe(char32_t c)
{
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    std::string s = code;
    if (c > 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0) && c != keymap::script::Replacement) {
        s += " ";
        keymap::script::AppendUtf8(s, c);
    }
    return s;
}

std::string ByteName(unsigned char c)
{
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", c);
    return std::string("byte ") + code;
}

/// Hands the bridge's problems to the report as they are found.
class ImportToReport : public keymap::ImportProblems {
public:
    ImportToReport(ProblemReport& report, std::string keymapName) : report(report), keymapName(std::move(keymapName)) {}
    void Add(const keymap::Unrepresentable& p) override
    {
        const std::uint64_t kind = p.codePoint | (static_cast<std::uint64_t>(p.writtenAs) << 32);
        report.Add(kind, p.line, p.column, [&] {
            if (p.codePoint == keymap::script::Replacement)
                return std::string("invalid UTF-8, left out");
            std::string text = Describe(p.codePoint) + " has no glyph in " + keymapName;
            if (p.writtenAs)
                text += "; written as " + Describe(p.writtenAs);
            return text;
        });
    }

private:
    ProblemReport& report;
    std::string keymapName;
};

void ReportMeaninglessBytes(const keymap::UnicodeBridge& bridge, const std::string& keymapName, const std::string& input,
                            ProblemReport& report)
{
    int line = 1;
    int column = 0;
    for (unsigned char c : input) {
        ++column;
        if (c == '\n') {
            ++line;
            column = 0;
        } else if (c != '\r' && c != '\t' && bridge.DisplayForm(c) == 0) {
            report.Add(c, line, column, [&] { return ByteName(c) + " means nothing in " + keymapName + "; written as U+FFFD"; });
        }
    }
}

/// Reports each byte Convert drops as it drops it (positions come ascending), with line and column
/// (1-based, in bytes), so no list of every place is kept.
class DropsToReport : public keymap::DropListener {
public:
    DropsToReport(const keymap::KeymapConverter& converter, ProblemReport& report)
        : converter(converter), bridge(converter.source), report(report)
    {
    }
    void Dropped(size_t position) override
    {
        const std::string& text = converter.input;
        for (; scanned < position; ++scanned) {
            if (text[scanned] == '\n') {
                ++line;
                lineStart = scanned + 1;
            }
        }
        const auto byte = static_cast<unsigned char>(text[position]);
        report.Add(byte, line, static_cast<int>(position - lineStart) + 1, [&] {
            std::string what = ByteName(byte);
            if (const char32_t meaning = bridge.DisplayForm(byte))
                what += " (" + Describe(meaning) + " in " + converter.source.FileName() + ")";
            return what + " has no glyph in " + converter.destination.FileName();
        });
    }

private:
    const keymap::KeymapConverter& converter;
    const keymap::UnicodeBridge bridge;
    ProblemReport& report;
    int line = 1;
    size_t lineStart = 0;
    size_t scanned = 0;
};

std::string ConvertText(const ConvertOptions& o, const std::optional<keymap::KeyMap>& from,
                        const std::optional<keymap::KeyMap>& to, std::string input, ProblemReport& report)
{
    if (o.fromUnicode) {
        ImportToReport problems(report, to->FileName());
        return keymap::UnicodeBridge(*to).ImportUtf8(input, problems, o.strict ? keymap::Fit::Strict : keymap::Fit::BestFit);
    }
    if (o.toUnicode) {
        const keymap::UnicodeBridge bridge(*from);
        ReportMeaninglessBytes(bridge, from->FileName(), input, report);
        return bridge.ExportUtf8(input);
    }
    keymap::KeymapConverter converter;
    converter.source = *from;
    converter.destination = *to;
    converter.input = std::move(input);
    DropsToReport drops(converter, report);
    converter.SetDropListener(&drops);
    converter.Convert();
    return std::move(converter.output);
}

/// The input's first line, with its line end, when it is a document header.
std::optional<std::string> HeaderLineOf(const std::string& input)
{
    const size_t lf = input.find('\n');
    std::string_view line(input.data(), lf == std::string::npos ? input.size() : lf);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    keymap::DocumentHeader header;
    if (!keymap::ScanHeaderLine(line, header))
        return std::nullopt;
    return input.substr(0, lf == std::string::npos ? input.size() : lf + 1);
}

/// A glyph input read as a document when it is one (or --dos says so): the header is not text,
/// and names the source keymap when --from is left out. False with a message on `err`.
bool ReadDocument(const ConvertOptions& o, const std::string& inName, std::string& input, std::string& from,
                  std::string& headerLine, std::FILE* err)
{
    const std::optional<std::string> line = HeaderLineOf(input);
    if (line || o.dos) {
        keymap::DecodedDocument document = o.toUnicode
                                               ? tools::DecodeDocumentForExport(input, o.dos ? tools::DosLayout::On : tools::DosLayout::Off)
                                               : keymap::DecodeDocument(input, false);
        if (document.tooLong) {
            std::fprintf(err, "%s: %s: the document's text is too long\n", Program, inName.c_str());
            return false;
        }
        input = std::move(document.text);
        if (from.empty() && document.header)
            from = document.header->keymapName;
        headerLine = line.value_or(std::string());
    }
    if (from.empty()) {
        std::fprintf(err, "%s: %s: no source keymap: give --from, the input has no header naming one\n", Program,
                     inName.c_str());
        return false;
    }
    return true;
}

/// Every keymap of the folder, loaded; those that do not load are left out (with their message).
std::vector<keymap::KeyMap> LoadFolderKeymaps(const std::string& folder, std::FILE* err)
{
    std::vector<keymap::KeyMap> maps;
    const QStringList names = QDir(QString::fromStdString(folder)).entryList({"*.kbd"}, QDir::Files, QDir::Name);
    for (const QString& name : names)
        if (std::optional<keymap::KeyMap> map = LoadKeymap(name.toStdString(), folder, err))
            maps.push_back(std::move(*map));
    return maps;
}

const char* BasisText(keymap::DetectionBasis basis)
{
    switch (basis) {
    case keymap::DetectionBasis::Header: return "from its header";
    case keymap::DetectionBasis::Words: return "by Persian words";
    case keymap::DetectionBasis::ByteCoverage: return "by byte coverage only";
    }
    return "";
}

int RunDetect(const ConvertOptions& o, const std::string& programFolder, const std::string& folder, std::FILE* out,
              std::FILE* err)
{
    // Without --keymaps the candidates are the shipped keymaps and the user's own, as the editor lists them.
    std::vector<keymap::KeyMap> maps;
    if (o.keymapsDir.empty()) {
        for (const platform::KeymapEntry& entry : platform::DataFolders(programFolder).Keymaps())
            if (std::optional<keymap::KeyMap> map = LoadKeymap(entry.path, folder, err))
                maps.push_back(std::move(*map));
    } else {
        maps = LoadFolderKeymaps(folder, err);
    }
    if (maps.empty()) {
        std::fprintf(err, "%s: no keymap in %s\n", Program, folder.c_str());
        return NothingWritten;
    }
    std::vector<keymap::DetectionCandidate> candidates;
    for (const keymap::KeyMap& map : maps)
        candidates.push_back({map.FileName(), &map});
    keymap::PersianWordList words;
    const std::string listPath = o.wordList.empty() ? keymap::PersianWordList::DebianPath : o.wordList;
    if (!words.Load(listPath))
        std::fprintf(err, "%s: no Persian word list at %s; scoring by byte coverage only\n", Program, listPath.c_str());
    int status = Success;
    for (const std::string& file : o.files) {
        std::string bytes;
        if (platform::IsDirectory(file)) {
            std::fprintf(err, "%s: %s: is a folder, not a file\n", Program, file.c_str());
            status = NothingWritten;
            continue;
        }
        if (const platform::FileResult r = platform::ReadFileBytes(file, bytes, InputLimit); !r.ok) {
            std::fprintf(err, "%s: %s: cannot read: %s\n", Program, file.c_str(), r.error.c_str());
            status = NothingWritten;
            continue;
        }
        const keymap::DetectionResult result = keymap::DetectKeymap(bytes, candidates, &words);
        std::fprintf(out, "%s: %s (confidence %.2f, %s)\n", file.c_str(), result.Best().c_str(), result.confidence,
                     BasisText(result.basis));
    }
    return status;
}

} // namespace

std::string ConvertUsage()
{
    return "Usage: kelmora-convert [--keymaps DIR] [--from A.kbd] --to B.kbd [--keep-header] [IN [OUT]]\n"
           "       kelmora-convert [--keymaps DIR] [--from A.kbd] --to-unicode [--dos] [IN [OUT]]\n"
           "       kelmora-convert [--keymaps DIR] --from-unicode --to B.kbd [IN [OUT]]\n"
           "       kelmora-convert [--keymaps DIR] [--words LIST.dic] --detect FILE...\n"
           "Converts text in one font's glyph codes to another font's, or to and from UTF-8.\n"
           "IN and OUT default to standard input and output (\"-\" names them too); OUT is replaced\n"
           "only when the conversion succeeds. A keymap name without a path separator is looked up\n"
           "in DIR (default: the KeyMaps folder beside this program).\n"
           "From Unicode, a character the font lacks is written as its nearest letter where there\n"
           "is one (أ as ا, ة as ه, ي as ی, ك as ک, ٫ as /, a no-break space as a space).\n"
           "Exit status: 0 done; 1 nothing written (unreadable input, missing or invalid keymap);\n"
           "2 usage error; 3 written, but characters without a glyph were left out or written as\n"
           "their nearest letter, or bytes that mean nothing in the font were written as U+FFFD;\n"
           "each kind is listed on standard error once, with its count and first places.\n"
           "Input that starts with a document header line (\"Kelmora : f[..] s[..] k[..]\") is read as\n"
           "a document: the header is not converted as text, and its keymap is the source keymap\n"
           "when --from is left out.\n"
           "--detect prints, for each file, the keymap of DIR that most likely wrote it, with a\n"
           "confidence from 0 to 1: a header naming one decides; otherwise each keymap's reading is\n"
           "scored by how much of it forms Persian words of the word list (Debian's myspell-fa by\n"
           "default) and by the bytes the keymap cannot read.\n"
           "  --keep-header  glyph to glyph: write the input's header line through unchanged\n"
           "  --dos      to Unicode: the input is a DOS-layout document; its 80-column padding goes\n"
           "  --strict   write no character as another: leave out what the font lacks\n"
           "  --verbose  list every place of every character not written as it was\n"
           "  --help     show this text\n"
           "  --version  show the version\n";
}

std::string ConvertVersion() { return "kelmora-convert " KELMORA_VERSION "\n"; }

bool ParseConvertArguments(const std::vector<std::string>& args, ConvertOptions& o, std::string& error)
{
    std::vector<std::string> files;
    OptionTable table;
    table.Flag("--help", o.help).Flag("-h", o.help).Flag("--version", o.version);
    table.Value("--keymaps", o.keymapsDir).Value("--from", o.from).Value("--to", o.to);
    table.Flag("--from-unicode", o.fromUnicode).Flag("--to-unicode", o.toUnicode).Flag("--strict", o.strict);
    table.Flag("--verbose", o.verbose).Flag("--detect", o.detect).Value("--words", o.wordList);
    table.Flag("--dos", o.dos).Flag("--keep-header", o.keepHeader);
    if (!table.Parse(args, files, error))
        return false;
    if (o.help || o.version)
        return true;
    if (o.detect) {
        o.files = files;
        if (files.empty())
            error = "--detect needs at least one file";
        return !files.empty();
    }
    if (files.size() > 2) {
        error = "too many files: " + files[2];
        return false;
    }
    if (o.fromUnicode && !o.from.empty()) {
        error = "--from and --from-unicode exclude each other";
        return false;
    }
    if (o.toUnicode == !o.to.empty()) {
        error = o.toUnicode ? "--to and --to-unicode exclude each other" : "--to or --to-unicode is needed";
        return false;
    }
    if (o.fromUnicode && o.toUnicode) {
        error = "--from-unicode and --to-unicode together convert nothing";
        return false;
    }
    if (o.dos && !o.toUnicode) {
        error = "--dos reads a document for --to-unicode; the batch form (--out-dir) converts DOS documents";
        return false;
    }
    if (o.keepHeader && (o.toUnicode || o.fromUnicode)) {
        error = "--keep-header keeps a document's header in glyph-to-glyph conversion only";
        return false;
    }
    if (!files.empty())
        o.in = files[0];
    if (files.size() > 1)
        o.out = files[1];
    return true;
}

int RunConvert(const ConvertOptions& o, const std::string& programFolder, std::FILE* in, std::FILE* out,
               std::FILE* err)
{
    const std::string folder = o.keymapsDir.empty() ? programFolder + "/KeyMaps" : o.keymapsDir;
    if (o.detect)
        return RunDetect(o, programFolder, folder, out, err);
    // Without --keymaps a bare name is the user's own keymap of that name when there is one.
    const auto named = [&](const std::string& name) {
        return o.keymapsDir.empty() && !HasPathSeparator(name) ? platform::DataFolders(programFolder).KeymapPath(name) : name;
    };
    std::optional<keymap::KeyMap> from;
    std::optional<keymap::KeyMap> to;
    if (!o.fromUnicode && !o.from.empty() && !(from = LoadKeymap(named(o.from), folder, err)))
        return NothingWritten;
    if (!o.toUnicode && !(to = LoadKeymap(named(o.to), folder, err)))
        return NothingWritten;

    std::string input;
    const std::string inName = IsStandardStream(o.in) ? "<stdin>" : o.in;
    if (IsStandardStream(o.in)) {
        if (const platform::FileResult r = ReadAll(in, input); !r.ok) {
            std::fprintf(err, "%s: cannot read standard input: %s\n", Program, r.error.c_str());
            return NothingWritten;
        }
    } else if (platform::IsDirectory(o.in)) {
        std::fprintf(err, "%s: %s: is a folder, not a file\n", Program, o.in.c_str());
        return NothingWritten;
    } else if (const platform::FileResult r = platform::ReadFileBytes(o.in, input, InputLimit); !r.ok) {
        std::fprintf(err, "%s: %s: cannot read: %s\n", Program, o.in.c_str(), r.error.c_str());
        return NothingWritten;
    }

    std::string headerLine;
    if (!o.fromUnicode) {
        std::string fromName = o.from;
        if (!ReadDocument(o, inName, input, fromName, headerLine, err))
            return NothingWritten;
        if (!from) {
            if (HasPathSeparator(fromName)) {
                std::fprintf(err, "%s: %s: the header names \"%s\", which is not a keymap name\n", Program,
                             inName.c_str(), fromName.c_str());
                return NothingWritten;
            }
            if (!(from = LoadKeymap(fromName, folder, err)))
                return NothingWritten;
        }
    }

    ProblemReport report(err, inName, o.verbose ? ProblemReport::Detail::EveryPlace : ProblemReport::Detail::Summary);
    std::string output = ConvertText(o, from, to, std::move(input), report);
    if (o.keepHeader && !headerLine.empty())
        output.insert(0, headerLine);
    if (IsStandardStream(o.out)) {
        if (std::fwrite(output.data(), 1, output.size(), out) != output.size() || std::fflush(out) != 0) {
            std::fprintf(err, "%s: cannot write standard output\n", Program);
            return NothingWritten;
        }
    } else if (const platform::FileResult r = platform::WriteFileAtomically(o.out, output); !r.ok) {
        std::fprintf(err, "%s: %s: cannot write: %s\n", Program, o.out.c_str(), r.error.c_str());
        return NothingWritten;
    }
    report.Finish();
    return report.Empty() ? Success : SomeUnrepresentable;
}

} // namespace cli
