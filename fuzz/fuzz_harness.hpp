#pragma once

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/page_table.hpp"
#include "document/shell.hpp"
#include "link/link_feedback.hpp"

namespace glt::fuzz {

// A broken invariant is a finding: print it and abort so libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

inline void Require(bool condition, const char* what)
{
    if (!condition) {
        Fail(what);
    }
}

// A shell without windows: answers the file dialogs with a fixed path and
// counts what the commands show, so a refused command can be seen to have
// shown nothing.
class HeadlessShell : public Shell {
public:
    void SetCaption(std::string_view caption) override { captions.emplace_back(caption); }
    void SetStatusText(std::string_view text) override { statusTexts.emplace_back(text); }
    void SetStatusLabel(std::string_view) override {}
    std::optional<std::string> ChooseOpenFile() override { return path; }
    std::optional<std::string> ChooseSaveFile() override { return path; }
    bool Confirm(std::string_view) override { return true; }
    void Inform(std::string_view, std::string_view) override {}
    void BeginBusy() override { ++busyDepth; }
    void EndBusy() override { --busyDepth; }
    void ProcessEvents() override {}

    std::optional<std::string> path;
    std::vector<std::string> captions;
    std::vector<std::string> statusTexts;
    int busyDepth = 0;
};

// A page table that only counts the operations called on it.
class CountingPages : public PageTable {
public:
    PageArea& At(Area) override { return area_; }
    int Calls() const { return area_.calls; }

private:
    struct Counter : PageArea {
        void Default() override { ++calls; }
        void Refresh() override { ++calls; }
        void WriteBack() override { ++calls; }
        int calls = 0;
    };
    Counter area_;
};

} // namespace glt::fuzz
