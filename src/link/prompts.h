#pragma once
// Every message box and file dialog of the application goes through Prompts, so tests can
// script the answers and read the texts.

#include <string>

namespace vexa::link {

// Captions the system uses.
inline constexpr const char* kLinkCaption = "Ziravev AVE";  // link and port errors
inline constexpr const char* kErrorCaption = "Ошибка";       // input and file errors
inline constexpr const char* kWarningCaption = "Внимание";   // warnings and questions
// Caption of the few boxes that name none.
inline constexpr const char* kDefaultCaption = "Vexa";

class Prompts {
 public:
  virtual ~Prompts() = default;

  // A modal message box with an OK button.
  virtual void message(const std::string& caption, const std::string& text) = 0;
  // A modal Yes/No question; true for Yes.
  virtual bool askYesNo(const std::string& caption, const std::string& text) = 0;
};

}  // namespace vexa::link
