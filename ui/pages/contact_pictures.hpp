#pragma once

#include <QIcon>
#include <QPixmap>

#include "document/codecs/input_type.hpp"

namespace glt::ui {

// The 16 x 16 contact symbols on a transparent ground: an open contact for
// "Н.Р.", a closed one for "Н.З.".
QPixmap ContactPixmap(ContactType type);
QIcon ContactIcon(ContactType type);

} // namespace glt::ui
