#include "cli/ConsoleDesktop.h"

#include <filesystem>
#include <utility>

#include "transfer/BulkReceive.h"
#include "transfer/SendElement.h"

namespace morvanta::cli {

std::u16string hideSecret(std::u16string text, const std::u16string& secret) {
  if (secret.empty()) return text;
  for (auto at = text.find(secret); at != std::u16string::npos; at = text.find(secret, at + 4)) {
    text.replace(at, secret.size(), u"****");
  }
  return text;
}

ConsoleDesktop::ConsoleDesktop(std::ostream& err, JobLauncher launcher)
    : err_(err), launcher_(std::move(launcher)) {}

void ConsoleDesktop::beginStep() {
  messages_.clear();
  jobsRun_ = 0;
  lastJob_.reset();
  jobsByBatch_.clear();
  cancelled_.clear();
}

std::optional<jobs::JobStatus> ConsoleDesktop::lastJobOf(const std::u16string& batchName) const {
  for (auto job = jobsByBatch_.rbegin(); job != jobsByBatch_.rend(); ++job) {
    if (job->first == batchName) return job->second;
  }
  return std::nullopt;
}

void ConsoleDesktop::tell(const std::u16string& text) {
  err_ << "morvanta-cli: " << platform::toUtf8(hideSecret(text, secret_)) << std::endl;
}

std::optional<forms::PasswordReply> ConsoleDesktop::askPassword(
    const forms::PasswordRequest& request) {
  const std::u16string password = platform::environment(kPasswordVariable);
  if (password.empty()) {
    tell(u"FTP-PASSWORD-KEYRING=YES: the command line does not read the keyring; set " +
         std::u16string(kPasswordVariable) + u" to the password of " + request.user + u" on " +
         request.host);
    return std::nullopt;
  }
  secret_ = password;
  return forms::PasswordReply{password, false};
}

void ConsoleDesktop::msgBox(const std::u16string& text) {
  messages_.push_back(text);
  tell(text);
}

bool ConsoleDesktop::okCancel(const std::u16string& text, const std::u16string& title) {
  // "put" on the command line is the user's OK to the send it confirms.
  if (title == transfer::kSendConfirmTitle) return true;
  messages_.push_back(text);
  tell(title + u" " + text + (force_ ? u" -> OK (--force)" : u" -> Cancel"));
  if (!force_) cancelled_.push_back(title);
  return force_;
}

forms::Answer ConsoleDesktop::yesNoCancel(const std::u16string& text) {
  // "bulk" is the user's Yes to running its job; a question the command
  // line was not asked about runs nothing.
  if (text == transfer::kRunBatchQuestion) return forms::Answer::Yes;
  messages_.push_back(text);
  tell(text + u" -> Cancel");
  return forms::Answer::Cancel;
}

forms::Answer ConsoleDesktop::yesNoCancelWithDetails(const std::u16string& text,
                                                     const forms::DetailsTable& details) {
  lastDetails_ = details;
  return yesNoCancel(text);
}

void ConsoleDesktop::startProcess(const std::u16string& commandLine) {
  tell(u"not started (the command line opens no program): " + commandLine);
}

void ConsoleDesktop::startBatch(const std::u16string& batchPath) {
  ++jobsRun_;
  lastJob_ = launcher_(batchPath);
  jobsByBatch_.emplace_back(std::filesystem::path(batchPath).filename().u16string(), *lastJob_);
}

platform::DateTime ConsoleDesktop::now() {
  return platform::now();
}

}  // namespace morvanta::cli
