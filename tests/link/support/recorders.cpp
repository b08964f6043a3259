#include "recorders.hpp"

namespace glt::test {

RecordingPageTable::RecordingPageTable()
{
    for (const AreaOps& ops : kAreaOps) {
        areas_.emplace_back(*this, ops.area);
    }
}

PageArea& RecordingPageTable::At(Area area) { return areas_[static_cast<std::size_t>(area)]; }

void RecordingPageTable::RecordingArea::Refresh()
{
    owner.calls.emplace_back(OpsOf(area).refresh);
    if (owner.onRefresh) {
        owner.onRefresh(area);
    }
}

void RecordingPageTable::RecordingArea::WriteBack()
{
    owner.calls.emplace_back(OpsOf(area).writeBack);
    if (owner.onWriteBack) {
        owner.onWriteBack(area);
    }
}

} // namespace glt::test

#include "document/error.hpp"

namespace glt::test {

std::string ThrownMessage(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return {};
}

} // namespace glt::test
