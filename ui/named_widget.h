#pragma once
// Controls are found by their object names (tests, help topics, the settings file), so every
// window creates them through this one helper.
#include <QLabel>
#include <QPushButton>
#include <QSize>
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

// Texts from files and the user are shown as they stand, never as rich text.
QLabel* PlainLabel(QWidget* parent, const char* name, const QString& text, bool wrap = false);
// The same in the program's regular font, for labels inside bold group boxes.
QLabel* RegularLabel(QWidget* parent, const char* name, const QString& text, bool wrap = false);
QPushButton* FixedButton(QWidget* parent, const char* name, const QString& caption, QSize size);

}  // namespace kw::ui
