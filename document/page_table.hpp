#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace glt {

// The seven page areas through which the document and device commands reach
// the editor pages; the commands never touch a page's controls.
enum class Area : std::uint8_t {
    DevConfig,
    MBusSettings,
    InputType,
    OutDataBase,
    CrossBar,
    DispSettings,
    ExternalNet,
};

inline constexpr std::size_t kAreaCount = 7;

// One area's operations. Set-up and write-back exist for some areas only;
// their names are empty where an area has none.
class PageArea {
public:
    virtual ~PageArea() = default;
    virtual void Setup() {}
    virtual void Default() = 0;
    virtual void Refresh() = 0;
    virtual void WriteBack() {}
};

struct AreaOps {
    Area area;
    std::string_view setup;
    std::string_view byDefault;
    std::string_view refresh;
    std::string_view writeBack;
};

inline constexpr std::array<AreaOps, kAreaCount> kAreaOps{{
    {Area::DevConfig, "", "DefaultDevConfig", "GetDevConfig", "SetDevConfig"},
    {Area::MBusSettings, "", "DefaultMBSettings", "GetMBusSettings", "SetMBusSettings"},
    {Area::InputType, "", "DefaultInputType", "GetInputType", ""},
    {Area::OutDataBase, "InitOutBaseGrid", "DefaultOutDataBase", "GetOutDataBase", ""},
    {Area::CrossBar, "InitCrossBarGrid", "DefaultCrossBar", "GetCrossBar", ""},
    {Area::DispSettings, "", "DefaultDispSettings", "GetDispSettings", ""},
    {Area::ExternalNet, "InitExternalNetGrid", "DefaultExternalNet", "GetExternalNet", ""},
}};

constexpr const AreaOps& OpsOf(Area area) { return kAreaOps[static_cast<std::size_t>(area)]; }

// The fixed orders in which the commands call the areas.
inline constexpr std::array<Area, 3> kSetupOrder{Area::OutDataBase, Area::CrossBar, Area::ExternalNet};
inline constexpr std::array<Area, 7> kDefaultOrder{Area::DevConfig, Area::MBusSettings, Area::InputType,
    Area::CrossBar, Area::OutDataBase, Area::DispSettings, Area::ExternalNet};
inline constexpr std::array<Area, 7> kRefreshOrder{Area::DevConfig, Area::MBusSettings, Area::CrossBar,
    Area::InputType, Area::OutDataBase, Area::DispSettings, Area::ExternalNet};
inline constexpr std::array<Area, 2> kWriteBackOrder{Area::DevConfig, Area::MBusSettings};

class PageTable {
public:
    virtual ~PageTable() = default;
    virtual PageArea& At(Area area) = 0;

    void SetupAll();
    void DefaultAll();
    void RefreshAll();
    void WriteBackAll();
};

} // namespace glt
