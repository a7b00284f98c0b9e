#pragma once
// What every window gets when it is created: the program's data and its program-wide commands.
namespace kw::ui {

class CommandRegistry;
class DataStore;

struct WindowContext {
  DataStore& store;
  CommandRegistry& commands;
};

}  // namespace kw::ui
