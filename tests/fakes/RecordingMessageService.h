/** @file RecordingMessageService.h
 ** Test fake: records every message box and answers from a script. **/
#pragma once

#include "platform/MessageService.h"

#include <deque>
#include <vector>

namespace fakes {

class RecordingMessageService : public platform::MessageService {
public:
    using platform::MessageService::Show;
    platform::MessageAnswer Show(const platform::Message& message) override
    {
        shown.push_back(message);
        if (!answers.empty()) {
            const platform::MessageAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        switch (message.buttons) {
        case platform::MessageButtons::YesNo:
        case platform::MessageButtons::YesNoCancel: return platform::MessageAnswer::Yes;
        case platform::MessageButtons::RetryCancel: return platform::MessageAnswer::Cancel;
        default: return platform::MessageAnswer::Ok;
        }
    }
    /// Answers to give, in order; when none is left the first positive button is pressed.
    void Script(std::initializer_list<platform::MessageAnswer> list) { answers.insert(answers.end(), list); }

    std::vector<platform::Message> shown;
    std::deque<platform::MessageAnswer> answers;
};

} // namespace fakes
