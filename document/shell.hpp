#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace glt {

// What the document and device commands need from the windows. The Qt main
// window implements it; tests script it.
class Shell {
public:
    virtual ~Shell() = default;

    // The window caption; the application title always repeats it.
    virtual void SetCaption(std::string_view caption) = 0;
    // The status bar text (" ver 1.60", refusals of the editors).
    virtual void SetStatusText(std::string_view text) = 0;
    // The hidden status label L4 that receives the link's progress texts.
    virtual void SetStatusLabel(std::string_view text) = 0;

    // File dialogs; nullopt when the user cancels.
    virtual std::optional<std::string> ChooseOpenFile() = 0;
    virtual std::optional<std::string> ChooseSaveFile() = 0;

    // OK/Cancel question with the question icon, Cancel the default; true on OK.
    virtual bool Confirm(std::string_view question) = 0;
    virtual void Inform(std::string_view caption, std::string_view text) = 0;

    // The hourglass: BeginBusy remembers the cursor, EndBusy restores it.
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;
    virtual void ProcessEvents() = 0;
};

} // namespace glt
