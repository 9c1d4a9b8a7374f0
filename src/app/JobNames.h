#pragma once
// The job pairs the system writes into FTPWK, batch file and FTP script.
// Every script holds the password, so the writers take their names from
// here and the start-up clean-up erases every script listed here.

namespace morvanta::app {

struct JobPairNames {
  const char16_t* batch;
  const char16_t* script;
};

inline constexpr JobPairNames kTocJob{u"TOC.BAT", u"TOC.TXT"};
inline constexpr JobPairNames kReceiveJob{u"RECV.BAT", u"RECV.TXT"};
inline constexpr JobPairNames kSendJob{u"SEND.BAT", u"SEND.TXT"};
inline constexpr JobPairNames kBulkJob{u"RECVAUTO.BAT", u"RECVAUTO.TXT"};
inline constexpr JobPairNames kCheckJob{u"CHECK.BAT", u"CHECK.TXT"};
inline constexpr JobPairNames kSentJob{u"SENT.BAT", u"SENT.TXT"};
inline constexpr JobPairNames kRestoreJob{u"RESTORE.BAT", u"RESTORE.TXT"};

inline constexpr JobPairNames kJobPairs[] = {kTocJob,   kReceiveJob, kSendJob,   kBulkJob,
                                             kCheckJob, kSentJob,    kRestoreJob};

}  // namespace morvanta::app
