// Any text as an export for "gltcfg import": refused with the import's own
// message, or rebuilt into a sealed image that exports and imports again to
// the same configuration. Any other exception escapes and is a finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "document/config_image.hpp"
#include "document/error.hpp"
#include "export_format.hpp"
#include "fuzz_harness.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace glt;
    nlohmann::ordered_json exported;
    Document doc;
    try {
        exported = cli::ParseExportText(std::string(reinterpret_cast<const char*>(data), size));
        doc = cli::ImportJson(exported);
    } catch (const Error& e) {
        fuzz::Require(std::string_view(e.what()).starts_with(cli::kExportRefusal),
            "import refusal without its prefix");
        return 0;
    }

    fuzz::Require(VerifyBlocks(doc.image), "imported image is not sealed");
    const double wide = exported.at("wideDisplay").get<double>();
    fuzz::Require(wide >= -128 && wide <= 127 && wide == doc.state.WideDisplay,
        "wideDisplay accepted outside -128..127 or changed");

    const Document again = cli::ImportJson(cli::ExportJson(doc));
    fuzz::Require(again.image == doc.image, "export and import again changed the image");
    fuzz::Require(again.state.WideDisplay == doc.state.WideDisplay, "export and import again changed WideDisplay");
    return 0;
}
