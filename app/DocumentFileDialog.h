/** @file DocumentFileDialog.h
 ** The open and save-as dialogs with the extra panel that previews a file's size and keyboard. **/
#pragma once

#include <QFileDialog>

#include <optional>
#include <string>

class QLineEdit;

namespace app {

/// A non-native file dialog, created once with the main window and reused. Its initial folder is
/// "Settings"/"OS_PATH"; the folder shown last is remembered for the run and written to "OS_PATH"
/// on OK. The panel's boxes (object names "1022" and "1023") follow the selected file.
class DocumentFileDialog : public QFileDialog {
    Q_OBJECT
public:
    enum class Kind { Open, SaveAs };
    DocumentFileDialog(Kind kind, QWidget* parent = nullptr);

    /// Runs the dialog modally; the chosen full path, or nothing unless it ended with OK.
    std::optional<std::string> Run();

    Kind DialogKind() const { return kind; }
    QLineEdit* SizeBox() const { return sizeBox; }
    QLineEdit* KeyboardBox() const { return keyboardBox; }
    const QString& LastFolder() const { return lastFolder; }
    /// Shows the preview of `path` in the panel (what a change of the selected file does).
    void ShowPreview(const QString& path);
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* NameBox() const;
    void AddPanel();
    QString InitialFolder();

    Kind kind;
    QLineEdit* sizeBox = nullptr;
    QLineEdit* keyboardBox = nullptr;
    QString lastFolder;
    QString lastName; // the file name chosen last, offered again selected
    bool folderRead = false;
};

} // namespace app
