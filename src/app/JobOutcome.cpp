#include "app/JobOutcome.h"

#include <string>

#include "app/MainForm.h"
#include "catalogue/TocRequest.h"

namespace morvanta::app {

namespace {

std::u16string number(std::int64_t value) {
  return platform::fromUtf8(std::to_string(value));
}

std::u16string inParentheses(const std::u16string& text) {
  return u" (" + text + u")";
}

std::u16string bulkNotice(const jobs::Job& job) {
  const int asked = job.elementCount > 0 ? job.elementCount : job.status.total;
  if (job.state == jobs::JobState::Succeeded) {
    return kBulkDoneMessage + job.subject + inParentheses(number(asked) + u"件");
  }
  // How far it got, then where it stopped: the runner stops at the first
  // element that fails, and its reason names it.
  return kBulkFailedMessage + job.subject +
         inParentheses(number(job.status.done) + u"/" + number(asked) + u"件受信; " + job.reason);
}

}  // namespace

std::u16string jobEndNotice(const jobs::Job& job) {
  using jobs::JobKind;
  using jobs::JobState;
  if (job.kind == JobKind::Bulk &&
      (job.state == JobState::Succeeded || job.state == JobState::Failed)) {
    return bulkNotice(job);
  }
  if (job.state != JobState::Failed) return u"";
  switch (job.kind) {
    case JobKind::Receive:
    case JobKind::TypedReceive:
      return kReceiveFailedMessage + job.subject + inParentheses(job.reason);
    case JobKind::Send:
      return kSendFailedMessage + job.subject + inParentheses(job.reason);
    default:
      return u"";
  }
}

void tellJobEnd(MainForm& form, const jobs::Job& job) {
  if (job.kind == jobs::JobKind::Toc) {
    catalogue::tocJobEnded(form, job);
    return;
  }
  const std::u16string notice = jobEndNotice(job);
  if (!notice.empty()) form.desktop.notify(notice);
}

void followJobs(MainForm& form) {
  for (const int id : form.jobs.poll()) {
    const jobs::Job* found = form.jobs.find(id);
    if (found == nullptr) continue;
    // A copy: the action may start jobs, and the queue may forget old ones.
    const jobs::Job job = *found;
    const auto action = form.jobEndActions.find(id);
    if (action == form.jobEndActions.end()) {
      tellJobEnd(form, job);
      continue;
    }
    const MainForm::JobEndAction run = std::move(action->second);
    form.jobEndActions.erase(action);
    run(form, job);
  }
}

void cancelJob(MainForm& form, int id) {
  if (!form.jobs.cancel(id)) return;
  followJobs(form);
}

}  // namespace morvanta::app
