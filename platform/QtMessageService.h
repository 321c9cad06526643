/** @file QtMessageService.h
 ** Message boxes of the real programs, shown with QMessageBox. **/
#pragma once

#include "platform/MessageService.h"

class QWidget;

namespace platform {

class QtMessageService : public MessageService {
public:
    using MessageService::Show;
    MessageAnswer Show(const Message& message) override;
    /// Owner window for the boxes; none (null) centres them on the screen.
    void SetOwner(QWidget* w) { owner = w; }

private:
    QWidget* owner = nullptr;
};

} // namespace platform
