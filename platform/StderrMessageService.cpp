#include "platform/StderrMessageService.h"

#include <cstdio>

namespace platform {

MessageAnswer StderrMessageService::Show(const Message& message)
{
    std::fprintf(stderr, "%s: %s\n", message.caption.c_str(), message.text.c_str());
    switch (message.buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel: return MessageAnswer::Ok;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel: return MessageAnswer::No;
    case MessageButtons::RetryCancel: return MessageAnswer::Cancel;
    }
    return MessageAnswer::Ok;
}

} // namespace platform
