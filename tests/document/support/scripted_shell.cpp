#include "support/scripted_shell.hpp"

#include <gtest/gtest.h>

namespace glt::test {
namespace {

template <class T>
T Next(std::deque<T>& answers, const char* dialog)
{
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected " << dialog;
        return T{};
    }
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

std::optional<std::string> ScriptedShell::ChooseOpenFile()
{
    ++openDialogs;
    return Next(openAnswers, "open dialog");
}

std::optional<std::string> ScriptedShell::ChooseSaveFile()
{
    ++saveDialogs;
    return Next(saveAnswers, "save dialog");
}

bool ScriptedShell::Confirm(std::string_view question)
{
    questions.emplace_back(question);
    return Next(confirmAnswers, "question");
}

void ScriptedShell::Inform(std::string_view caption, std::string_view text)
{
    ADD_FAILURE() << "unexpected message " << caption << ": " << text;
}

} // namespace glt::test
