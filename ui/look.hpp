#pragma once

#include <cstdint>

#include <QColor>
#include <QFont>

namespace glt::ui {

// Colours are written as 0x00BBGGRR values, the way the panel documentation
// gives them.
inline QColor BgrColor(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFFU), static_cast<int>((bgr >> 8) & 0xFFU),
        static_cast<int>((bgr >> 16) & 0xFFU));
}

inline constexpr std::uint32_t kPageBackground = 0x00F2F2F2;
inline constexpr std::uint32_t kTabText = 0x008B4215;
inline constexpr std::uint32_t kClLime = 0x0000FF00;
inline constexpr std::uint32_t kClYellow = 0x0000FFFF;
inline constexpr std::uint32_t kClRed = 0x000000FF;
inline constexpr std::uint32_t kClSilver = 0x00C0C0C0;
inline constexpr std::uint32_t kClNavy = 0x00800000;
inline constexpr std::uint32_t kClWhite = 0x00FFFFFF;
inline constexpr std::uint32_t kClBlack = 0x00000000;

// A metric-compatible sans-serif with Cyrillic stands in for the 8-point
// window and grid fonts, so the given control positions hold.
inline QFont WindowFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(8);
    return font;
}

inline QFont GridFont() { return WindowFont(); }

// Captions, group titles and fill buttons: the window font in bold.
inline QFont BoldWindowFont()
{
    QFont font = WindowFont();
    font.setBold(true);
    return font;
}

} // namespace glt::ui
