#include "support/recording_pages.hpp"

namespace glt::test {

RecordingPages::RecordingPages()
{
    for (const AreaOps& ops : kAreaOps) {
        areas_.emplace_back(*this, ops.area);
    }
}

PageArea& RecordingPages::At(Area area)
{
    return areas_.at(static_cast<std::size_t>(area));
}

void RecordingPages::Recorder::Setup() { owner_.calls.emplace_back(OpsOf(area_).setup); }
void RecordingPages::Recorder::Default() { owner_.calls.emplace_back(OpsOf(area_).byDefault); }
void RecordingPages::Recorder::Refresh() { owner_.calls.emplace_back(OpsOf(area_).refresh); }
void RecordingPages::Recorder::WriteBack() { owner_.calls.emplace_back(OpsOf(area_).writeBack); }

} // namespace glt::test
