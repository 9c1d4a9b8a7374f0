#pragma once
// Starts the simulated 2200 host (hostsim.py) for one test or benchmark on a
// fresh folder of its own, on a free loopback port, and ends it again in the
// destructor. The server also ends by itself when its lifetime is over or
// when the process that started it goes away.
//
// Program files live under root() as QUAL/FILE/ELT.VER_TYPE, e.g.
// root()/PRJ/SRC/MAIN.R1_SYM for element MAIN/R1 of PRJ*SRC.

#include <filesystem>
#include <string>

#include "platform/Platform.h"

namespace morvanta::test {

struct HostSimOptions {
  std::string user = "user";
  std::string password = "password";
  bool samples = true;                   // start with the sample program files
  double lifetimeSeconds = 120;          // the server ends by itself after this
  double authFailedDelaySeconds = 0.05;  // a refused login is answered after this
  // Every command and connection to the log; a benchmark's host that logs
  // less spends less of the run on its own bookkeeping.
  bool verbose = true;
  // Hostile hosts (see hostsim.py): SIZE answered in text mode; every RETR
  // cut after so many bytes with a 226; the connection dropped after so
  // many bytes; RETR data trickling one byte every so many seconds; every
  // LIST and NLST spread over so many seconds.
  bool asciiSize = false;
  long cutAfterBytes = -1;
  long dropAfterBytes = -1;
  double trickleSeconds = 0;
  double slowListingSeconds = 0;
};

class HostSim {
 public:
  explicit HostSim(const HostSimOptions& options = {});
  ~HostSim();
  HostSim(const HostSim&) = delete;
  HostSim& operator=(const HostSim&) = delete;

  int port() const { return port_; }
  const std::string& user() const { return options_.user; }
  const std::string& password() const { return options_.password; }
  const std::filesystem::path& root() const { return root_; }
  // A folder of the test's own beside the server's root, removed with it.
  const std::filesystem::path& scratch() const { return scratch_; }

  // qualFile "PRJ*SRC", ftpName "MAIN.R1_SYM".
  std::filesystem::path elementPath(const std::string& qualFile, const std::string& ftpName) const;
  void addProgramFile(const std::string& qualFile);
  void putElement(const std::string& qualFile, const std::string& ftpName,
                  const std::string& bytes);
  void setElementTime(const std::string& qualFile, const std::string& ftpName,
                      const platform::DateTime& when);
  std::string readElement(const std::string& qualFile, const std::string& ftpName) const;
  std::string log() const;

  // Ends the server now: the host has gone away.
  void stop();

  // The folder of hostsim.py and the sample program files.
  static std::filesystem::path folder();

 private:
  HostSimOptions options_;
  std::filesystem::path base_;
  std::filesystem::path root_;
  std::filesystem::path scratch_;
  int pid_ = -1;
  int input_ = -1;  // the server's standard input; closing it ends the server
  int port_ = 0;
};

}  // namespace morvanta::test
