#pragma once

#include "link/link_feedback.hpp"

namespace glt {
class Shell;
}

namespace glt::ui {

// The link's progress texts go to the hidden label L4; a refused answer beeps.
class WindowFeedback : public LinkFeedback {
public:
    explicit WindowFeedback(Shell& shell) : shell_(shell) {}
    void SetStatusLabel(std::string_view text) override;
    void Beep() override;

private:
    Shell& shell_;
};

} // namespace glt::ui
