// What a view needs from the document that owns it: the loaded
// configuration, the modified flag and the title. The configuration document
// implements it; tests use a small fake, so views build without the shell.
#pragma once

#include <string>

namespace recaster::config {
class CCfgFile;
}

namespace recaster::views {

class ViewDocument {
  public:
    virtual ~ViewDocument() = default;

    // The open configuration; valid for as long as the document is open.
    virtual config::CCfgFile& Root() = 0;
    // Views call this after every change they make to the configuration.
    virtual void SetModifiedFlag(bool modified = true) = 0;
    virtual bool IsModified() const = 0;
    // The title shown on the document's windows: the file name, in the file
    // system's bytes (UTF-8), not configuration text.
    virtual std::string Title() const = 0;
    // A document opened for reading only: its windows show and copy but do
    // not change it.
    virtual bool IsReadOnly() const { return false; }
};

}  // namespace recaster::views
