// ConversionHost: what the conversion of a version-2 file asks of whoever
// runs it. The desktop program answers with message boxes, dialog 140, the
// save dialog and the progress dialog; recaster-cfg convert answers from its
// arguments. Both run the same conversion (conversion.h).
//
// The calls come in this order, each at most once unless said otherwise:
//   ConfirmConversion, ConfirmUserWorkforms (only when the file uses a
//   workform identifier of 20 or more), ChooseWorkform (once per user-defined
//   workform in use, U to Z in order), NewFileName (again after each
//   RefuseNewFileName), BeginCopy, Continue after every database (with
//   ConfirmStop after a Continue that returned false), EndCopy.
// A false or empty answer ends the conversion, nothing written.
#pragma once

#include <optional>
#include <string>

#include "workforms/workform_ids.h"

namespace recaster::convert {

class ConversionHost {
  public:
    virtual ~ConversionHost() = default;

    // "Convert this configuration file ...?"
    virtual bool ConfirmConversion() = 0;
    // The file refers to user-defined workforms, which must have been
    // converted (in the reference manager) before the file is.
    virtual bool ConfirmUserWorkforms() = 0;
    // The workform that replaces user-defined workform `oldId` (20..25, the
    // letters U to Z). `suggested` is the one to offer first (see
    // SuggestedReplacement); nothing cancels.
    virtual std::optional<workforms::WorkformId> ChooseWorkform(
        workforms::WorkformId oldId, workforms::WorkformId suggested) = 0;
    // The new file's path; nothing cancels.
    virtual std::optional<std::string> NewFileName() = 0;
    // `path` is the file being converted, which cannot be replaced while it
    // is read; NewFileName is asked again afterwards.
    virtual void RefuseNewFileName(const std::string& path) = 0;

    // The copy of `databases` databases begins; the new file is being made.
    virtual void BeginCopy(int databases) = 0;
    // `done` databases are copied. False when the user asked to stop.
    virtual bool Continue(int done) = 0;
    // After a stop request: true ends the conversion (nothing is kept),
    // false goes on.
    virtual bool ConfirmStop() = 0;
    // The copy is over, completed or not (also when it failed). Must not
    // throw.
    virtual void EndCopy() noexcept = 0;
};

}  // namespace recaster::convert
