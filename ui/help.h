#pragma once
// The program's help: pages addressed by context number (1001 contents … 1011) and a search page.
class QString;
class QWidget;

namespace kw::ui {

inline constexpr int kHelpContents = 1001;

// Shows the page of a context number in the help viewer beside the program (never blocks).
void ShowHelpPage(int context);
// Shows the help viewer's search page.
void ShowHelpSearch();

// The help context of a window by its objectName ("FAuswertung" → 1002); windows without a
// page of their own get the contents page.
int HelpContextOf(const QString& windowName);
// F1 in `window` opens its page: `context`, or by its objectName when 0. Windows built on the
// shared navigation have this already.
void InstallHelpKey(QWidget* window, int context = 0);

}  // namespace kw::ui
