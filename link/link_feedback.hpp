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

} // namespace glt
