/** @file StderrMessageService.h
 ** Messages for programs without windows: each message goes to standard error, answered with its default. **/
#pragma once

#include "platform/MessageService.h"

namespace platform {

class StderrMessageService : public MessageService {
public:
    using MessageService::Show;
    MessageAnswer Show(const Message& message) override;
};

} // namespace platform
