// LoadTextFile and SaveTextFile: a document between a file and the edit control.
#include "app/DocumentFile.h"
#include "app/EditorSettings.h"

#include "editctl/PersianEdit.h"
#include "platform/Services.h"

#include <new>
#include <optional>

namespace app {

namespace {

/// The window's display lines, which is what a document is saved as: each wrapped piece of a long
/// paragraph becomes a line of its own.
class WindowLines : public DocumentLines {
public:
    explicit WindowLines(const editctl::EditWindow& window) : window(window) {}
    size_t Count() const override { return static_cast<size_t>(window.GetLineCount()); }
    std::string Line(size_t index) const override { return window.GetLine(static_cast<int>(index)); }

private:
    const editctl::EditWindow& window;
};

/// The file's document, or nothing after "Cannot open the file" and the reason were shown.
std::optional<DecodedDocument> ReadDocument(const std::string& path, bool dosMode)
{
    std::string reason;
    try {
        std::string bytes;
        const platform::FileResult read =
            platform::ReadFileBytes(path, bytes, {DocumentReadLimit}, platform::FileKinds::RegularOnly);
        if (read.ok) {
            DecodedDocument document = DecodeDocument(bytes, dosMode);
            if (!document.tooLong)
                return document;
            reason = "The text is longer than " + platform::SizeText(DocumentTextLimit);
        } else {
            reason = read.error;
        }
    } catch (const std::bad_alloc&) {
        reason = "Not enough memory to read the file";
    }
    platform::Messages().Show("Cannot open the file\n" + reason, "Error");
    return std::nullopt;
}

} // namespace

LoadedFile LoadTextFile(editctl::PersianEdit& editor, const std::string& path, const DocumentFormat& format)
{
    std::optional<DecodedDocument> read = ReadDocument(path, format.dosMode);
    if (!read)
        return {};
    DecodedDocument document = std::move(*read);

    editor.headerLoaded = document.header.has_value();
    if (document.header) {
        // A header without a size field keeps the current size.
        editor.SetEditFont(document.header->faceName, FontSizeInRange(document.header->size.value_or(editor.fontHeight)));
        if (!document.header->keymapName.empty() && editor.KeyMapInUse() != nullptr)
            editor.KeyMapInUse()->Load(document.header->keymapName); // a failure is reported there
    }
    editor.Window().SetText(document.text);
    editor.modified = false;
    editor.undoText.Clear();
    return {true, document.bytesAfterEndMark};
}

platform::FileResult SaveTextFile(editctl::PersianEdit& editor, const std::string& path, const DocumentFormat& format)
{
    std::optional<std::string> header;
    if (format.saveHeader) {
        const keymap::KeyMap* map = editor.KeyMapInUse();
        header = FormatHeaderLine(editor.fontFace, editor.fontHeight, map ? map->FileName() : std::string());
    }
    const std::string bytes = EncodeDocument(WindowLines(editor.Window()), format.dosMode, header);
    platform::FileResult result = platform::WriteFileAtomically(path, bytes);
    if (result.ok)
        editor.modified = false;
    return result;
}

void ReplaceTextKeepingModified(editctl::PersianEdit& editor, const std::string& glyphs)
{
    const bool wasModified = editor.modified;
    editor.Window().SetText(glyphs);
    editor.modified = wasModified;
}

} // namespace app
