#include "support/cli_run.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QProcessEnvironment>

namespace vexa::test {

namespace {

void start(QProcess& cli, const std::vector<std::string>& arguments) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove("VEXA_PROGRAM_DIR");
  environment.remove("DISPLAY");  // it must not need one
  environment.remove("QT_QPA_PLATFORM");
  cli.setProcessEnvironment(environment);
  QStringList qtArguments;
  for (const std::string& argument : arguments) qtArguments << QString::fromStdString(argument);
  cli.start(VEXA_CLI_PATH, qtArguments);
}

CliRun finish(QProcess& cli) {
  CliRun run;
  if (!cli.waitForStarted(10000) || !cli.waitForFinished(120000)) {
    cli.kill();
    cli.waitForFinished();
    ADD_FAILURE() << "vexa-cli did not finish";
    return run;
  }
  run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
  run.out = cli.readAllStandardOutput().toStdString();
  run.errors = cli.readAllStandardError().toStdString();
  return run;
}

}  // namespace

CliRun runCli(const std::vector<std::string>& arguments) {
  QProcess cli;
  start(cli, arguments);
  return finish(cli);
}

RunningCli::RunningCli(const std::vector<std::string>& arguments) {
  start(process_, arguments);
  if (!process_.waitForStarted(10000)) ADD_FAILURE() << "vexa-cli did not start";
}

void RunningCli::interrupt() {
  ::kill(static_cast<pid_t>(process_.processId()), SIGINT);
}

CliRun RunningCli::waitForEnd() {
  return finish(process_);
}

RunningCli::~RunningCli() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.kill();
  process_.waitForFinished(10000);
}

}  // namespace vexa::test
