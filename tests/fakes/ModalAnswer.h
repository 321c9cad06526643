/** @file ModalAnswer.h
 ** Answers the modal window a command shows with exec(), from inside its event loop. **/
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>

namespace fakes {

/// While it lives, it waits for the next modal window to come up; a window of type T is given to
/// `use`, and whatever modal window it was is closed afterwards unless `use` already closed it.
/// It looks on every turn of the event loop rather than once: a single queued look can run in some
/// other event loop before the exec() it was meant for (a wait for the window to activate, say),
/// and the dialog then waits for ever.
template <class T>
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(T&)> use = {}) : use(std::move(use))
    {
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [this] { Look(); });
        timer.start();
    }
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    /// Whether a window of type T came up and was answered.
    bool Shown() const { return shown; }
    /// The class of a modal window of another type that came up instead (closed); empty if none.
    const std::string& Other() const { return other; }

private:
    void Look()
    {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        timer.stop();
        if (T* window = qobject_cast<T*>(modal.data())) {
            shown = true;
            if (use)
                use(*window);
        } else {
            other = modal->metaObject()->className();
        }
        if (modal && modal->isVisible())
            modal->close();
    }

    std::function<void(T&)> use;
    QTimer timer;
    bool shown = false;
    std::string other;
};

} // namespace fakes
