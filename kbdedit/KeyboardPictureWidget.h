/** @file KeyboardPictureWidget.h
 ** The keyboard picture control of the main window: the picture in a one-pixel border, with the
 ** highlight frames drawn onto it. **/
#pragma once

#include "kbdedit/KeyboardGrid.h"

#include <QImage>
#include <QWidget>

namespace kbdedit {

enum class FrameStyle {
    Plain,  // both edges RGB(168, 152, 152): the cell the highlight left
    Sunken, // top-left black, bottom-right white: the highlighted cell
};

/// Shows the keyboard picture. It takes no input: pointer events pass through to the main window,
/// which does the hit testing. Frames are drawn into the shown picture itself, so they stay until
/// another frame covers them.
class KeyboardPictureWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int BorderWidth = 1;

    explicit KeyboardPictureWidget(QWidget* parent = nullptr);

    void DrawFrame(GridCell cell, FrameStyle style);
    /// Shows another picture of the keyboard; frames drawn before are gone with the old one.
    void SetPicture(const QImage& picture);
    /// What is shown now, frames included.
    const QImage& Shown() const { return shown; }
    /// Top-left pixel of the picture (inside the border) in the widget's coordinates.
    QPoint PictureOrigin() const { return QPoint(BorderWidth, BorderWidth); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage shown;
};

} // namespace kbdedit
