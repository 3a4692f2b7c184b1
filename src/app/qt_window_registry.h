#pragma once

namespace vexa::app {

class MainWindow;
class QtPrompts;

// Puts every window the application has behind its menu entries, and gives `prompts` the pause
// dialog of the milling jobs.
void RegisterWindows(MainWindow& window, QtPrompts* prompts);

}  // namespace vexa::app
