#pragma once
// "Обработать": the network file is demanded and read, then the six preparation operations run
// as one fixed chain on the working picture, the result goes to the template and the laser
// pictures and is stored as neuro.bmp in the program folder.

#include <filesystem>
#include <functional>
#include <string>

#include "cutting/operation_display.h"
#include "link/prompts.h"
#include "picture/pixel_buffer.h"

namespace vexa::cutting {

inline constexpr const char* kNetworkFileName = "neuro.net";
inline constexpr const char* kResultFileName = "neuro.bmp";

std::string MissingNetworkText();
std::string EmptyNetworkText();
std::string UnreadableNetworkText();
std::string ResultNotWrittenText(const std::string& path);

// The working picture and the two views that receive it: template (Pict2) and laser (Pict3).
struct CuttingPictures {
  picture::PixelBuffer& working;
  picture::PixelBuffer& templatePicture;
  picture::PixelBuffer& laser;
};

enum class NetworkFile { Loaded, Missing, Empty, Unreadable };

// Reads the whole network file: nothing interprets its bytes, only that it is there and can be
// read to its end.
NetworkFile LoadNetworkFile(const std::filesystem::path& path);

// The template and laser pictures receive the working picture; `redraw` shows them.
void CopyWorkingToViews(const CuttingPictures& pictures, const std::function<void()>& redraw);

struct ProcessingParts {
  std::filesystem::path programDir;
  link::Prompts& prompts;
  CuttingPictures pictures;
  OperationDisplay display;
  std::function<void()> redraw;          // RedrawPicture, after the views received the result
  std::filesystem::path resultDir = {};  // where neuro.bmp goes; empty: the program folder
};

// The chain: gray, contrast five times, thinning until a pass changes nothing, specks, black
// and white, smoothing; then the views and neuro.bmp. A missing, empty or unreadable network
// file is named in a message and nothing changes; a neuro.bmp that cannot be written is named
// too (the views keep the result). True when the chain ran.
bool ProcessPicture(const ProcessingParts& parts);

}  // namespace vexa::cutting
