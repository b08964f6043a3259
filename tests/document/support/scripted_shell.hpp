#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "document/shell.hpp"

namespace glt::test {

// A shell whose dialogs answer from queues and which records what was shown.
// A dialog asked without a scripted answer fails the test.
class ScriptedShell : public Shell {
public:
    void SetCaption(std::string_view caption) override { captions.emplace_back(caption); }
    void SetStatusText(std::string_view text) override { statusTexts.emplace_back(text); }
    void SetStatusLabel(std::string_view text) override { statusLabels.emplace_back(text); }
    std::optional<std::string> ChooseOpenFile() override;
    std::optional<std::string> ChooseSaveFile() override;
    bool Confirm(std::string_view question) override;
    void Inform(std::string_view caption, std::string_view text) override;
    void BeginBusy() override { ++busyDepth; }
    void EndBusy() override { --busyDepth; }
    void ProcessEvents() override {}

    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<bool> confirmAnswers;

    std::vector<std::string> captions;
    std::vector<std::string> statusTexts;
    std::vector<std::string> statusLabels;
    std::vector<std::string> questions;
    int openDialogs = 0;
    int saveDialogs = 0;
    int busyDepth = 0;
};

} // namespace glt::test
