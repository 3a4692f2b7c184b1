#pragma once

namespace vexa::widgets {
class QtPrompts;
}

namespace vexa::app {

class MainWindow;

// Puts every window the application has behind its menu entries, and gives `prompts` the pause
// dialog of the milling jobs.
void RegisterWindows(MainWindow& window, widgets::QtPrompts* prompts);

}  // namespace vexa::app
