#pragma once

class QCoreApplication;

namespace glt::ui {

// Loads Qt's own Russian texts (standard buttons, file dialogs) when the
// system has them; without them Qt's English texts remain.
void InstallRussianTexts(QCoreApplication& app);

} // namespace glt::ui
