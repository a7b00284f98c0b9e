#pragma once
// The program's own pictures, drawn at run time: tool bar icons, splash, welcome panel.
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

}  // namespace kw::ui
