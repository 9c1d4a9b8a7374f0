#include "catalogue/TocRequest.h"

#include "app/JobOutcome.h"
#include "app/MainForm.h"
#include "catalogue/TocListing.h"
#include "jobfiles/JobFiles.h"
#include "platform/Platform.h"
#include "text/TextRules.h"

namespace morvanta::catalogue {

namespace {

std::u16string resultPath(MainForm& form, int i) {
  return platform::joinPath(form.FOLDER_NAME(u"WK", u""), jobfiles::tocResultName(i));
}

// While its job runs the pane's TOC button cancels it; once the job is
// over and only the wait for the listing is left, the button is greyed.
void showTocButton(MainForm& form, int i, bool jobRunning, bool pending) {
  forms::CommandButton& button = *form.Command_toc[pane(i)];
  button.setCaption(jobRunning ? kCancelTocCaption : kTocCaption);
  button.setEnabled(jobRunning || !pending);
}

void setPending(MainForm& form, int i, bool pending) {
  form.Timer1[pane(i)]->setEnabled(pending);
  showTocButton(form, i, pending, pending);
  form.Command_SEL[pane(i)]->setEnabled(!pending);
}

}  // namespace

void requestToc(MainForm& form, int i) {
  if (const jobs::Job* running = form.jobs.unfinished(jobs::JobKind::Toc, i)) {
    return app::cancelJob(form, running->id);
  }
  forms::TextBox& fileBox = *form.Text_2200file[pane(i)];
  const std::u16string file = text::trimBlanks(fileBox.text());
  fileBox.setText(file);
  if (file.empty()) return form.desktop.msgBox(kNoFileMessage);
  if (file.find(u'*') == std::u16string::npos) return form.desktop.msgBox(kNoAsteriskMessage);
  // Only qual*file: an element name or a trailing period is refused.
  if (file.find(u'.') != std::u16string::npos) return form.desktop.msgBox(kPeriodMessage);
  const std::u16string address = form.get_host_address(form.Combo_host[pane(i)]->text());
  if (address.empty()) return form.desktop.msgBox(kNoHostMessage);

  form.List_elt[pane(i)]->clear();
  form.List_send[pane(i)]->clear();
  if (!jobfiles::writeTocJob(form, {i, address, file, form.mdirMode})) return;
  // The pane's lists are empty now; its phased TOC goes with them, so a
  // bulk receive never works from the listing of an earlier request.
  platform::deleteFile(platform::joinPath(form.FOLDER_NAME(u"WK", u""), phasedTocName(i)));

  // One counter for all panes: a request anywhere restarts every pending wait.
  form.pollTicks = 0;
  form.Timer1[pane(i)]->setInterval(kPollIntervalMs);
  setPending(form, i, true);
  jobfiles::JobLabel label{jobs::JobKind::Toc, i, file};
  // The listing is written beside the scripts, under a temporary name.
  label.outputFiles = {resultPath(form, i)};
  label.onEnd = tocJobEnded;
  jobfiles::startJob(form, label);
}

void pollToc(MainForm& form, int i) {
  form.desktop.pause50ms();
  // A job that tells its outcome ends the wait itself (tocJobEnded), however
  // long the listing takes; so does one still waiting for its turn.
  const jobs::Job* job = form.jobs.unfinished(jobs::JobKind::Toc, i);
  if (job != nullptr && (job->state == jobs::JobState::Queued || job->process.reportsStatus)) {
    return;
  }
  ++form.pollTicks;
  if (!platform::fileExists(resultPath(form, i)) && form.pollTicks < kPollTickLimit) return;
  setPending(form, i, false);
  load_toc_result(form, i, u"");
}

void tocJobEnded(MainForm& form, const jobs::Job& job) {
  const int i = job.pane;
  if (i < 0 || i >= MainForm::kPanes) return;
  // Not waiting any more (the tick limit passed, or a newer request of the
  // pane is on its way): this job's end changes nothing.
  if (!form.Timer1[pane(i)]->enabled()) return;
  if (form.jobs.unfinished(jobs::JobKind::Toc, i) != nullptr) return;
  switch (job.state) {
    case jobs::JobState::Succeeded:
      setPending(form, i, false);
      load_toc_result(form, i, u"");
      break;
    case jobs::JobState::Failed:
      setPending(form, i, false);
      form.desktop.msgBox(kNoTocMessage + (u" (" + job.reason + u")"));
      break;
    case jobs::JobState::Cancelled:
      setPending(form, i, false);
      break;
    case jobs::JobState::Finished:
      // Nothing says how it went: a listing that is there is taken now,
      // otherwise the ticks decide as they always have.
      if (platform::fileExists(resultPath(form, i))) {
        setPending(form, i, false);
        load_toc_result(form, i, u"");
      } else {
        showTocButton(form, i, false, true);
      }
      break;
    case jobs::JobState::Queued:
    case jobs::JobState::Running:
      break;
  }
}

std::int16_t load_toc_result(MainForm& form, int i, const std::u16string& filter) {
  const std::u16string folder = form.FOLDER_NAME(u"WK", u"");
  const std::u16string name = jobfiles::tocResultName(i);
  if (platform::fileExists(platform::joinPath(folder, name))) {
    try {
      parse_toc_listing(form, folder, name, i, filter);
      return 0;
    } catch (const platform::FileError&) {
      // Present but unreadable (still locked by the FTP client): the same
      // as no listing for the user.
    }
  }
  form.desktop.msgBox(kNoTocMessage);
  return 1;
}

}  // namespace morvanta::catalogue
