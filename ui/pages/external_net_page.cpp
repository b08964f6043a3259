// Placeholder until this page's own issue builds its view.
#include "ui/pages/external_net_page.hpp"

namespace glt::ui {

ExternalNetPage::ExternalNetPage(PageContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {}

void ExternalNetPage::Setup() {}
void ExternalNetPage::Default() {}

void ExternalNetPage::Refresh() {}

} // namespace glt::ui
