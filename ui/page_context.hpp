#pragma once

#include <cstddef>
#include <functional>

#include "document/document.hpp"
#include "document/page_table.hpp"
#include "document/shell.hpp"

namespace glt::ui {

// What a page may reach besides its own controls: the document, the other
// areas (a page refreshes another through the table), the status bar and the
// two cross-page calls of the editors.
struct PageContext {
    Document& doc;
    PageTable& pages;
    Shell& shell;
    std::function<void()> showRelayInputs;                  // outputs page, after structure fills
    std::function<void(std::size_t request)> showRequestDialog; // external network page
};

} // namespace glt::ui
