/** @file AboutKelmoraDialog.h
 ** The About box: the picture kelmAbout.bmp of the program folder, the version and a few lines about the program. **/
#pragma once

#include <QDialog>

#include <string>

class QLabel;

namespace extras {

class AboutKelmoraDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* PictureFile = "kelmAbout.bmp";

    explicit AboutKelmoraDialog(std::string programFolder, QWidget* parent = nullptr);

protected:
    /// Reads the picture each time the box is shown; a missing file leaves the frame empty.
    void showEvent(QShowEvent* event) override;

private:
    std::string programFolder;
    QLabel* picture;
};

/// The command 57664: the About box without a parent, shown modally.
void RunAboutBox(const std::string& programFolder);

} // namespace extras
