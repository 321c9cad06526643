/** @file ConvertingDialog.h
 ** "Converting ...": runs the batch conversion chosen in section "Batch", one file per turn of the
 ** event loop so that Cancel stops it between files, then reports what was skipped. **/
#pragma once

#include "extras/ScratchTable.h"
#include "tools/BatchConversion.h"
#include "tools/BatchSettings.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace tools {

inline constexpr int ConvertingDialogId = 156;

/// Works in a buffer of its own: the open document, its text, font, keymap and modified flag are
/// never touched.
class ConvertingDialog : public QDialog {
    Q_OBJECT
public:
    ConvertingDialog(BatchSettings settings, DosLayout dos, HeaderChoice header, QWidget* parent = nullptr);
    ~ConvertingDialog() override;

    QPushButton* ConvertButton() const { return convert; }
    QPushButton* CancelButton() const { return cancel; }
    QProgressBar* Progress() const { return progress; }
    QLineEdit* FromField() const { return from; }
    QLineEdit* ToField() const { return to; }
    QComboBox* FileList() const { return files; }
    bool Running() const { return running; }
    const BatchReport& Report() const { return report; }

signals:
    /// A file was converted or skipped (index in the list).
    void FileDone(int index);

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void Fill();
    void Start();
    void Step();
    void Finish();
    void ShowPaths(const BatchItem& item);

    QPushButton* convert;
    QPushButton* cancel;
    QProgressBar* progress;
    QLineEdit* from;
    QLineEdit* to;
    QComboBox* files;
    QTimer* timer;
    BatchSettings settings;
    BatchOptions options;
    std::vector<BatchItem> items;
    std::unique_ptr<BatchConverter> converter;
    BatchReport report;
    size_t next = 0;
    bool running = false;
    bool stopRequested = false;
};

/// What the batch command needs from the program: the stored "Batch" values and the way to store
/// them, the program folder (KeyMaps, scratch.cfg), the scratch table the window holds, and the
/// layout of saved documents.
struct BatchEnvironment {
    BatchSettings stored;
    std::string programFolder;
    /// The font box's entries; without them scratch.cfg is read.
    std::optional<std::vector<extras::ScratchEntry>> scratch;
    DosLayout dos = DosLayout::On;
    HeaderChoice header = HeaderChoice::Write;
    std::function<void(const BatchSettings&)> writeSettings;
    std::function<void(const std::string&)> writeInitialFolder;
};

/// The batch command: the settings dialog, then, unless it was cancelled, the values stored and
/// the converting dialog.
void RunBatchConversion(QWidget* parent, const BatchEnvironment& environment);

} // namespace tools
