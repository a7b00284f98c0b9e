#pragma once
// The program's own pictures: SVG files in the resource built from data/pictures, rendered at the
// size a window asks for.
#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace kw::ui {

enum class Command;

// 32 x 32 icon of a tool bar command.
QIcon ToolIcon(Command command);
// Night sky with drawn balls and stars, the program name and version.
QPixmap SplashPicture(QSize size);
// A slip with a few crossed numbers: the welcome panel's picture.
QPixmap WelcomePicture(QSize size);
// Small globe: the link picture beside the draw chooser.
QPixmap LinkPicture(QSize size);
// A clipboard with numbers: pasting the numbers of a draw.
QIcon PasteIcon();
// A small eraser: clearing the marks of an area.
QPixmap ClearPicture();

}  // namespace kw::ui
