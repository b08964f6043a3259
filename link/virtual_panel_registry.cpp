#include "link/virtual_panel_registry.hpp"

#include <algorithm>
#include <system_error>

#include "document/error.hpp"
#include "link/natural_order.hpp"

namespace glt {

namespace fs = std::filesystem;

std::string VirtualPanelLinkName(const std::string& devicePath)
{
    std::string name = fs::path(devicePath).lexically_relative("/dev").generic_string();
    if (name.empty() || name.starts_with("..")) {
        name = fs::path(devicePath).relative_path().generic_string();
    }
    std::replace(name.begin(), name.end(), '/', '-');
    return name;
}

void RegisterVirtualPanel(const std::string& devicePath, const fs::path& folder)
{
    std::error_code error;
    // Only its owner may add or change the links of a new folder.
    if (fs::create_directories(folder, error)) {
        fs::permissions(folder, fs::perms::owner_all, error);
    }
    if (!error && !IsPrivateFolder(folder)) {
        error = std::make_error_code(std::errc::permission_denied);
    }
    const fs::path link = folder / VirtualPanelLinkName(devicePath);
    if (!error) {
        fs::remove(link, error);
    }
    if (!error) {
        fs::create_symlink(devicePath, link, error);
    }
    if (error) {
        throw Error("Невозможно зарегистрировать виртуальную панель " + devicePath + " в " + folder.string() + ": "
            + error.message());
    }
}

void UnregisterVirtualPanel(const std::string& devicePath, const fs::path& folder)
{
    std::error_code error;
    fs::remove(folder / VirtualPanelLinkName(devicePath), error);
}

std::vector<std::string> ListVirtualPanels(const fs::path& folder)
{
    std::vector<std::pair<std::string, std::string>> panels; // link name, device path
    if (!IsPrivateFolder(folder)) {
        return {};
    }
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        std::error_code linkError;
        if (!entry.is_symlink(linkError)) {
            continue;
        }
        const fs::path target = fs::read_symlink(entry.path(), linkError);
        // A panel that ended without unregistering leaves a dangling link.
        if (linkError || !fs::exists(entry.path(), linkError)) {
            continue;
        }
        panels.emplace_back(entry.path().filename().string(), target.string());
    }
    std::sort(panels.begin(), panels.end(),
        [](const auto& a, const auto& b) { return NaturalLess(a.first, b.first); });
    std::vector<std::string> paths;
    for (auto& panel : panels) {
        paths.push_back(std::move(panel.second));
    }
    return paths;
}

} // namespace glt
