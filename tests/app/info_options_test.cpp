// --version and --help are answered instead of starting; every other command line starts Vexa.

#include "app/info_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "version.h"

namespace vexa::app {
namespace {

using Args = std::vector<std::string>;

TEST(InfoOptions, TheVersionOrTheUsageIsPrintedInsteadOfStarting) {
  const std::string version = std::string("vexa ") + VEXA_VERSION + "\n";
  struct Case {
    Args args;
    const char* expected;  // "version", "usage" or "" (start)
  };
  const std::vector<Case> cases = {
      {{"vexa", "--version"}, "version"},
      {{"vexa", "--demo", "--version"}, "version"},
      {{"vexa", "--help"}, "usage"},
      {{"vexa", "-h"}, "usage"},
      {{"vexa", "--help", "--version"}, "usage"},
      {{"vexa"}, ""},
      {{"vexa", "--demo"}, ""},
      {{"vexa", "--program-dir", "--version"}, ""},  // a folder named so
      {{"vexa", "--demo-log", "--help"}, ""},
      {{"--version"}, ""},  // the program's own name
  };
  for (const Case& c : cases) {
    const auto text = InfoOptionText(c.args);
    const std::string kind = !text ? "" : *text == version ? "version" : "usage";
    EXPECT_EQ(kind, c.expected) << testing::PrintToString(c.args);
  }
}

TEST(InfoOptions, TheUsageNamesEveryOptionAndVariable) {
  const std::string usage = InfoOptionText({"vexa", "--help"}).value();
  for (const char* name : {"--demo", "--demo-log", "--program-dir", "--version", "--help",
                           "VEXA_PROGRAM_DIR", "VEXA_AUTOMATION", "VEXA_UPDATE_SERVER"}) {
    EXPECT_NE(usage.find(name), std::string::npos) << name;
  }
}

}  // namespace
}  // namespace vexa::app
