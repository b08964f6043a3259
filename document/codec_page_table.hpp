#pragma once

#include <array>

#include "document/document.hpp"
#include "document/page_table.hpp"

namespace glt {

// The page table of programs without windows: each area's default is its
// codec default; there is nothing to draw, set up or write back.
class CodecPageTable : public PageTable {
public:
    explicit CodecPageTable(Document& doc);
    PageArea& At(Area area) override;

private:
    class CodecArea : public PageArea {
    public:
        using DefaultFn = void (*)(Document&);
        CodecArea(Document& doc, DefaultFn fill) : doc_(doc), fill_(fill) {}
        void Default() override { fill_(doc_); }
        void Refresh() override {}

    private:
        Document& doc_;
        DefaultFn fill_;
    };

    std::array<CodecArea, kAreaCount> areas_;
};

// A document whose every area holds its codec default.
Document DefaultDocument();

} // namespace glt
