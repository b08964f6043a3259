#pragma once

#include <string_view>

namespace glt {

// Where the link reports its progress: the status label that receives the
// exchange texts and the system beep played on a refused answer.
class LinkFeedback {
public:
    virtual ~LinkFeedback() = default;
    virtual void SetStatusLabel(std::string_view text) = 0;
    virtual void Beep() = 0;
};

// For programs without a window: the progress texts go nowhere, and what
// matters arrives as errors.
class NullFeedback final : public LinkFeedback {
public:
    void SetStatusLabel(std::string_view) override {}
    void Beep() override {}
};

} // namespace glt
