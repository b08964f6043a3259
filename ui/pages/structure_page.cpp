// Placeholder until this page's own issue builds its view.
#include "ui/pages/structure_page.hpp"

namespace glt::ui {

StructurePage::StructurePage(PageContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {}

void StructurePage::Setup() {}
void StructurePage::Default() {}

void StructurePage::Refresh() {}

} // namespace glt::ui
