#pragma once
// A chooser for tests: it records every request, question and notice, and answers each
// request with the next answer it was given (a choice, a cancel, or an error to raise).
// With no answer left it cancels, as a user closing the dialog would.

#include "framework/platform/FileChooser.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace framework::platform {

class ScriptedFileChooser final : public IFileChooser {
public:
    struct Message {
        std::string Title;
        std::string Text;
    };

    // The next request is answered with these paths.
    void AnswerWith(std::vector<std::string> Paths);
    void AnswerCancel();
    // The next request raises EFileChooserError with this message.
    void AnswerError(std::string ErrorMessage);
    // Runs while the chooser is "open", before the answer is given (to look at the state).
    std::function<void(const FileChooserRequest&)> WhileOpen;
    // Answers to Confirm, in turn; with none left the answer is no.
    void ConfirmWith(bool Yes) { m_confirms.push_back(Yes); }

    const std::vector<FileChooserRequest>& Requests() const { return m_requests; }
    const std::vector<Message>& Questions() const { return m_questions; }
    const std::vector<Message>& Messages() const { return m_messages; }

    FileChoice Choose(const FileChooserRequest& Request) override;
    bool Confirm(const std::string& Title, const std::string& Question) override;
    void ShowMessage(const std::string& Title, const std::string& Text) override;

private:
    struct Answer {
        FileChoice Choice;
        std::optional<std::string> Error;
    };
    std::deque<Answer> m_answers;
    std::deque<bool> m_confirms;
    std::vector<FileChooserRequest> m_requests;
    std::vector<Message> m_questions;
    std::vector<Message> m_messages;
};

}  // namespace framework::platform
