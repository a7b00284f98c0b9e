#pragma once
// Controls are found by their object names (tests, help topics, the settings file), so every
// window creates them through this one helper.
#include <QString>
#include <QWidget>
#include <utility>

namespace kw::ui {

template <class T, class... Args>
T* Make(QWidget* parent, const char* name, Args&&... args) {
  T* widget = new T(std::forward<Args>(args)..., parent);
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace kw::ui
