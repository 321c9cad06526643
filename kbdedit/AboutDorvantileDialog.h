/** @file AboutDorvantileDialog.h
 ** The About box of Dorvantile: the picture "kelmAbout.bmp" of the current folder, the program
 ** icon, the version line and an OK button. **/
#pragma once

#include <QDialog>

namespace kbdedit {

class AboutDorvantileDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* PictureFile = "kelmAbout.bmp";
    explicit AboutDorvantileDialog(QWidget* parent = nullptr);
};

} // namespace kbdedit
