/** @file SplashWindow.h
 ** The splash window shown while the main window is built; gone after 2 s or at the first key or click. **/
#pragma once

#include <QPixmap>
#include <QWidget>

class QEvent;

namespace extras {

/// At most one exists; it deletes itself when hidden.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int TimerMilliseconds = 2000;

    /// The splash window now shown, or null.
    static SplashWindow* Current();
    /// The picture: 428 x 252 with the program's title.
    static QPixmap DrawPicture();

    int TimerId() const { return timerId; }
    /// Hides and destroys the window and repaints the main window at once.
    void HideSplash();

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    friend bool ShowSplash(QWidget* mainWindow);
    SplashWindow(QWidget* mainWindow, QPixmap picture);
    ~SplashWindow() override;

    QWidget* mainWindow;
    QPixmap picture;
    int timerId = 0;
};

/// Sets the program-wide flag that allows the splash (start-up: "SplashScreen" non-zero and no
/// file on the command line).
void EnableSplash(bool enable);
bool SplashEnabled();
/// Shows the splash centred over `mainWindow` unless disabled or already shown; true when shown.
bool ShowSplash(QWidget* mainWindow);
/// Offered every event before anyone else: a key or mouse-button press while the splash is up
/// hides it and is consumed (returns true).
bool SplashFilter(QEvent* event);

/// Installed on the application object: passes every event through SplashFilter first.
class SplashEventFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace extras
