/** @file MainStatusBar.h
 ** The main window's status bar: prompt, lock indicators, clock, language and caret position
 ** panes, and a progress mode (label and bar) that long operations report to. **/
#pragma once

#include "platform/Clock.h"
#include "platform/ProgressDisplay.h"

#include <QStatusBar>

#include <cstdint>
#include <string>

class QLabel;
class QProgressBar;

namespace app {

/// "09:05  PM ": 12-hour hour and minute, two spaces, then "AM " or "PM ".
std::string ClockText(const platform::LocalTime& time);
/// "%4d : %3d" of a line number and a column.
std::string PositionText(int line, int column);

/// Panes are QLabels named by their string ids ("id105", "id103", "id106"). In progress mode the
/// panes are hidden and a label and a progress bar are shown at fixed places over the bar.
class MainStatusBar : public QStatusBar, public platform::ProgressDisplay {
    Q_OBJECT
public:
    explicit MainStatusBar(QWidget* parent = nullptr);

    /// Shows all six panes (before this only the prompt and the lock indicators exist).
    void ShowAllPanes();
    void SetClockText(const std::string& text);
    void SetLanguageText(const std::string& text);
    void SetPositionText(const std::string& text);
    QString PaneText(int paneId) const;
    /// "Ready", shown in the message pane while nothing else is.
    static QString IdlePrompt();

    void SetProgressMode(bool on);
    void SetProgressText(const std::string& text);
    bool InProgressMode() const { return progressMode; }
    QLabel* ProgressLabel() const { return progressLabel; }
    QProgressBar* ProgressBar() const { return progressBar; }

    // platform::ProgressDisplay
    void Show(const std::string& label) override;
    void SetRange(std::int64_t low, std::int64_t high) override;
    void SetStep(std::int64_t step) override;
    void SetPos(std::int64_t pos) override;
    void StepIt() override;
    void Hide() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* AddPane(int id, const QString& sizingText);
    void PlaceProgressWidgets();
    void ShowProgressPosition();

    QLabel* capsPane;
    QLabel* numPane;
    QLabel* clockPane = nullptr;
    QLabel* languagePane = nullptr;
    QLabel* positionPane = nullptr;
    QLabel* progressLabel;
    QProgressBar* progressBar;
    bool progressMode = false;
    std::int64_t low = 0, high = 100, step = 10, pos = 0;
};

} // namespace app
