/** @file MessageService.h
 ** Message boxes with fixed texts: text, caption, buttons and icon in, the user's answer out. **/
#pragma once

#include <string>

namespace platform {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageIcon { None, Error, Warning, Question, Information };
enum class MessageAnswer { Ok, Cancel, Yes, No, Retry };

/// One message box request as the programs make it; kept whole so tests can compare it.
struct Message {
    std::string text;
    std::string caption;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MessageAnswer Show(const Message& message) = 0;

    MessageAnswer Show(const std::string& text, const std::string& caption,
                       MessageButtons buttons = MessageButtons::Ok, MessageIcon icon = MessageIcon::None)
    {
        return Show(Message{text, caption, buttons, icon});
    }
};

} // namespace platform
