// Placeholder until this page's own issue builds its view.
#include "ui/pages/outputs_page.hpp"

namespace glt::ui {

OutputsPage::OutputsPage(PageContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {}

void OutputsPage::Setup() {}
void OutputsPage::Default() {}

void OutputsPage::Refresh() {}

void OutputsPage::ShowRelayInputs() {}

} // namespace glt::ui
