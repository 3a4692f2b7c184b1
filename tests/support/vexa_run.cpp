#include "support/vexa_run.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace vexa::test {

VexaRun runVexa(const TempFolder& programDir, const std::string& script) {
  programDir.write("script.txt", script);
  QProcess vexa;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("VEXA_PROGRAM_DIR", QString::fromStdString(programDir.path().string()));
  environment.insert("VEXA_AUTOMATION",
                     QString::fromStdString((programDir / "script.txt").string()));
  environment.insert("VEXA_UPDATE_SERVER", "off");  // no network in tests
  vexa.setProcessEnvironment(environment);
  vexa.start(VEXA_EXE_PATH, {});
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

}  // namespace vexa::test
