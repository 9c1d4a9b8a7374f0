#include "app/JobOutcome.h"

#include <string>

#include "app/LoginPassword.h"
#include "app/MainForm.h"

namespace morvanta::app {

namespace {

std::u16string number(std::int64_t value) {
  return platform::fromUtf8(std::to_string(value));
}

std::u16string inParentheses(const std::u16string& text) {
  return u" (" + text + u")";
}

std::u16string bulkNotice(const jobs::Job& job) {
  // The runner's steps count what arrived; its total is what the job's
  // scripts fetch. Before the first step only the command's count is known.
  const int asked = job.status.total > 0 ? job.status.total : job.elementCount;
  const std::u16string received = number(job.status.done) + u"/" + number(asked) + u"件受信";
  switch (job.state) {
    case jobs::JobState::Succeeded: {
      const int got = job.status.total > 0 ? job.status.done : asked;
      return kBulkDoneMessage + job.subject + inParentheses(number(got) + u"件");
    }
    case jobs::JobState::Cancelled:
      return kBulkCancelledMessage + job.subject + inParentheses(received);
    default:
      // The runner stops at the first element that fails, and its reason
      // names it.
      return kBulkFailedMessage + job.subject + inParentheses(received + u"; " + job.reason);
  }
}

// Every element the job fetches arrived, by the runner's steps; what failed
// came after the transfer.
bool arrived(const jobs::Job& job) {
  return job.status.total > 0 && job.status.done >= job.status.total;
}

}  // namespace

std::u16string jobEndNotice(const jobs::Job& job) {
  using jobs::JobKind;
  using jobs::JobState;
  if (job.kind == JobKind::Bulk &&
      (job.state == JobState::Succeeded || job.state == JobState::Failed ||
       job.state == JobState::Cancelled)) {
    return bulkNotice(job);
  }
  if (job.state != JobState::Failed) return u"";
  switch (job.kind) {
    case JobKind::Receive:
    case JobKind::TypedReceive:
      return (arrived(job) ? kReceivedFollowUpFailedMessage : kReceiveFailedMessage) + job.subject +
             inParentheses(job.reason);
    case JobKind::Send:
      return kSendFailedMessage + job.subject + inParentheses(job.reason);
    default:
      return u"";
  }
}

void tellJobEnd(MainForm& form, const jobs::Job& job) {
  const std::u16string notice = jobEndNotice(job);
  if (!notice.empty()) form.desktop.notify(notice);
}

void followJobs(MainForm& form) {
  for (const int id : form.jobs.poll()) {
    const jobs::Job* found = form.jobs.find(id);
    if (found == nullptr) continue;
    // A copy: the action may start jobs, and the queue may forget old ones.
    const jobs::Job job = *found;
    forgetRefusedPasswords(form, job);
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
