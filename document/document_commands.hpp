#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "document/document.hpp"
#include "document/page_table.hpp"
#include "document/shell.hpp"

namespace glt {

// "[New] - GLT Configuration tool"
std::string NewCaption();
// "[" + last path component + "] - GLT Configuration tool"
std::string FileCaption(std::string_view path);

// New, open, save and save as over the one document. A failure throws
// glt::Error and leaves the document as the failed step found it.
class DocumentCommands {
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    DocumentCommands(Document& doc, PageTable& pages, Shell& shell, Clock now = std::chrono::system_clock::now);

    // hasSender is false only for the run at start-up, which keeps the plain caption.
    void SBNewConfigClick(bool hasSender);
    void SBLoadFileClick();
    void SBSaveFileClick(bool hasSender);
    // Without a sender the current file name is the target and no dialog is shown.
    void SBSaveAsFileClick(bool hasSender);

private:
    Document& doc_;
    PageTable& pages_;
    Shell& shell_;
    Clock now_;
};

} // namespace glt
