// How a report learns of progress and of Stop, from whoever runs it: the
// desktop program's progress dialog, the command line (which never stops).
#pragma once

namespace recaster::report {

class ReportProgress {
  public:
    virtual ~ReportProgress() = default;
    // Called before each step (0 to 6) with its number; false stops the
    // report before that step.
    virtual bool Continue(int step) = 0;
};

// Never stops.
class RunToEnd : public ReportProgress {
  public:
    bool Continue(int) override { return true; }
};

}  // namespace recaster::report
