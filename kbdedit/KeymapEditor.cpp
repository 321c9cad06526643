#include "kbdedit/KeymapEditor.h"

#include "keymap/KeymapFile.h"
#include "keymap/KeymapTableText.h"
#include "platform/DataFolders.h"
#include "platform/Services.h"

#include <QFileInfo>

namespace kbdedit {
namespace {

// Enough disk bytes for the longest signature line and a table whose every byte is a line feed;
// whatever follows is never read, so a huge file chosen by mistake costs nothing. Only regular files
// are opened: the remembered keymap may be a FIFO or device, which must not stall the window.
constexpr size_t KeymapReadLimit = 2 * (keymap::SignatureLineLimit + 1 + keymap::TableBytes) + 16;
// A table text of 52 rows is a few kilobytes; anything near this is not one, and is not read whole.
constexpr size_t TableTextLimit = 1 << 20;

void ShowError(const std::string& text)
{
    platform::Messages().Show(text, "Error", platform::MessageButtons::Ok, platform::MessageIcon::Error);
}

/// The last component of a path, for the heading of an exported table.
std::string BareName(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

/// Whether two paths name one existing file (links and "." resolved).
bool SameFile(const std::string& a, const std::string& b)
{
    const QString first = QFileInfo(QString::fromStdString(a)).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(QString::fromStdString(b)).canonicalFilePath();
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

enum class ReadOutcome { Loaded, CannotOpen, NotKeymap };

ReadOutcome ReadTable(const std::string& path, keymap::KeyTable& table)
{
    std::string bytes;
    if (!platform::ReadFileBytes(path, bytes, {KeymapReadLimit, platform::PastLimit::KeepsStart},
                                 platform::FileKinds::RegularOnly).ok)
        return ReadOutcome::CannotOpen;
    if (keymap::ParseKeymapFile(bytes, table).status != keymap::ParseStatus::Ok) {
        ShowError(NotKeymapText);
        return ReadOutcome::NotKeymap;
    }
    return ReadOutcome::Loaded;
}

} // namespace

int CharacterCount(const std::string& text)
{
    int count = 0;
    for (char c : text)
        if (!IsContinuationByte(c))
            ++count;
    return count;
}

std::string CutToCharacters(const std::string& text, int limit)
{
    int count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsContinuationByte(text[i]))
            continue;
        if (count == limit)
            return text.substr(0, i);
        ++count;
    }
    return text;
}

KeymapEditor::KeymapEditor(RegistrySettings& s) : settings(s) {}

void KeymapEditor::StartUp(const std::string& folder)
{
    ReadReferenceKeymap(folder);
    ReadRememberedState();
}

void KeymapEditor::ReadRememberedState()
{
    faceName = CutToCharacters(settings.ReadText("FontName", DefaultFaceName), FaceNameLimit);
    fontHeight = settings.ReadInt("FontSize", DefaultFontHeight);
    filePath = settings.ReadText("FileName", DefaultFileName);
    // A path this long cannot be one this program wrote; fall back rather than open a cut path.
    if (CharacterCount(filePath) > PathLimit)
        filePath = DefaultFileName;
    ReadKeymapFile(filePath);
    history.Reset(working);
    warningsSeenFor.reset();
    if (changeListener)
        changeListener();
}

bool KeymapEditor::ReadKeymapFile(const std::string& path)
{
    return ReadTable(path, working) == ReadOutcome::Loaded;
}

platform::FileResult KeymapEditor::WriteKeymapFile(const std::string& path) const
{
    return platform::WriteFileAtomically(path, keymap::SerializeKeymapFile(working));
}

bool KeymapEditor::ReadReferenceKeymap(const std::string& folder)
{
    programFolder = folder;
    const std::string path = folder + "/KeyMaps/" + ReferenceFileName;
    referencePath = path;
    const ReadOutcome outcome = ReadTable(path, reference);
    if (outcome == ReadOutcome::CannotOpen)
        platform::Messages().Show(NoReferenceText, "Dorvantile::Error");
    return outcome == ReadOutcome::Loaded;
}

bool KeymapEditor::RefuseLongPath(const std::string& path) const
{
    if (CharacterCount(path) <= PathLimit)
        return false;
    ShowError(std::string(PathTooLongText) + "\n" + path);
    return true;
}

bool KeymapEditor::WriteReported(const std::string& path)
{
    const platform::FileResult result = WriteKeymapFile(path);
    if (!result.ok) {
        ShowError(std::string(SaveFailedText) + "\n" + path + "\n" + result.error);
        return false;
    }
    history.MarkSaved();
    // Saved over the reference file: the key dialog shows what that file now holds, not what it
    // held at start-up.
    if (!referencePath.empty() && SameFile(path, referencePath))
        reference = working;
    return true;
}

bool KeymapEditor::ReviewBeforeSaving()
{
    const std::vector<KeymapWarning> warnings = Check();
    if (warnings.empty() || warningsSeenFor == working || !warningReview)
        return true;
    if (!warningReview(warnings))
        return false;
    warningsSeenFor = working;
    return true;
}

std::string KeymapEditor::SaveTargetFor(const std::string& path) const
{
    if (programFolder.empty())
        return path;
    const platform::DataFolders folders(programFolder);
    const std::string target = folders.SaveTarget(path);
    if (target != path)
        folders.PrepareWriteFolder(platform::KeymapFolderName);
    return target;
}

bool KeymapEditor::SaveFile()
{
    if (!ReviewBeforeSaving())
        return false;
    const std::string target = SaveTargetFor(filePath);
    if (!WriteReported(target))
        return false;
    if (target != filePath) {
        filePath = target;
        settings.WriteText("FileName", filePath);
    }
    return true;
}

bool KeymapEditor::SaveAs(const std::string& chosen)
{
    const std::string path = SaveTargetFor(chosen);
    if (RefuseLongPath(path) || !ReviewBeforeSaving() || !WriteReported(path))
        return false;
    filePath = path;
    settings.WriteText("FileName", filePath);
    return true;
}

bool KeymapEditor::Load(const std::string& path)
{
    if (RefuseLongPath(path))
        return false;
    if (!ReadKeymapFile(path))
        return false;
    filePath = path;
    settings.WriteText("FileName", filePath);
    Changed(); // the table before the load stays one undo away
    history.MarkSaved();
    return true;
}

bool KeymapEditor::ExportTable(const std::string& path) const
{
    const std::string text = keymap::FormatKeymapTableText(working, BareName(filePath) + ": exported by Dorvantile");
    const platform::FileResult result = platform::WriteFileAtomically(path, text);
    if (!result.ok)
        ShowError(std::string(ExportFailedText) + "\n" + path + "\n" + result.error);
    return result.ok;
}

bool KeymapEditor::ImportTable(const std::string& path)
{
    std::string text;
    const platform::FileResult read = platform::ReadFileBytes(path, text, {TableTextLimit, platform::PastLimit::Fails});
    if (!read.ok) {
        ShowError(std::string(ImportFailedText) + "\n" + path + "\n" + read.error);
        return false;
    }
    keymap::KeyTable table = working;
    if (const std::optional<keymap::TableTextError> error = keymap::ParseKeymapTableText(text, table)) {
        ShowError(std::string(ImportFailedText) + "\n" + path + ", line " + std::to_string(error->line) + ": " +
                  error->message);
        return false;
    }
    working = table;
    Changed();
    return true;
}

void KeymapEditor::Changed()
{
    history.Record(working);
    if (changeListener)
        changeListener();
}

void KeymapEditor::Undo()
{
    if (history.CanUndo())
        TakeFromHistory(history.Undo());
}

void KeymapEditor::Redo()
{
    if (history.CanRedo())
        TakeFromHistory(history.Redo());
}

void KeymapEditor::TakeFromHistory(const keymap::KeyTable& table)
{
    working = table;
    if (changeListener)
        changeListener();
}
void KeymapEditor::SetFont(const std::string& face, int height)
{
    fontHeight = height;
    faceName = CutToCharacters(face, FaceNameLimit);
    settings.WriteText("FontName", faceName);
    settings.WriteInt("FontSize", fontHeight);
}

ChangesDecision KeymapEditor::ConfirmUnsavedChanges()
{
    if (!IsModified())
        return ChangesDecision::Proceed;
    switch (platform::Messages().Show(SaveChangesText, "Dorvantile", platform::MessageButtons::YesNoCancel,
                                      platform::MessageIcon::Question)) {
    case platform::MessageAnswer::Yes:
        // A failed save has been reported; staying open keeps the changes from being lost.
        return SaveFile() ? ChangesDecision::Proceed : ChangesDecision::Stay;
    case platform::MessageAnswer::No: return ChangesDecision::Proceed;
    default: return ChangesDecision::Stay;
    }
}

int KeymapEditor::GetEnglishFlag() const
{
    return static_cast<int>(static_cast<std::uint32_t>(working[keymap::EnglishFlagRecord].extInitial) & 0xffu);
}

void KeymapEditor::SetEnglishFlag(int value)
{
    std::int32_t& field = working[keymap::EnglishFlagRecord].extInitial;
    if (field == value)
        return;
    field = value;
    Changed();
}

keymap::KeyRecord KeymapEditor::WorkingRecord() const { return working[static_cast<size_t>(SelectedRecordIndex())]; }

keymap::KeyRecord KeymapEditor::ReferenceRecord() const
{
    return reference[static_cast<size_t>(SelectedRecordIndex())];
}

void KeymapEditor::StoreRecord(const keymap::KeyRecord& record)
{
    keymap::KeyRecord& slot = working[static_cast<size_t>(SelectedRecordIndex())];
    if (slot == record)
        return;
    slot = record;
    Changed();
}

void KeymapEditor::MeasureOffset(PictureOffset measured)
{
    if (!offsetPending)
        return;
    offset = measured;
    offsetPending = false;
}

std::optional<SelectionMove> KeymapEditor::MoveTo(GridCell cell)
{
    if (cell == selection)
        return std::nullopt;
    const SelectionMove move{selection, cell};
    selection = cell;
    return move;
}

std::optional<SelectionMove> KeymapEditor::PointerMoved(int x, int y)
{
    const std::optional<GridCell> cell = HitTest(x, y, offset);
    if (!cell)
        return std::nullopt;
    return MoveTo(*cell);
}

bool KeymapEditor::ClickOpensDialog(int x, int y) const
{
    const std::optional<GridCell> cell = HitTest(x, y, offset);
    return cell && *cell == selection;
}

std::optional<SelectionMove> KeymapEditor::SelectRecord(int recordIndex)
{
    if (recordIndex < 0 || recordIndex >= keymap::RecordCount)
        return std::nullopt;
    return MoveTo(GridCell{recordIndex % keymap::GridColumns, recordIndex / keymap::GridColumns});
}

std::optional<SelectionMove> KeymapEditor::Arrow(ArrowKey key)
{
    const std::optional<GridCell> cell = ArrowStep(selection, key);
    if (!cell)
        return std::nullopt;
    return MoveTo(*cell);
}

} // namespace kbdedit
