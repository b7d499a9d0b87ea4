// The artwork of the shell: the terminal picture, our logo and the program icon.
#pragma once

#include <QIcon>
#include <QPixmap>

class QSvgRenderer;

namespace fw {

inline constexpr int kLogoX = 130;  // where the logo sits on the terminal picture
inline constexpr int kLogoY = 195;
inline constexpr int kLogoWidth = 67;
inline constexpr int kLogoHeight = 22;

QSvgRenderer& TerminalRenderer();
QSvgRenderer& LogoRenderer();
// The terminal picture (240 by 577 logical pixels) with the logo drawn over it, rendered from
// the artwork for a screen of the given device pixel ratio, so that it is sharp on any screen.
QPixmap TerminalPicture(qreal devicePixelRatio = 1.0);
// The program icon: square, rendered from its artwork at every size a desktop asks for.
QIcon ProgramIcon();

}  // namespace fw
