#pragma once

#include <QIcon>

namespace glt::ui {

// The program's own small picture set, drawn in code so that every button and
// tab shares one line weight and palette.
enum class Picture {
    NewConfig,
    OpenFile,
    SaveFile,
    Connection,
    ReadConfig,
    WriteConfig,
    ApplyConfig,
    Fill,
    PageConfig,
    PageModbus,
    PageInputs,
    PageOutputs,
    PageStructure,
    PageSignalling,
};

QIcon PictureIcon(Picture picture);

// The picture of the pages' fill buttons.
inline QIcon FillButtonIcon() { return PictureIcon(Picture::Fill); }

} // namespace glt::ui
