#include "cutting/processing_chain.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "cutting/smooth_lines.h"
#include "cutting/thinning.h"
#include "cutting/tone_operations.h"
#include "picture/bmp_file.h"
#include "picture/picture_errors.h"
#include "settings/path_text.h"
#include "settings/settings.h"

namespace vexa::cutting {

std::string MissingNetworkText() {
  return "Отсутвует файл нейронной сети.\r\n"
         "Проверьте наличие файла neuro.net в папке с программой.";
}

std::string EmptyNetworkText() {
  return "Файл нейронной сети пуст.\r\nЗамените файл neuro.net в папке с программой.";
}

std::string UnreadableNetworkText() {
  return "Файл нейронной сети не удаётся прочитать.\r\n"
         "Проверьте файл neuro.net в папке с программой.";
}

std::string ResultNotWrittenText(const std::string& path) {
  return "Не удалось записать файл " + path +
         ".\r\nОбработанный рисунок показан в окне, но не сохранён.";
}

NetworkFile LoadNetworkFile(const std::filesystem::path& path) {
  // A folder or anything else that is not a plain file counts as missing, as a lookup that fails.
  if (!settings::FileExists(path)) return NetworkFile::Missing;
#ifdef _WIN32
  std::FILE* opened = _wfopen(path.c_str(), L"rb");  // fopen would read the name in a code page
#else
  std::FILE* opened = std::fopen(path.c_str(), "rb");
#endif
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(opened, &std::fclose);
  if (!file) return NetworkFile::Unreadable;
  // Read through to the end, but not kept: nothing uses the bytes, and a huge file must not
  // cost its size in memory.
  std::vector<unsigned char> block(65536);
  std::size_t length = 0;
  while (const std::size_t got = std::fread(block.data(), 1, block.size(), file.get())) {
    length += got;
  }
  if (std::ferror(file.get()) != 0) return NetworkFile::Unreadable;
  return length == 0 ? NetworkFile::Empty : NetworkFile::Loaded;
}

void CopyWorkingToViews(const CuttingPictures& pictures, const std::function<void()>& redraw) {
  // Assigned, not replaced: the views keep pointers to these pictures.
  pictures.templatePicture = pictures.working;
  pictures.laser = pictures.working;
  if (redraw) redraw();
}

bool ProcessPicture(const ProcessingParts& parts) {
  if (parts.pictures.working.empty()) return false;  // no picture loaded: nothing to process
  switch (LoadNetworkFile(parts.programDir / kNetworkFileName)) {
    case NetworkFile::Missing:
      parts.prompts.message(link::kErrorCaption, MissingNetworkText());
      return false;
    case NetworkFile::Empty:
      parts.prompts.message(link::kErrorCaption, EmptyNetworkText());
      return false;
    case NetworkFile::Unreadable:
      parts.prompts.message(link::kErrorCaption, UnreadableNetworkText());
      return false;
    case NetworkFile::Loaded:
      break;
  }
  picture::PixelBuffer& working = parts.pictures.working;
  const OperationDisplay& display = parts.display;
  PrepareGray(working, 1, display);
  for (std::int32_t pass = 1; pass <= 5; ++pass) RaiseContrast(working, pass, display);
  for (std::int32_t pass = 1; TrimPixels(working, pass, display); ++pass) {
  }
  ClearSpecks(working, 1, display);
  MakeBlackWhite(working, 1, display);
  SmoothLines(working, display);
  CopyWorkingToViews(parts.pictures, parts.redraw);

  const std::filesystem::path result =
      (parts.resultDir.empty() ? parts.programDir : parts.resultDir) / kResultFileName;
  try {
    picture::WriteBmpFile(parts.pictures.templatePicture, result);
  } catch (const settings::VexaError& error) {
    if (error.number() != picture::kStreamNotOpenedError) throw;
    parts.prompts.message(link::kErrorCaption, ResultNotWrittenText(settings::PathToUtf8(result)));
  }
  return true;
}

}  // namespace vexa::cutting
