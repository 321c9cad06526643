#include "cli/ConvertTool.h"

#include "keymap/ArabicScript.h"
#include "keymap/KeyMap.h"
#include "keymap/KeymapConverter.h"
#include "keymap/UnicodeBridge.h"
#include "platform/MessageService.h"
#include "platform/Services.h"
#include "platform/TextMode.h"

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

std::string Describe(char32_t c)
{
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    std::string s = code;
    if (c >= 0x20 && c != 0x7F && c != keymap::script::Replacement) {
        s += " '";
        keymap::script::AppendUtf8(s, c);
        s += "'";
    } else if (c == keymap::script::Replacement) {
        s += " (invalid UTF-8)";
    }
    return s;
}

/// Line and column (1-based, columns counted in bytes) of each ascending position of `text`.
std::vector<keymap::Unrepresentable> PlacesOf(const std::string& text, const std::vector<size_t>& positions)
{
    std::vector<keymap::Unrepresentable> places;
    places.reserve(positions.size());
    int line = 1;
    size_t lineStart = 0;
    size_t scanned = 0;
    for (size_t position : positions) {
        for (; scanned < position; ++scanned) {
            if (text[scanned] == '\n') {
                ++line;
                lineStart = scanned + 1;
            }
        }
        places.push_back(keymap::Unrepresentable{line, static_cast<int>(position - lineStart) + 1, 0});
    }
    return places;
}

struct Conversion {
    std::string output;
    std::vector<std::string> problems; // one line each, without the program name
};

Conversion ConvertText(const ConvertOptions& o, const std::optional<keymap::KeyMap>& from,
                       const std::optional<keymap::KeyMap>& to, std::string input, const std::string& inName)
{
    Conversion result;
    const auto place = [&](const keymap::Unrepresentable& p) {
        return inName + ":" + std::to_string(p.line) + ":" + std::to_string(p.column) + ": ";
    };
    if (o.fromUnicode) {
        std::vector<keymap::Unrepresentable> problems;
        result.output = keymap::UnicodeBridge(*to).ImportUtf8(input, &problems);
        for (const keymap::Unrepresentable& p : problems)
            result.problems.push_back(place(p) + Describe(p.codePoint) + " has no glyph in " + to->FileName());
    } else if (o.toUnicode) {
        const keymap::UnicodeBridge bridge(*from);
        int line = 1;
        int column = 0;
        for (unsigned char c : input) {
            ++column;
            if (c == '\n') {
                ++line;
                column = 0;
            } else if (c != '\r' && c != '\t' && bridge.DisplayForm(c) == 0) {
                char code[8];
                std::snprintf(code, sizeof code, "0x%02X", c);
                result.problems.push_back(place(keymap::Unrepresentable{line, column, 0}) + "byte " + code +
                                          " means nothing in " + from->FileName() + "; written as U+FFFD");
            }
        }
        result.output = bridge.ExportUtf8(input);
    } else {
        keymap::KeymapConverter converter;
        converter.source = *from;
        converter.destination = *to;
        converter.input = std::move(input);
        converter.Convert();
        const auto places = PlacesOf(converter.input, converter.dropped);
        const keymap::UnicodeBridge bridge(*from);
        for (size_t i = 0; i < places.size(); ++i) {
            const auto byte = static_cast<unsigned char>(converter.input[converter.dropped[i]]);
            char code[8];
            std::snprintf(code, sizeof code, "0x%02X", byte);
            const char32_t meaning = bridge.DisplayForm(byte);
            std::string what = std::string("byte ") + code;
            if (meaning)
                what += " (" + Describe(meaning) + " in " + from->FileName() + ")";
            result.problems.push_back(place(places[i]) + what + " has no glyph in " + to->FileName());
        }
        result.output = std::move(converter.output);
    }
    return result;
}

} // namespace

std::string ConvertUsage()
{
    return "Usage: kelmora-convert [--keymaps DIR] --from A.kbd --to B.kbd [IN [OUT]]\n"
           "       kelmora-convert [--keymaps DIR] --from A.kbd --to-unicode [IN [OUT]]\n"
           "       kelmora-convert [--keymaps DIR] --from-unicode --to B.kbd [IN [OUT]]\n"
           "Converts text in one font's glyph codes to another font's, or to and from UTF-8.\n"
           "IN and OUT default to standard input and output (\"-\" names them too); OUT is replaced\n"
           "only when the conversion succeeds. A keymap name without a path separator is looked up\n"
           "in DIR (default: the KeyMaps folder beside this program).\n"
           "Exit status: 0 done; 1 nothing written (unreadable input, missing or invalid keymap);\n"
           "2 usage error; 3 written, but characters without a glyph were left out, or bytes that\n"
           "mean nothing in the font were written as U+FFFD (each listed on standard error).\n"
           "  --help     show this text\n"
           "  --version  show the version\n";
}

std::string ConvertVersion() { return "kelmora-convert " KELMORA_VERSION "\n"; }

bool ParseConvertArguments(const std::vector<std::string>& args, ConvertOptions& o, std::string& error)
{
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&](std::string& into) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                error = a + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--keymaps") {
            if (!value(o.keymapsDir))
                return false;
        } else if (a == "--from") {
            if (!value(o.from))
                return false;
        } else if (a == "--to") {
            if (!value(o.to))
                return false;
        } else if (a == "--from-unicode") {
            o.fromUnicode = true;
        } else if (a == "--to-unicode") {
            o.toUnicode = true;
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            error = "unknown option " + a;
            return false;
        } else {
            files.push_back(a);
        }
    }
    if (o.help || o.version)
        return true;
    if (files.size() > 2) {
        error = "too many files: " + files[2];
        return false;
    }
    if (o.fromUnicode == !o.from.empty()) {
        error = o.fromUnicode ? "--from and --from-unicode exclude each other" : "--from or --from-unicode is needed";
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
    std::optional<keymap::KeyMap> from;
    std::optional<keymap::KeyMap> to;
    if (!o.fromUnicode && !(from = LoadKeymap(o.from, folder, err)))
        return NothingWritten;
    if (!o.toUnicode && !(to = LoadKeymap(o.to, folder, err)))
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

    const Conversion result = ConvertText(o, from, to, std::move(input), inName);
    if (IsStandardStream(o.out)) {
        if (std::fwrite(result.output.data(), 1, result.output.size(), out) != result.output.size() || std::fflush(out) != 0) {
            std::fprintf(err, "%s: cannot write standard output\n", Program);
            return NothingWritten;
        }
    } else if (const platform::FileResult r = platform::WriteFileAtomically(o.out, result.output); !r.ok) {
        std::fprintf(err, "%s: %s: cannot write: %s\n", Program, o.out.c_str(), r.error.c_str());
        return NothingWritten;
    }
    for (const std::string& p : result.problems)
        std::fprintf(err, "%s: %s\n", Program, p.c_str());
    return result.problems.empty() ? Success : SomeUnrepresentable;
}

} // namespace cli
