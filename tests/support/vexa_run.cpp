#include "support/vexa_run.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "picture/qt_path.h"

namespace vexa::test {

namespace {

void startVexa(QProcess& vexa, const TempFolder& scriptFolder, const std::string& script,
               const std::vector<std::string>& arguments, const QString& programDirVariable) {
  scriptFolder.write("script.txt", script);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.remove("VEXA_PROGRAM_DIR");
  if (!programDirVariable.isEmpty()) environment.insert("VEXA_PROGRAM_DIR", programDirVariable);
  environment.insert("VEXA_AUTOMATION", picture::ToQString(scriptFolder / "script.txt"));
  environment.insert("VEXA_UPDATE_SERVER", "off");  // no network in tests
  vexa.setProcessEnvironment(environment);
  QStringList qtArguments;
  for (const std::string& argument : arguments) qtArguments << QString::fromStdString(argument);
  vexa.start(VEXA_EXE_PATH, qtArguments);
}

void startVexa(QProcess& vexa, const TempFolder& programDir, const std::string& script) {
  startVexa(vexa, programDir, script, {}, picture::ToQString(programDir.path()));
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

VexaRun runVexa(const TempFolder& scriptFolder, const std::string& script,
                const std::vector<std::string>& arguments, const std::string& programDirVariable) {
  QProcess vexa;
  startVexa(vexa, scriptFolder, script, arguments, QString::fromStdString(programDirVariable));
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
