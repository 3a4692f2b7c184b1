#include "support/vexa_run.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace vexa::test {

namespace {

void startVexa(QProcess& vexa, const TempFolder& programDir, const std::string& script) {
  programDir.write("script.txt", script);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("VEXA_PROGRAM_DIR", QString::fromStdString(programDir.path().string()));
  environment.insert("VEXA_AUTOMATION",
                     QString::fromStdString((programDir / "script.txt").string()));
  environment.insert("VEXA_UPDATE_SERVER", "off");  // no network in tests
  vexa.setProcessEnvironment(environment);
  vexa.start(VEXA_EXE_PATH, {});
}

VexaRun finish(QProcess& vexa) {
  VexaRun run;
  if (!vexa.waitForStarted(10000) || !vexa.waitForFinished(120000)) {
    vexa.kill();
    vexa.waitForFinished();
    ADD_FAILURE() << "vexa did not finish";
    return run;
  }
  run.exitCode = vexa.exitStatus() == QProcess::NormalExit ? vexa.exitCode() : -1;
  run.transcript = vexa.readAllStandardOutput().toStdString();
  run.errors = vexa.readAllStandardError().toStdString();
  return run;
}

}  // namespace

VexaRun runVexa(const TempFolder& programDir, const std::string& script) {
  QProcess vexa;
  startVexa(vexa, programDir, script);
  return finish(vexa);
}

RunningVexa::RunningVexa(const TempFolder& programDir, const std::string& script,
                         bool keepOutput) {
  // Kept output is small (a line per message box); otherwise nobody reads it meanwhile.
  if (!keepOutput) process_.setProcessChannelMode(QProcess::ForwardedChannels);
  startVexa(process_, programDir, script);
  if (!process_.waitForStarted(10000)) ADD_FAILURE() << "vexa did not start";
}

VexaRun RunningVexa::waitForEnd() {
  return finish(process_);
}

RunningVexa::~RunningVexa() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(10000)) process_.kill();
  process_.waitForFinished(10000);
}

}  // namespace vexa::test
