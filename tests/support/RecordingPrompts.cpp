#include "support/RecordingPrompts.h"

namespace testsupport {

int RecordingPrompts::messageBox(const std::string& text, int style, const std::string& title) {
    boxes_.push_back({text, style, title, probeTopmost()});
    if (answers_.empty()) {
        return defaultAnswer(style);
    }
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<std::string> RecordingPrompts::openFile(const std::string& title,
                                                      const std::string& filter) {
    dialogs_.push_back({title, filter, probeTopmost()});
    if (files_.empty()) {
        return std::nullopt;
    }
    auto path = std::move(files_.front());
    files_.pop_front();
    return path;
}

std::optional<bool> RecordingPrompts::probeTopmost() const {
    if (!topmostProbe_) {
        return std::nullopt;
    }
    return topmostProbe_();
}

void RecordingPrompts::clearShown() {
    boxes_.clear();
    dialogs_.clear();
}

int RecordingPrompts::defaultAnswer(int style) {
    if ((style & 7) != platform::msgbox::kYesNo) {
        return platform::msgbox::kAnswerOk;
    }
    return (style & platform::msgbox::kDefaultButton2) ? platform::msgbox::kAnswerNo
                                                       : platform::msgbox::kAnswerYes;
}

ScopedRecordingPrompts::ScopedRecordingPrompts() {
    auto owned = std::make_unique<RecordingPrompts>();
    prompts_ = owned.get();
    platform::installPrompts(std::move(owned));
}

ScopedRecordingPrompts::~ScopedRecordingPrompts() {
    platform::installPrompts(nullptr);
}

}  // namespace testsupport
