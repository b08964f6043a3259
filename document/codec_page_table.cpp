#include "document/codec_page_table.hpp"

#include "document/codecs/cross_bar.hpp"
#include "document/codecs/dev_config.hpp"
#include "document/codecs/disp_settings.hpp"
#include "document/codecs/external_net.hpp"
#include "document/codecs/input_type.hpp"
#include "document/codecs/mbus_settings.hpp"
#include "document/codecs/out_data_base.hpp"

namespace glt {

// In the order of Area.
CodecPageTable::CodecPageTable(Document& doc)
    : areas_{{
          {doc, DefaultDevConfig},
          {doc, DefaultMBSettings},
          {doc, DefaultInputType},
          {doc, DefaultOutDataBase},
          {doc, DefaultCrossBar},
          {doc, DefaultDispSettings},
          {doc, DefaultExternalNet},
      }}
{
    static_assert(static_cast<int>(Area::DevConfig) == 0 && static_cast<int>(Area::MBusSettings) == 1 &&
                  static_cast<int>(Area::InputType) == 2 && static_cast<int>(Area::OutDataBase) == 3 &&
                  static_cast<int>(Area::CrossBar) == 4 && static_cast<int>(Area::DispSettings) == 5 &&
                  static_cast<int>(Area::ExternalNet) == 6);
}

PageArea& CodecPageTable::At(Area area)
{
    return areas_[static_cast<std::size_t>(area)];
}

Document DefaultDocument()
{
    Document doc;
    CodecPageTable pages(doc);
    pages.DefaultAll();
    return doc;
}

} // namespace glt
