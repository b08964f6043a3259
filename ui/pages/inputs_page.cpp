// Placeholder until this page's own issue builds its view.
#include "ui/pages/inputs_page.hpp"

namespace glt::ui {

InputsPage::InputsPage(PageContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {}

void InputsPage::Default() {}

void InputsPage::Refresh() {}

} // namespace glt::ui
