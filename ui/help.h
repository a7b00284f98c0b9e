#pragma once
// The program's help: pages addressed by context number (1001 contents … 1011) and a search page.
namespace kw::ui {

inline constexpr int kHelpContents = 1001;

// Shows the page of a context number in the help viewer beside the program (never blocks).
void ShowHelpPage(int context);
// Shows the help viewer's search page.
void ShowHelpSearch();

}  // namespace kw::ui
