/** @file DorvantileDialog.h
 ** The main window of Dorvantile: the keyboard picture with its highlight, the file buttons, Set
 ** Font, the "Does Support English ?" box, the About box, undo and redo, the keymap check, table
 ** export and import, and a field to try the keymap in. **/
#pragma once

#include "kbdedit/DialogLayout.h"
#include "kbdedit/KeymapEditor.h"
#include "kbdedit/KeyReplay.h"
#include "kbdedit/KeymapFileChooser.h"
#include "kbdedit/TrialText.h"

#include <QDialog>
#include <QFont>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QFontDialog;
class QKeyEvent;
class QLabel;
class QPushButton;

namespace editctl {
class PersianEditWidget;
}

namespace kbdedit {

class KeyModifyDialog;
class KeyboardPictureWidget;

/// Dialog 102. Its state lives in a KeymapEditor; this class turns events into its operations
/// and draws what they change.
class DorvantileDialog : public QDialog {
    Q_OBJECT
public:
    /// `folder` is where KeyMaps/main.kbd is looked for (the current folder in the program).
    DorvantileDialog(RegistrySettings& settings, const std::string& folder, QWidget* parent = nullptr);
    ~DorvantileDialog() override;

    /// Replace the choosers' user interaction (tests; a hook returns what the user would choose).
    using FileChooserHook = std::function<std::optional<std::string>(ChooserPurpose)>;
    using FontChooserHook = std::function<std::optional<QFont>(const QFont& initial)>;
    void SetFileChooserHook(FileChooserHook hook) { fileChooserHook = std::move(hook); }
    void SetFontChooserHook(FontChooserHook hook) { fontChooserHook = std::move(hook); }

    KeymapEditor& Editor() { return editor; }
    KeymapFileChooser& FileChooser() { return *fileChooser; }
    KeyModifyDialog& KeyDialog() { return *keyDialog; }
    KeyboardPictureWidget& Picture() { return *picture; }
    /// The one-line field that types with the working table.
    editctl::PersianEditWidget& TryField() { return *tryField; }
    const QFont& DisplayFont() const { return displayFont; }

    /// The window-menu command: ids whose upper bits are the About item's open the About box.
    void SystemCommand(int id);
    /// The caption of the About item, or empty when there is none.
    static QString AboutItemText();

    /// Loads the keymap at `path` as Load does after its file chooser (the file named on the command line).
    bool OpenKeymap(const std::string& path);

public slots:
    void SaveFile();
    /// The caption without the unsaved mark and a short note of what was written.
    void ShowSaved();
    void SaveAs();
    void Load();
    void SetFont();
    void ShowAbout();
    void OpenKeyDialog();
    void Undo();
    void Redo();
    /// Lists the keymap's warnings (F7); without any, says so.
    void Check();
    void ExportTable();
    void ImportTable();
    /// Caps with the keymap's own letters (on) or the fixed legends (off).
    void ShowOwnLetters(bool on);
    /// Every way of closing (Cancel, Esc, the close box) comes here and may be refused.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void BuildControls();
    void MeasureOffsetOnce();
    void ShowMove(const std::optional<SelectionMove>& move);
    void BuildTableControls(const DialogUnits& du);
    bool HandleKey(int key);
    bool InTryField(const QObject* watched) const;
    /// Every change of the working table: the field, the caption, the buttons, the flag, the caps.
    void TableChanged();
    void RedrawPicture();
    /// The try-it field after a change of the table.
    void FollowTable();
    FieldState FieldNow() const;
    /// Shows warnings in the warnings window; true when the user chose to save all the same.
    bool ShowWarnings(const std::vector<KeymapWarning>& warnings, bool beforeSaving);
    std::optional<std::string> ChooseFile(ChooserPurpose purpose);
    void ShowEnglishFlag();

    KeymapEditor editor;
    std::unique_ptr<KeyModifyDialog> keyDialog;
    std::unique_ptr<KeymapFileChooser> fileChooser;
    std::unique_ptr<QFontDialog> fontChooser;
    QFont displayFont;
    QCheckBox* supportEnglish = nullptr;
    KeyboardPictureWidget* picture = nullptr;
    TrialKeymap trial;
    KeyReplay typedKeys;
    editctl::PersianEditWidget* tryField = nullptr;
    QCheckBox* ownLetters = nullptr;
    QLabel* saveStatus = nullptr;
    QPushButton* undoButton = nullptr;
    QPushButton* redoButton = nullptr;
    FileChooserHook fileChooserHook;
    FontChooserHook fontChooserHook;
};

} // namespace kbdedit
