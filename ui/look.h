#pragma once
// The program's common look: fonts and the small text helpers every window needs.
#include <QFont>
#include <QString>
#include <string>

namespace kw::ui {

// The default sans font at 8 pt: what the designed pixel sizes were made for.
QFont ProgramFont();
QFont BoldFont(int pointSize = 8);

inline QString Q(const std::string& text) { return QString::fromStdString(text); }
inline QString Q(const char* text) { return QString::fromUtf8(text); }

// A label text written for a narrow label ("verschwin- det") keeps its line breaks there.
QString BreakAtHyphens(const QString& text);

// Qt's own texts (file, print and page set-up dialogs, context menus, dialog buttons) in German,
// and German number and date formats in Qt's widgets; false when the translation is missing.
bool UseGermanQtTexts();

}  // namespace kw::ui
