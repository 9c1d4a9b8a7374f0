#include "support/RecordingDesktop.h"

#include "forms/StartFailure.h"

namespace morvanta::forms {

void RecordingDesktop::msgBox(const std::u16string& text) {
  messages.push_back(text);
}

bool RecordingDesktop::okCancel(const std::u16string& text, const std::u16string& title) {
  messages.push_back(text);
  titles.push_back(title);
  if (onQuestion) onQuestion(text);
  if (okCancelAnswers.empty()) return false;
  bool answer = okCancelAnswers.front();
  okCancelAnswers.pop_front();
  return answer;
}

Answer RecordingDesktop::yesNoCancel(const std::u16string& text) {
  messages.push_back(text);
  if (yesNoCancelAnswers.empty()) return Answer::Cancel;
  Answer answer = yesNoCancelAnswers.front();
  yesNoCancelAnswers.pop_front();
  return answer;
}

Answer RecordingDesktop::yesNoCancelWithDetails(const std::u16string& text,
                                                const DetailsTable& table) {
  details.push_back(table);
  return yesNoCancel(text);
}

void RecordingDesktop::clipboardClear() {
  clipboard.clear();
  ++clipboardClears;
}

void RecordingDesktop::clipboardSetText(const std::u16string& text) {
  clipboard = text;
}

void RecordingDesktop::startProcess(const std::u16string& commandLine) {
  startedProcesses.push_back(commandLine);
  if (startForReal) startCommandLineOrTell(*this, commandLine);
}

void RecordingDesktop::startBatch(const std::u16string& batchPath) {
  startedBatches.push_back(batchPath);
  if (startForReal) startBatchOrTell(*this, batchPath);
}

platform::BatchProcess RecordingDesktop::startWatchedBatch(const std::u16string& batchPath) {
  startedBatches.push_back(batchPath);
  if (startForReal) return platform::startWatchedBatch(batchPath);
  platform::BatchProcess batch;
  if (holdBatches) {
    batch.pid = nextBatchId++;
    batch.reportsStatus = true;
    heldBatches.insert(batch.pid);
  } else if (playBatch) {
    playBatch(batchPath);
  }
  return batch;
}

bool RecordingDesktop::batchRunning(platform::BatchProcess& batch) {
  if (startForReal) return platform::batchRunning(batch);
  return heldBatches.count(batch.pid) != 0;
}

void RecordingDesktop::stopBatch(platform::BatchProcess& batch) {
  if (startForReal) return platform::stopBatch(batch);
  stoppedBatches.push_back(batch.pid);
  if (heldBatchesIgnoreStop) return;
  cancelledBatches.push_back(batch.pid);
  heldBatches.erase(batch.pid);
}

void RecordingDesktop::cancelBatch(platform::BatchProcess& batch) {
  if (startForReal) return platform::cancelBatch(batch);
  cancelledBatches.push_back(batch.pid);
  heldBatches.erase(batch.pid);
}

void RecordingDesktop::releaseBatch(platform::BatchProcess& batch) {
  if (startForReal) platform::releaseBatch(batch);
}

std::optional<std::u16string> RecordingDesktop::showSearchWindow(const std::u16string& current) {
  messages.push_back(u"[LC] " + current);
  if (searchAnswers.empty()) return std::nullopt;
  auto answer = searchAnswers.front();
  searchAnswers.pop_front();
  return answer;
}

}  // namespace morvanta::forms
