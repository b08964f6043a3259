#pragma once

#include <array>
#include <string>
#include <vector>

#include "document/page_table.hpp"

namespace glt::test {

// A page table that writes down every operation by its name, in call order.
class RecordingPages : public PageTable {
public:
    RecordingPages();
    PageArea& At(Area area) override;

    std::vector<std::string> calls;

private:
    class Recorder : public PageArea {
    public:
        Recorder(RecordingPages& owner, Area area) : owner_(owner), area_(area) {}
        void Setup() override;
        void Default() override;
        void Refresh() override;
        void WriteBack() override;

    private:
        RecordingPages& owner_;
        Area area_;
    };
    std::vector<Recorder> areas_;
};

} // namespace glt::test
