#pragma once

// A page's surroundings without the main window: the document, a page table
// that reaches only the pages a test registers, and a shell that records.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "document/document.hpp"
#include "document/page_table.hpp"
#include "document/shell.hpp"
#include "ui/page_context.hpp"

namespace glt::ui::testing_support {

class RecordingShell : public Shell {
public:
    void SetCaption(std::string_view caption) override { captions.emplace_back(caption); }
    void SetStatusText(std::string_view text) override { statusTexts.emplace_back(text); }
    void SetStatusLabel(std::string_view) override {}
    std::optional<std::string> ChooseOpenFile() override { return std::nullopt; }
    std::optional<std::string> ChooseSaveFile() override { return std::nullopt; }
    bool Confirm(std::string_view) override { return false; }
    void Inform(std::string_view, std::string_view) override {}
    void BeginBusy() override {}
    void EndBusy() override {}
    void ProcessEvents() override {}

    std::string LastStatus() const { return statusTexts.empty() ? std::string() : statusTexts.back(); }

    std::vector<std::string> captions;
    std::vector<std::string> statusTexts;
};

class IdleArea : public PageArea {
public:
    void Default() override {}
    void Refresh() override {}
};

class SmallPageTable : public PageTable {
public:
    PageArea& At(Area area) override
    {
        const auto it = pages.find(area);
        return it != pages.end() ? *it->second : idle;
    }

    std::map<Area, PageArea*> pages;
    IdleArea idle;
};

struct ScriptedContext {
    Document doc;
    SmallPageTable table;
    RecordingShell shell;
    PageContext context{doc, table, shell, {}, {}};
};

} // namespace glt::ui::testing_support
