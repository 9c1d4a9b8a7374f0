#include "jobs/Job.h"

namespace morvanta::jobs {

std::u16string kindLabel(JobKind kind) {
  switch (kind) {
    case JobKind::Toc:
      return u"TOC取得";
    case JobKind::Receive:
      return u"受信";
    case JobKind::TypedReceive:
      return u"指定受信";
    case JobKind::Send:
      return u"送信";
    case JobKind::Bulk:
      return u"一括受信";
    case JobKind::SendCheck:
      return u"送信前確認";
  }
  return u"";
}

std::u16string stateLabel(JobState state) {
  switch (state) {
    case JobState::Queued:
      return u"待機中";
    case JobState::Running:
      return u"実行中";
    case JobState::Succeeded:
      return u"完了";
    case JobState::Failed:
      return u"失敗";
    case JobState::Cancelled:
      return u"中止";
    case JobState::Finished:
      return u"終了";
  }
  return u"";
}

namespace {

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::int64_t secondsOf(const platform::DateTime& t) {
  return daysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day)) *
             86400 +
         t.hour * 3600 + t.minute * 60 + t.second;
}

}  // namespace

std::int64_t secondsBetween(const platform::DateTime& from, const platform::DateTime& to) {
  if (from.year == 0 || to.year == 0) return 0;
  const std::int64_t seconds = secondsOf(to) - secondsOf(from);
  return seconds > 0 ? seconds : 0;
}

}  // namespace morvanta::jobs
