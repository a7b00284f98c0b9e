#pragma once
// Screenshot registry: each shots_<topic>.cpp registers its windows with KW_SCREENSHOTS, and
// main() runs them in name order once the real history is in place.
#include <QString>
#include <functional>

class QWidget;

namespace kw::ui {
class DataStore;
class WindowCatalogue;
}  // namespace kw::ui

namespace kw::shots {

// The program as the screenshots see it: the real history and prize amounts in a temporary data
// folder, its data store, and every window made and wired by the catalogue as at start.
kw::ui::DataStore& Store();
kw::ui::WindowCatalogue& Catalogue();

// Shows the window, lets it settle and saves grab() as PNG; false when saving failed.
bool Save(QWidget& window, const QString& path);

struct Registrar {
  Registrar(const char* name, std::function<bool(const QString& outDir)> run);
};

}  // namespace kw::shots

#define KW_SCREENSHOTS_CAT2(a, b) a##b
#define KW_SCREENSHOTS_CAT(a, b) KW_SCREENSHOTS_CAT2(a, b)
// KW_SCREENSHOTS("topic") { ... return ok; }  — outDir is the folder to write into.
#define KW_SCREENSHOTS(name)                                                                   \
  static bool KW_SCREENSHOTS_CAT(kwShots, __LINE__)(const QString& outDir);                   \
  static const kw::shots::Registrar KW_SCREENSHOTS_CAT(kwShotsReg, __LINE__)(                 \
      name, &KW_SCREENSHOTS_CAT(kwShots, __LINE__));                                          \
  static bool KW_SCREENSHOTS_CAT(kwShots, __LINE__)([[maybe_unused]] const QString& outDir)
