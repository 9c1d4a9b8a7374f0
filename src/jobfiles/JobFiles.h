#pragma once
// The job pairs: an FTP script and a batch file whose first (or second) line
// runs the FTP client on it, both in the work folder FTPWK. Each writer
//   1. checks every value it will write (JobValueCheck.h) and that every line
//      can be written in CP932, then that every local path lies one level
//      inside its folder (FTPRCV, a receive folder, FTPWK, the bulk row's
//      folder); when one does not, tells the user and returns false with no
//      job file changed;
//   2. sets pub.batchFileName / pub.ftpScriptName to the pair's names;
//   3. writes the script (readable by the user only: it holds the password),
//      then the batch file (CP932, CR LF); a file-system failure is told to
//      the user and returns false.
// Writers never start anything: the owning command calls startJob() when it
// wants the batch file run (after its own questions, if any).
//
// Values named "folder" or "path" carry no trailing separator; the writers
// join with platform::joinPath. Conversion lines are written only when
// pub.sjisConverterPath and the converter program name are both non-empty.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/Module_pub.h"
#include "jobs/Job.h"
#include "u2200/Class2200.h"

namespace morvanta {
class MainForm;
}
namespace morvanta::app {
struct JobValue;
struct JobPath;
}  // namespace morvanta::app

namespace morvanta::jobfiles {

// Told when a job file cannot be written; followed by the system's reason.
inline constexpr char16_t kJobWriteFailedMessage[] = u"ジョブファイルを作成できません: ";

// The lines of one job pair, before they are written.
struct JobPair {
  std::vector<std::u16string> batch;
  std::vector<std::u16string> script;
};

// --- The four jobs ---------------------------------------------------------

// TOC.BAT / TOC.TXT: lists `file` (qual*file) into {work}\{pane}TOC-RSLT.TXT
// with "mdir " when mdirMode is not 0, else "mls ". After writing, an old
// result file of the pane is deleted (the poll waits for it to reappear).
struct TocJob {
  int pane = 0;            // 0..2
  std::u16string address;  // host address
  std::u16string file;     // qual*file, trimmed
  std::int16_t mdirMode = 1;
};

// RECV.BAT / RECV.TXT: fetches `remoteName` into {receiveFolder}\{pcElement},
// converts it when configured and starts pub.textEditor on it (unless
// pub.receiveOpensEditor is off). The caller
// creates receiveFolder itself (after writing, before starting).
struct ReceiveJob {
  std::u16string address;
  std::u16string remoteName;     // qual*file.elt, e.g. PRJ*SRC.MAIN/R1
  std::u16string receiveFolder;  // FOLDER_NAME("RCV", pc name of the file)
  std::u16string pcElement;      // e.g. MAIN／R1.txt
};

// SEND.BAT / SEND.TXT: converts {receiveFolder}\{pcElement} into the upload
// file {receiveFolder}\{uploadName} when configured, then sends the upload
// file as `remoteName`.
struct SendJob {
  std::u16string address;
  std::u16string receiveFolder;
  std::u16string pcElement;   // e.g. MAIN／R1.txt
  std::u16string uploadName;  // FTP element name, e.g. MAIN.R1_SYM
  std::u16string remoteName;  // target file + "." + display element, e.g. PRJ*SRC.MAIN/R1
};

// RECVAUTO.BAT / RECVAUTO.TXT: fetches every element of `names` (the "TXT."
// form, e.g. MAIN.R1) of `file` into row.pcFolder, converts each when
// configured and hands each to pub.cobPlusEditPath unless row.outf is "NONE".
// The caller writes it only when names is not empty.
struct BulkJob {
  std::u16string address;
  std::u16string file;  // qual*file
  std::vector<std::u16string> names;
  BulkRow row;  // pcFolder, outf and project are used
};

bool writeTocJob(MainForm& form, const TocJob& job);
bool writeReceiveJob(MainForm& form, const ReceiveJob& job);
bool writeSendJob(MainForm& form, const SendJob& job);
bool writeBulkJob(MainForm& form, const BulkJob& job);

// What the job list shows of a job and where its output goes.
struct JobLabel {
  JobLabel(jobs::JobKind kind, int pane, std::u16string subject, int elementCount = 0,
           std::vector<std::u16string> outputFolders = {})
      : kind(kind),
        pane(pane),
        subject(std::move(subject)),
        elementCount(elementCount),
        outputFolders(std::move(outputFolders)) {}
  jobs::JobKind kind;
  int pane;                // -1: no pane
  std::u16string subject;  // e.g. PRJ*SRC or PRJ*SRC.MAIN/R1
  int elementCount;
  std::vector<std::u16string> outputFolders;  // cleared of partial files on cancel
  std::vector<std::u16string> outputFiles;    // the same, one file each
  // Run once when the job has ended, in place of the usual notice.
  std::function<void(MainForm&, const jobs::Job&)> onEnd = {};
};

// Hands {work}\pub.batchFileName (and any pair the writer had to hold
// back) to the form's job queue, which starts it now or when the job
// holding its names ends. Returns the job's id. A job that cannot start is
// told to the user at once.
int startJob(MainForm& form, const JobLabel& label);

// --- The system's own further jobs -----------------------------------------

// Writes a pair that no fixed layout governs (the send check and its
// follow-ups) exactly as the writers above do: values and every local path
// the pair names checked, names set in pub, held back while an unfinished
// job holds the names.
bool writeOwnJobPair(MainForm& form, const std::vector<app::JobValue>& values,
                     const std::vector<app::JobPath>& paths, const std::u16string& batchName,
                     const std::u16string& scriptName, const JobPair& pair);
// "open ADDR", the user and the password: how every script begins.
std::vector<std::u16string> scriptHeaderLines(const Module_pub& pub, const std::u16string& address);
// "ftp -s:" + {work}\script.
std::u16string ftpRunLine(const std::u16string& work, const std::u16string& script);

// --- Building blocks (no files touched) -----------------------------------

// The lines of each pair for the work folder `work`; values are not checked.
JobPair tocJobLines(const Module_pub& pub, const std::u16string& work, const TocJob& job);
JobPair receiveJobLines(const Module_pub& pub, const std::u16string& work, const ReceiveJob& job);
JobPair sendJobLines(const Module_pub& pub, const std::u16string& work, const SendJob& job);
JobPair bulkJobLines(const Module_pub& pub, const Class2200& cls2200, const std::u16string& work,
                     const BulkJob& job);

// The "SEND " line of SEND.TXT, which the send command also shows in its
// confirmation.
std::u16string sendScriptLine(const SendJob& job);

// The TOC result file name of a pane, e.g. "1TOC-RSLT.TXT".
std::u16string tocResultName(int pane);

}  // namespace morvanta::jobfiles
