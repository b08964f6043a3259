#pragma once

#include <optional>
#include <string>

#include "document/shell.hpp"

namespace glt::cli {

// The shell of a program without windows: the file dialogs answer with the
// file named on the command line, questions are answered no, window texts
// go nowhere, and messages go to standard output.
class BatchShell : public Shell {
public:
    explicit BatchShell(std::string file = {}) : file_(std::move(file)) {}

    void SetCaption(std::string_view) override {}
    void SetStatusText(std::string_view) override {}
    void SetStatusLabel(std::string_view) override {}
    std::optional<std::string> ChooseOpenFile() override { return file_; }
    std::optional<std::string> ChooseSaveFile() override { return file_; }
    bool Confirm(std::string_view) override { return false; }
    void Inform(std::string_view caption, std::string_view text) override;
    void BeginBusy() override {}
    void EndBusy() override {}
    void ProcessEvents() override {}

private:
    std::string file_;
};

} // namespace glt::cli
