#include "cli/Session.h"

#include "app/Config.h"
#include "cli/JobRun.h"
#include "platform/Platform.h"

namespace morvanta::cli {

namespace {

// Told when the configuration is still the template the first start wrote;
// its path follows.
constexpr char16_t kTemplateConfigMessage[] =
    u"設定ファイルがひな形のままです。HOST、FTP-USERID、FTP-PASSWORD "
    u"を書き換えてから実行してください: ";

// The template's sample hosts are placeholders: trying them only waits for
// a connection that cannot come.
bool stillTheTemplate(const std::u16string& iniPath) {
  std::vector<std::u16string> lines;
  try {
    lines = platform::readSettingsLines(iniPath).lines;
  } catch (const platform::FileError&) {
    return false;
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines == app::configTemplate();
}

// One line on a terminal, rewritten in place: "[2/5] PRJ*SRC.MAIN/R1".
void reportProgress(std::ostream& err, const jobs::JobStatus& sofar) {
  if (!sofar.started || sofar.ended) return;
  std::string line = "\r";
  if (sofar.total > 0) {
    line += "[" + std::to_string(sofar.done) + "/" + std::to_string(sofar.total) + "] ";
  }
  line += sofar.element.empty() ? "working..." : platform::toUtf8(sofar.element);
  err << line << "\x1b[K" << std::flush;
}

JobLauncher launcherFor(std::ostream& err, bool showProgress,
                        const runner::RunnerOptions& settings) {
  if (!showProgress) {
    return [settings](const std::u16string& batch) { return runJob(batch, settings); };
  }
  return [&err, settings](const std::u16string& batch) {
    jobs::JobStatus status = runJob(
        batch, settings, [&err](const jobs::JobStatus& sofar) { reportProgress(err, sofar); });
    err << "\r\x1b[K" << std::flush;
    return status;
  };
}

}  // namespace

Session::Session(const std::u16string& programFolder, std::ostream& out, std::ostream& err,
                 bool showProgress, const runner::RunnerOptions& runnerSettings)
    : out_(out), desktop_(err, launcherFor(err, showProgress, runnerSettings)) {
  form_ = std::make_unique<MainForm>(factory_, desktop_, programFolder);
}

bool Session::load() {
  try {
    form_->Form_Load();
  } catch (const forms::ProgramEnded&) {
    return false;
  }
  if (stillTheTemplate(form_->pub.iniPath)) {
    desktop_.tell(kTemplateConfigMessage + form_->pub.iniPath);
    return false;
  }
  desktop_.setSecret(form_->pub.ftpPassword);
  // What arrives is handed to the caller; the command line opens nothing.
  form_->pub.receiveOpensEditor = false;
  return true;
}

std::u16string Session::hostName(const CliOptions& options) const {
  if (options.host) return *options.host;
  if (form_->pub.hostCount > 0) return form_->pub.hostNames[0];
  return {};
}

int Session::jobOutcome() {
  if (desktop_.jobsRun() == 0 || !desktop_.lastJob()) return kExitRefused;
  return outcomeOf(*desktop_.lastJob(), form_->pub.batchFileName);
}

int Session::jobOutcome(const std::u16string& batchName) {
  const std::optional<jobs::JobStatus> job = desktop_.lastJobOf(batchName);
  return job ? outcomeOf(*job, batchName) : kExitRefused;
}

int Session::outcomeOf(const jobs::JobStatus& job, const std::u16string& batchName) {
  const std::u16string log =
      platform::joinPath(form_->FOLDER_NAME(u"WK", u""), batchName + u".log");
  if (!job.ended) {
    desktop_.tell(u"the job ended without saying how; see " + log);
    return kExitFailed;
  }
  if (job.exitCode != 0) {
    desktop_.tell(job.reason + u" (" + log + u")");
    return kExitFailed;
  }
  return kExitDone;
}

}  // namespace morvanta::cli
