#include "framework/platform/ScriptedFileChooser.h"

namespace framework::platform {

void ScriptedFileChooser::AnswerWith(std::vector<std::string> Paths) {
    Answer answer;
    answer.Choice.Accepted = !Paths.empty();
    answer.Choice.Paths = std::move(Paths);
    m_answers.push_back(std::move(answer));
}

void ScriptedFileChooser::AnswerCancel() { m_answers.emplace_back(); }

void ScriptedFileChooser::AnswerError(std::string ErrorMessage) {
    Answer answer;
    answer.Error = std::move(ErrorMessage);
    m_answers.push_back(std::move(answer));
}

FileChoice ScriptedFileChooser::Choose(const FileChooserRequest& Request) {
    m_requests.push_back(Request);
    if (WhileOpen)
        WhileOpen(Request);
    if (m_answers.empty())
        return {};
    Answer answer = std::move(m_answers.front());
    m_answers.pop_front();
    if (answer.Error)
        throw EFileChooserError(*answer.Error);
    return answer.Choice;
}

bool ScriptedFileChooser::Confirm(const std::string& Title, const std::string& Question) {
    m_questions.push_back({Title, Question});
    if (m_confirms.empty())
        return false;
    const bool yes = m_confirms.front();
    m_confirms.pop_front();
    return yes;
}

void ScriptedFileChooser::ShowMessage(const std::string& Title, const std::string& Text) {
    m_messages.push_back({Title, Text});
}

}  // namespace framework::platform
