#pragma once
// Every message box and file dialog of the application goes through Prompts, so tests can
// script the answers and read the texts.

#include <optional>
#include <string>
#include <vector>

namespace vexa::link {

// Captions the system uses.
inline constexpr const char* kLinkCaption = "Ziravev AVE";  // link and port errors
inline constexpr const char* kErrorCaption = "Ошибка";       // input and file errors
inline constexpr const char* kWarningCaption = "Внимание";   // warnings and questions
// Caption of the few boxes that name none.
inline constexpr const char* kDefaultCaption = "Vexa";

// One line of a file dialog's type list: "Pictures" / "*.bmp;*.jpg".
struct FileFilter {
  std::string description;
  std::string patterns;  // separated by ";"
};

class Prompts {
 public:
  virtual ~Prompts() = default;

  // A modal message box with an OK button.
  virtual void message(const std::string& caption, const std::string& text) = 0;
  // A modal Yes/No question; true for Yes.
  virtual bool askYesNo(const std::string& caption, const std::string& text) = 0;
  // The milling pause dialog (lift or lower the cutter, then decide): 1 continue, 0 stop.
  virtual int PauseDialog() = 0;
  // The firmware notice with `text` (never empty here); returns when the user closes it.
  virtual void showFirmwareNotice(const std::string& text) = 0;
  // An open-file dialog; nullopt when cancelled. The folder and the chosen file are paths as
  // UTF-8 text, like every text here (settings/path_text.h turns them into paths).
  virtual std::optional<std::string> chooseFileToOpen(const std::string& title,
                                                      const std::vector<FileFilter>& filters,
                                                      const std::string& initialFolder) = 0;
};

}  // namespace vexa::link
