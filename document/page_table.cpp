#include "document/page_table.hpp"

namespace glt {

void PageTable::SetupAll()
{
    for (Area area : kSetupOrder) {
        At(area).Setup();
    }
}

void PageTable::DefaultAll()
{
    for (Area area : kDefaultOrder) {
        At(area).Default();
    }
}

void PageTable::RefreshAll()
{
    for (Area area : kRefreshOrder) {
        At(area).Refresh();
    }
}

void PageTable::WriteBackAll()
{
    for (Area area : kWriteBackOrder) {
        At(area).WriteBack();
    }
}

} // namespace glt
