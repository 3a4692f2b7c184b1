#include "support/sim_process.h"

#include <sstream>
#include <stdexcept>

namespace vexa::test {

SimProcess::SimProcess(const QStringList& arguments) {
  QStringList all = arguments;
  all << "--log" << QString::fromStdString((folder_ / "commands.log").string()) << "--quiet"
      << "--exit-with-stdin";
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start(VEXA_SIM_PATH, all);
  if (!process_.waitForStarted(10000)) throw std::runtime_error("vexa-sim did not start");
  while (!process_.canReadLine()) {
    if (!process_.waitForReadyRead(10000)) throw std::runtime_error("vexa-sim printed no port");
  }
  portPath_ = process_.readLine().trimmed().toStdString();
}

SimProcess::~SimProcess() { end(); }

void SimProcess::end() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(5000)) process_.kill();
  process_.waitForFinished(5000);
}

std::vector<std::string> SimProcess::receivedCommands() const {
  std::istringstream lines(folder_.read("commands.log"));
  std::vector<std::string> commands;
  for (std::string line; std::getline(lines, line);) commands.push_back(line);
  return commands;
}

bool SimProcess::waitForExit() {
  return process_.state() == QProcess::NotRunning || process_.waitForFinished(10000);
}

}  // namespace vexa::test
