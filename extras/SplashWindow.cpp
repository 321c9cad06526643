#include "extras/SplashWindow.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

namespace extras {

namespace {

bool splashEnabled = false;
SplashWindow* current = nullptr;
// A key that ended the splash in its shortcut stage is still delivered as a press afterwards;
// that press is swallowed too, so the editor never sees the key.
struct SwallowedKey {
    bool pending = false;
    int key = 0;
    quint64 timestamp = 0;
} swallowed;

bool IsSwallowedPress(QEvent* event)
{
    if (!swallowed.pending || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    swallowed.pending = false;
    return key->key() == swallowed.key && key->timestamp() == swallowed.timestamp;
}

bool EndsSplash(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
        return true;
    default:
        return false;
    }
}

} // namespace

void EnableSplash(bool enable)
{
    splashEnabled = enable;
}

bool SplashEnabled()
{
    return splashEnabled;
}

SplashWindow* SplashWindow::Current()
{
    return current;
}

QPixmap SplashWindow::DrawPicture()
{
    QPixmap picture(428, 252);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 252);
    sky.setColorAt(0.0, QColor(18, 52, 86));
    sky.setColorAt(1.0, QColor(8, 24, 40));
    painter.fillRect(picture.rect(), sky);

    // A band of arches, the way title pages of Persian books are framed.
    painter.setPen(QPen(QColor(212, 175, 55), 2));
    for (int x = 14; x < 414; x += 40) {
        painter.drawArc(QRect(x, 20, 40, 40), 0, 180 * 16);
        painter.drawArc(QRect(x, 192, 40, 40), 180 * 16, 180 * 16);
    }
    painter.drawRect(QRect(8, 8, 411, 235));

    QFont title("Serif");
    title.setPixelSize(56);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(245, 230, 180));
    painter.drawText(QRect(0, 62, 428, 80), Qt::AlignCenter, "Kelmora");

    QFont subtitle("Sans Serif");
    subtitle.setPixelSize(16);
    painter.setFont(subtitle);
    painter.setPen(QColor(200, 210, 225));
    painter.drawText(QRect(0, 140, 428, 30), Qt::AlignCenter, "Persian text editor");
    return picture;
}

SplashWindow::SplashWindow(QWidget* mainWindow, QPixmap picture)
    : QWidget(mainWindow, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      mainWindow(mainWindow), picture(std::move(picture))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    setFixedSize(this->picture.size());
    current = this;
}

SplashWindow::~SplashWindow()
{
    if (current == this)
        current = nullptr;
}

void SplashWindow::HideSplash()
{
    if (timerId != 0) {
        killTimer(timerId);
        timerId = 0;
    }
    if (current == this)
        current = nullptr;
    hide();
    if (mainWindow)
        mainWindow->repaint();
    deleteLater();
}

void SplashWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture);
}

void SplashWindow::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == timerId)
        HideSplash();
}

bool ShowSplash(QWidget* mainWindow)
{
    if (!splashEnabled || current != nullptr)
        return false;
    QPixmap picture = SplashWindow::DrawPicture();
    if (picture.isNull())
        return false;
    auto* splash = new SplashWindow(mainWindow, std::move(picture));
    QRect area;
    if (mainWindow && mainWindow->isVisible())
        area = mainWindow->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        splash->move(area.center() - QPoint(splash->width() / 2, splash->height() / 2));
    splash->timerId = splash->startTimer(SplashWindow::TimerMilliseconds);
    splash->show();
    splash->repaint();
    return true;
}

bool SplashFilter(QEvent* event)
{
    if (event == nullptr)
        return false;
    if (IsSwallowedPress(event))
        return true;
    if (current == nullptr || !EndsSplash(event->type()))
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        swallowed = {true, key->key(), key->timestamp()};
        event->accept(); // keeps the key from firing an accelerator
    }
    current->HideSplash();
    return true;
}

bool SplashEventFilter::eventFilter(QObject* watched, QEvent* event)
{
    // Events reach the application filter once per receiving object; only widgets count, so a
    // press is not taken twice on its way to the window.
    if (watched->isWidgetType() && SplashFilter(event))
        return true;
    return QObject::eventFilter(watched, event);
}

} // namespace extras
