/** @file BatchDialog.h
 ** "Batch Convert ...": the settings of a batch conversion, stored in section "Batch" on Convert. **/
#pragma once

#include "extras/ScratchTable.h"
#include "tools/BatchSettings.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tools {

inline constexpr int BatchDialogId = 151;

/// The settings dialog over the stored values; "&Convert" hands back the new ones (Values) for the
/// program to store, and only an initial folder is stored at once, through its own callback.
/// Folders are chosen with a folder browser, replaceable for tests.
class BatchDialog : public QDialog {
    Q_OBJECT
public:
    /// Asks for a folder: (title, starting folder) to the chosen folder, empty when cancelled.
    using FolderBrowser = std::function<std::string(const std::string& title, const std::string& start)>;

    using FolderStore = std::function<void(const std::string& folder)>;

    /// `programFolder` holds KeyMaps and scratch.cfg.
    BatchDialog(BatchSettings stored, std::string programFolder, QWidget* parent = nullptr);
    void SetFolderBrowser(FolderBrowser browser) { browse = std::move(browser); }
    void SetInitialFolderStore(FolderStore store) { storeInitialFolder = std::move(store); }
    /// The font box's entries as the program holds them, instead of reading scratch.cfg when shown.
    void SetScratchEntries(std::vector<extras::ScratchEntry> entries) { scratch = std::move(entries); }
    /// The values "&Convert" took from the controls.
    const BatchSettings& Values() const { return values; }

    QLineEdit* Field(int id) const;
    QComboBox* Box(int id) const;
    QPushButton* Button(int id) const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void Fill();
    void FillScratchBoxes();
    void FontChosen(int index);
    void Browse(int fieldId, const char* title, bool fromInitialFolder);
    void DestinationLeft();
    void InitialFolderLeft();
    void Convert();

    BatchSettings values;
    bool closing = false; // the focus leaving a field as the dialog closes is no edit to check
    std::string programFolder;
    FolderBrowser browse;
    FolderStore storeInitialFolder;
    std::optional<std::vector<extras::ScratchEntry>> scratch;
};

} // namespace tools
