#pragma once
// The user at message boxes and file dialogs: records them, answers from a script or by default.

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Prompts.h"

namespace testsupport {

// windowTopmost: what the topmost probe said while it was up; nothing without a probe.
struct ShownMessageBox {
    std::string text;
    int style = 0;
    std::string title;
    std::optional<bool> windowTopmost;
};
struct ShownFileDialog {
    std::string title, filter;
    std::optional<bool> windowTopmost;
};

class RecordingPrompts : public platform::Prompts {
public:
    int messageBox(const std::string& text, int style, const std::string& title) override {
        boxes_.push_back({text, style, title, probeTopmost()});
        using namespace platform::msgbox;  // unscripted, the default button answers
        const int yes = style & kDefaultButton2 ? kAnswerNo : kAnswerYes;
        return next(answers_, (style & 7) == kYesNo ? yes : kAnswerOk);
    }
    std::optional<std::string> openFile(const std::string& title,
                                        const std::string& filter) override {
        dialogs_.push_back({title, filter, probeTopmost()});
        return next(files_, std::optional<std::string>());
    }

    // The next message box gets this answer instead of its default button.
    void queueAnswer(int answer) { answers_.push_back(answer); }
    // The next file dialog returns this path, or is cancelled when it is empty.
    void queueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    // Asked at every box and dialog whether the window under test is topmost; recorded.
    void setTopmostProbe(std::function<bool()> probe) { topmostProbe_ = std::move(probe); }

    const std::vector<ShownMessageBox>& messageBoxes() const { return boxes_; }
    const std::vector<ShownFileDialog>& fileDialogs() const { return dialogs_; }
    // Forgets what was shown; scripted answers not yet used stay queued.
    void clearShown() {
        boxes_.clear();
        dialogs_.clear();
    }

private:
    template <class T>
    static T next(std::deque<T>& script, T otherwise) {
        T answer = script.empty() ? std::move(otherwise) : std::move(script.front());
        if (!script.empty()) {
            script.pop_front();
        }
        return answer;
    }
    std::optional<bool> probeTopmost() const {
        return topmostProbe_ ? std::optional(topmostProbe_()) : std::nullopt;
    }

    std::function<bool()> topmostProbe_;
    std::deque<int> answers_;
    std::deque<std::optional<std::string>> files_;
    std::vector<ShownMessageBox> boxes_;
    std::vector<ShownFileDialog> dialogs_;
};

// A RecordingPrompts as the process-wide prompts while it lives; then the platform's default.
class ScopedRecordingPrompts {
public:
    ScopedRecordingPrompts() {
        auto owned = std::make_unique<RecordingPrompts>();
        prompts_ = owned.get();
        platform::installPrompts(std::move(owned));
    }
    ~ScopedRecordingPrompts() { platform::installPrompts(nullptr); }
    ScopedRecordingPrompts(const ScopedRecordingPrompts&) = delete;
    ScopedRecordingPrompts& operator=(const ScopedRecordingPrompts&) = delete;

    RecordingPrompts& operator*() const { return *prompts_; }
    RecordingPrompts* operator->() const { return prompts_; }

private:
    RecordingPrompts* prompts_;  // owned by the platform layer while installed
};

}  // namespace testsupport
