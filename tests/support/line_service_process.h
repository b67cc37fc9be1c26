#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// The built line-service program running as a child, its standard output and error on pipes. (No
// <chrono> here: tests of the system's folders include this, and that header holds a literal their
// GBK texts cannot take.)
class LineServiceProcess {
 public:
  explicit LineServiceProcess(const std::vector<std::string>& arguments);
  ~LineServiceProcess();  // kills the program if it still runs
  LineServiceProcess(const LineServiceProcess&) = delete;
  LineServiceProcess& operator=(const LineServiceProcess&) = delete;

  bool started() const { return pid_ > 0; }
  // The port from the "listening" line, or -1 when none came in time.
  int WaitForListening();
  void Signal(int signal);
  // The exit status, or -1 when the program did not end in time or ended by a signal.
  int WaitForExit();
  // What the program has written to standard error so far.
  std::string ErrorOutput();

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  int err_ = -1;
  bool exited_ = false;
};
