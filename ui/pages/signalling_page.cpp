// Placeholder until this page's own issue builds its view.
#include "ui/pages/signalling_page.hpp"

namespace glt::ui {

SignallingPage::SignallingPage(PageContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {}

void SignallingPage::Default() {}

void SignallingPage::Refresh() {}

} // namespace glt::ui
