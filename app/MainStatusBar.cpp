/** @file MainStatusBar.cpp
 ** The main window's status bar. **/
#include "app/MainStatusBar.h"

#include "res/PromptStrings.h"
#include "res/ResourceIds.h"

#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>
#include <cstdio>

namespace app {
namespace {

// The bar shows permille steps, so 64-bit ranges map onto the widget's int range.
constexpr int BarScale = 1000;

QString FromStd(const std::string& text) { return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

std::string ClockText(const platform::LocalTime& time)
{
    int hour12 = time.hour % 12;
    if (hour12 == 0)
        hour12 = 12;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d  %s", hour12, time.minute, time.hour < 12 ? "AM " : "PM ");
    return buffer;
}

std::string PositionText(int line, int column)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%4d : %3d", line, column);
    return buffer;
}

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("statusBar"));
    // The message pane shows the idle prompt whenever no other prompt is shown.
    connect(this, &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty() && !progressMode)
            showMessage(IdlePrompt());
    });
    showMessage(IdlePrompt());
    // Lock states cannot be read portably; the indicators keep their places, shown disabled.
    capsPane = AddPane(59137, QStringLiteral("CAP"));
    numPane = AddPane(59138, QStringLiteral("NUM"));
    capsPane->setEnabled(false);
    numPane->setEnabled(false);

    progressLabel = new QLabel(this);
    progressLabel->setObjectName(QStringLiteral("progressLabel"));
    progressLabel->setFont(font());
    progressLabel->hide();
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setTextVisible(false);
    progressBar->setRange(0, BarScale);
    progressBar->hide();
}

QLabel* MainStatusBar::AddPane(int id, const QString& sizingText)
{
    auto* pane = new QLabel(sizingText, this);
    pane->setObjectName(res::ObjectName(id));
    pane->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(sizingText) + 6);
    addPermanentWidget(pane);
    return pane;
}

void MainStatusBar::ShowAllPanes()
{
    if (clockPane)
        return;
    clockPane = AddPane(res::PaneClock, FromStd(res::StringResource(res::PaneClock)));
    languagePane = AddPane(res::PaneLanguage, FromStd(res::StringResource(res::PaneLanguage)));
    positionPane = AddPane(res::PanePosition, FromStd(res::StringResource(res::PanePosition)));
    if (progressMode)
        SetProgressMode(true);
}

void MainStatusBar::SetClockText(const std::string& text)
{
    if (!clockPane)
        return;
    const QString shown = FromStd(text);
    clockPane->setText(shown);
    // The pane is as wide as its text in the bar's own font.
    const int width = QFontMetrics(font()).horizontalAdvance(shown) + clockPane->margin() * 2;
    clockPane->setMinimumWidth(width);
    clockPane->setEnabled(true);
}

void MainStatusBar::SetLanguageText(const std::string& text)
{
    if (languagePane) {
        languagePane->setText(FromStd(text));
        languagePane->setEnabled(true);
    }
}

void MainStatusBar::SetPositionText(const std::string& text)
{
    if (positionPane) {
        positionPane->setText(FromStd(text));
        positionPane->setEnabled(true);
    }
}

QString MainStatusBar::PaneText(int paneId) const
{
    const auto* pane = findChild<QLabel*>(res::ObjectName(paneId));
    return pane ? pane->text() : QString();
}

void MainStatusBar::SetProgressMode(bool on)
{
    progressMode = on;
    if (on)
        clearMessage();
    for (QLabel* pane : {capsPane, numPane, clockPane, languagePane, positionPane})
        if (pane)
            pane->setVisible(!on);
    progressLabel->setVisible(on);
    progressBar->setVisible(on);
    if (on) {
        PlaceProgressWidgets();
        progressLabel->raise();
        progressBar->raise();
    } else if (currentMessage().isEmpty()) {
        showMessage(IdlePrompt());
    }
}

QString MainStatusBar::IdlePrompt() { return FromStd(res::StringResource(res::IdlePrompt)); }

void MainStatusBar::SetProgressText(const std::string& text) { progressLabel->setText(FromStd(text)); }

void MainStatusBar::PlaceProgressWidgets()
{
    // The label runs from 5 pixels inside the left edge to x = 75; the bar from x = 80, 160 wide;
    // both from 2 pixels below the top to 2 pixels above the bottom.
    const int top = 2;
    const int height = std::max(1, this->height() - 4);
    progressLabel->setGeometry(5, top, 75 - 5, height);
    progressBar->setGeometry(80, top, 160, height);
}

void MainStatusBar::resizeEvent(QResizeEvent* event)
{
    QStatusBar::resizeEvent(event);
    if (progressMode)
        PlaceProgressWidgets();
}

void MainStatusBar::Show(const std::string& label)
{
    SetProgressText(label);
    SetProgressMode(true);
    progressLabel->repaint();
}

void MainStatusBar::SetRange(std::int64_t lowValue, std::int64_t highValue)
{
    low = lowValue;
    high = std::max(lowValue, highValue);
    pos = std::clamp(pos, low, high);
    ShowProgressPosition();
}

void MainStatusBar::SetStep(std::int64_t stepValue) { step = stepValue; }

void MainStatusBar::SetPos(std::int64_t position)
{
    pos = std::clamp(position, low, high);
    ShowProgressPosition();
}

void MainStatusBar::StepIt()
{
    // A progress control wraps to the start when a step passes the end.
    pos += step;
    if (pos > high)
        pos = low + (pos - high);
    pos = std::clamp(pos, low, high);
    ShowProgressPosition();
}

void MainStatusBar::Hide() { SetProgressMode(false); }

void MainStatusBar::ShowProgressPosition()
{
    const std::int64_t span = high - low;
    const int value = span <= 0 ? 0 : static_cast<int>((pos - low) * BarScale / span);
    if (value != progressBar->value()) {
        progressBar->setValue(value);
        if (progressMode)
            progressBar->repaint();
    }
}

} // namespace app
