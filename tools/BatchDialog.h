/** @file BatchDialog.h
 ** "Batch Convert ...": the settings of a batch conversion, stored in section "Batch" on Convert. **/
#pragma once

#include "tools/BatchSettings.h"

#include <QDialog>

#include <functional>
#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tools {

inline constexpr int BatchDialogId = 151;

/// The settings dialog. Every value is read again each time it is shown; nothing is stored unless
/// "&Convert" is pressed. Folders are chosen with a folder browser, replaceable for tests.
class BatchDialog : public QDialog {
    Q_OBJECT
public:
    /// Asks for a folder: (title, starting folder) to the chosen folder, empty when cancelled.
    using FolderBrowser = std::function<std::string(const std::string& title, const std::string& start)>;

    explicit BatchDialog(QWidget* parent = nullptr);
    void SetFolderBrowser(FolderBrowser browser) { browse = std::move(browser); }

    QLineEdit* Field(int id) const;
    QComboBox* Box(int id) const;
    QPushButton* Button(int id) const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fill();
    void FillScratchBoxes(const std::string& programFolder);
    void FontChosen(int index);
    void Browse(int fieldId, const char* title, bool fromInitialFolder);
    void DestinationLeft();
    void InitialFolderLeft();
    void Convert();

    FolderBrowser browse;
    int size = 22;
};

} // namespace tools
