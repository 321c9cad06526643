/** @file KeymapEditor.h
 ** The keymap editor's state without any widget: the working and reference tables, the highlighted
 ** cell, the picture offset, the current file, face name and font height, and every operation the
 ** main window and the key modification dialog perform on them. **/
#pragma once

#include "kbdedit/KeyboardGrid.h"
#include "kbdedit/KeymapChecker.h"
#include "kbdedit/RegistrySettings.h"
#include "kbdedit/TableHistory.h"
#include "keymap/KeyRecord.h"
#include "platform/TextMode.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kbdedit {

/// Texts the user knows from message boxes.
inline constexpr const char* NotKeymapText = "Sorry that file is not a Dorvantile File !\nFile didn't loaded";
inline constexpr const char* NoReferenceText =
    "Sorry, Main.kbd is not exist in the [KeyMaps] path.\nProgram cann't work correctly !";
inline constexpr const char* SaveFailedText = "Cannot save the file";
inline constexpr const char* PathTooLongText = "The path is too long (more than 199 characters):";
inline constexpr const char* SaveChangesText = "The keymap has changed .\nDo you want to save changes ?";
inline constexpr const char* ExportFailedText = "Cannot export the table";
inline constexpr const char* ImportFailedText = "Cannot import the table";
/// What the caption adds to the path while the table differs from its file.
inline constexpr const char* UnsavedMark = "*";

inline constexpr const char* DefaultFaceName = "nasim web homa";
inline constexpr int DefaultFontHeight = 16;
inline constexpr const char* DefaultFileName = "main.kbd";
inline constexpr const char* ReferenceFileName = "main.kbd";

/// Longest face name (characters) and file path (characters) the editor keeps.
constexpr int FaceNameLimit = 31;
constexpr int PathLimit = 199;

/// `text` cut to at most `limit` characters (UTF-8 code points, never inside one).
std::string CutToCharacters(const std::string& text, int limit);
/// Number of UTF-8 code points in `text`.
int CharacterCount(const std::string& text);

/// A highlight move: the frame of `from` is drawn plain, the frame of `to` sunken.
struct SelectionMove {
    GridCell from;
    GridCell to;
};

/// Whether the command that would drop unsaved changes (closing, Load) may go on.
enum class ChangesDecision { Proceed, Stay };

/// The data of one keymap editor window. Messages go through platform::Messages(); settings
/// through the RegistrySettings it is given, which must outlive it.
class KeymapEditor {
public:
    explicit KeymapEditor(RegistrySettings& settings);

    /// Start-up after the window exists: reference table from `folder`/KeyMaps/main.kbd, then the
    /// three settings, then the working table from the remembered file (quietly, if it exists).
    void StartUp(const std::string& folder);
    /// The second half of start-up: the three settings (defaults written when missing), then the
    /// working table from the remembered file.
    void ReadRememberedState();

    // Keymap files.
    /// Reads a keymap into the working table. False without a message when the file cannot be
    /// opened; false with the "not a Dorvantile File" message (table unchanged) when it is not one.
    bool ReadKeymapFile(const std::string& path);
    /// Replaces the file at `path` with the working table, atomically.
    platform::FileResult WriteKeymapFile(const std::string& path) const;
    /// Reads `folder`/KeyMaps/main.kbd into the reference table; true when it loaded. `folder` is
    /// the program folder from then on: a save that would write into it while it is read-only or
    /// installed (see platform::DataFolders) goes to the user's keymap folder instead.
    bool ReadReferenceKeymap(const std::string& folder);

    // Commands of the main window; each reports its own failures and returns whether it succeeded.
    /// Save File and Save As first check the table: warnings the user has not seen yet go to the
    /// review (see SetWarningReview), and saving goes on only if it says so.
    bool SaveFile();
    bool SaveAs(const std::string& path);
    bool Load(const std::string& path);
    void SetFont(const std::string& faceName, int height);
    /// Writes the working table as a readable table text (the form of the shipped tables).
    bool ExportTable(const std::string& path) const;
    /// Replaces the working table with a table text, as one undoable step. A row that cannot be read
    /// is reported with its line and nothing changes.
    bool ImportTable(const std::string& path);
    /// The question asked before unsaved changes would be dropped (closing the window, Load); Yes
    /// saves first and a failed save stays.
    ChangesDecision ConfirmUnsavedChanges();

    // The "supports English" flag: record 38's extInitial, read as its low byte.
    int GetEnglishFlag() const;
    void SetEnglishFlag(int value);

    // Undo and redo of every change of the working table.
    bool CanUndo() const { return history.CanUndo(); }
    bool CanRedo() const { return history.CanRedo(); }
    void Undo();
    void Redo();

    // Checking the keymap.
    std::vector<KeymapWarning> Check() const { return CheckKeymap(working); }
    /// Shows warnings before a save and answers whether to save; without one, saving goes on.
    using WarningReview = std::function<bool(const std::vector<KeymapWarning>&)>;
    void SetWarningReview(WarningReview review) { warningReview = std::move(review); }
    /// The user has seen the warnings of the table as it is now: saving it asks no more.
    void WarningsSeen() { warningsSeenFor = working; }
    /// Called after every change of the working table (store, flag, load, import, undo, redo).
    void SetChangeListener(std::function<void()> listener) { changeListener = std::move(listener); }

    // The highlighted cell and the services the key modification dialog uses.
    GridCell Selection() const { return selection; }
    int SelectedRecordIndex() const { return selection.RecordIndex(); }
    keymap::KeyRecord WorkingRecord() const;
    keymap::KeyRecord ReferenceRecord() const;
    void StoreRecord(const keymap::KeyRecord& record);

    // Pointer and keys.
    /// Measures the picture offset once; later calls are ignored.
    void MeasureOffset(PictureOffset measured);
    bool OffsetPending() const { return offsetPending; }
    PictureOffset Offset() const { return offset; }
    /// A pointer move to client (x, y): the highlight move it causes, if any.
    std::optional<SelectionMove> PointerMoved(int x, int y);
    /// Whether a left click at client (x, y) opens the key dialog (only on the highlighted cell).
    bool ClickOpensDialog(int x, int y) const;
    std::optional<SelectionMove> Arrow(ArrowKey key);
    /// Highlights the cell of a record (a jump from a warning).
    std::optional<SelectionMove> SelectRecord(int recordIndex);

    const keymap::KeyTable& WorkingTable() const { return working; }
    const keymap::KeyTable& ReferenceTable() const { return reference; }
    const std::string& FilePath() const { return filePath; }
    /// The window caption: the current file path, marked while the table differs from the file.
    std::string Caption() const { return IsModified() ? UnsavedMark + filePath : filePath; }
    const std::string& FaceName() const { return faceName; }
    int FontHeight() const { return fontHeight; }
    bool IsModified() const { return history.IsModified(); }

private:
    bool RefuseLongPath(const std::string& path) const;
    std::optional<SelectionMove> MoveTo(GridCell cell);
    bool ReviewBeforeSaving();
    bool WriteReported(const std::string& path);
    /// Where a save meant for `path` writes (see ReadReferenceKeymap); its folder is created.
    std::string SaveTargetFor(const std::string& path) const;
    /// Records the working table as the next step of the history and tells the listener.
    void Changed();
    void TakeFromHistory(const keymap::KeyTable& table);

    RegistrySettings& settings;
    std::string programFolder;
    keymap::KeyTable working{};
    keymap::KeyTable reference{};
    std::string referencePath; // where the reference table was read from; empty before that
    GridCell selection;
    PictureOffset offset;
    bool offsetPending = true;
    std::string faceName = DefaultFaceName;
    std::string filePath = DefaultFileName;
    int fontHeight = DefaultFontHeight;
    TableHistory history;
    WarningReview warningReview;
    std::optional<keymap::KeyTable> warningsSeenFor;
    std::function<void()> changeListener;
};

} // namespace kbdedit
