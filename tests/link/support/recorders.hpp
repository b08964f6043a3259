#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/page_table.hpp"
#include "document/shell.hpp"
#include "link/link_feedback.hpp"

namespace glt::test {

// The status label as the windows show it: the link's progress and the
// commands' texts land in one place, in order.
struct RecordingFeedback : LinkFeedback {
    void SetStatusLabel(std::string_view text) override { labels.emplace_back(text); }
    void Beep() override { ++beeps; }
    std::string Last() const { return labels.empty() ? std::string() : labels.back(); }

    std::vector<std::string> labels;
    int beeps = 0;
};

// A shell that records what the commands show and answers as scripted; its
// status label is the feedback's.
struct ScriptedShell : Shell {
    explicit ScriptedShell(RecordingFeedback& label) : label_(label) {}

    void SetCaption(std::string_view text) override { caption = text; }
    void SetStatusText(std::string_view text) override { statusText = text; }
    void SetStatusLabel(std::string_view text) override { label_.SetStatusLabel(text); }
    std::optional<std::string> ChooseOpenFile() override { return std::nullopt; }
    std::optional<std::string> ChooseSaveFile() override { return std::nullopt; }
    bool Confirm(std::string_view question) override
    {
        questions.emplace_back(question);
        if (onConfirm) {
            onConfirm();
        }
        return confirmAnswer;
    }
    void Inform(std::string_view caption, std::string_view text) override
    {
        informCaption = caption;
        informText = text;
        if (onInform) {
            onInform();
        }
    }
    void BeginBusy() override { ++busyDepth; }
    void EndBusy() override { --busyDepth; }
    void ProcessEvents() override
    {
        if (onProcessEvents) {
            onProcessEvents();
        }
    }

    std::string caption = "initial caption";
    std::string statusText = "initial status";
    std::vector<std::string> questions;
    bool confirmAnswer = true;
    std::string informCaption;
    std::string informText;
    int busyDepth = 0;
    std::function<void()> onProcessEvents;
    std::function<void()> onInform;
    std::function<void()> onConfirm;

private:
    RecordingFeedback& label_;
};

// A page table whose areas only record the operations called on them.
class RecordingPageTable : public PageTable {
public:
    RecordingPageTable();
    PageArea& At(Area area) override;

    std::vector<std::string> calls; // operation names in call order
    // Called inside every write-back and refresh, to change or inspect the
    // document at that moment.
    std::function<void(Area)> onWriteBack;
    std::function<void(Area)> onRefresh;

private:
    struct RecordingArea : PageArea {
        RecordingArea(RecordingPageTable& owner, Area area) : owner(owner), area(area) {}
        void Setup() override { owner.calls.emplace_back(OpsOf(area).setup); }
        void Default() override { owner.calls.emplace_back(OpsOf(area).byDefault); }
        void Refresh() override;
        void WriteBack() override;
        RecordingPageTable& owner;
        Area area;
    };
    std::vector<RecordingArea> areas_;
};

} // namespace glt::test

namespace glt::test {

// The message of the glt::Error that action throws; empty when it throws none.
std::string ThrownMessage(const std::function<void()>& action);

} // namespace glt::test
