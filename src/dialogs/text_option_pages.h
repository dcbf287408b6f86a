// The options pages of the two text field types: Normal Text (135: what
// becomes of carriage returns, find and replace) and Multi Text (321: the
// component separator, find and replace). Both edit the field's find and
// replace members.
#pragma once

#include <string>

#include "dialogs/field_option_page.h"

namespace recaster::dialogs {

class NormalTextPage : public FieldOptionPage {
  public:
    enum : int {
        kTemplateId = 135,
        kReplaceSpace = 251,
        kReplaceNewLine = 257,
        kReplaceChar = 252,
        kReplaceCharEdit = 253,
        kRepresentNormal = 254,
        kRepresentChar = 255,
        kRepresentCharEdit = 256,
        kReplaceMatching = 1009,
        kFind = 1010,
        kReplace = 1012,
    };

    NormalTextPage(config::CCfgField& field, FieldPageHost& host)
        : FieldOptionPage(kTemplateId, field, host) {}

    void SaveToField() override;
    void LoadFromField() override;
    void Exchange(bool save) override;
    bool OnCommand(ui::Control& control, ui::Notification notification) override;
    void EnableFindReplace(bool on) override;

  protected:
    void UpdateEnabling() override;

  private:
    // CR options: replacement 0 space, 1 new line, 2 the character text;
    // representation 0 carriage return, 1 the character text.
    int replacement_ = 0;
    int representation_ = 0;
    std::string replacementChar_;
    std::string representationChar_;
    uint32_t replaceMatching_ = 0;
    std::string find_;
    std::string replace_;
};

class MultiTextPage : public FieldOptionPage {
  public:
    enum : int {
        kTemplateId = 321,
        kSeparator = 241,
        kReplaceMatching = 1013,
        kFind = 1014,
        kReplace = 1015,
    };

    MultiTextPage(config::CCfgField& field, FieldPageHost& host)
        : FieldOptionPage(kTemplateId, field, host) {}

    // Takes the separator from the field once; it is then the page's own.
    void Initialize() override;
    // The separator goes into the field only while the field is a Multi
    // Text field; the find and replace options always.
    void SaveToField() override;
    void LoadFromField() override;
    void Exchange(bool save) override;
    bool OnCommand(ui::Control& control, ui::Notification notification) override;
    void EnableFindReplace(bool on) override;

  protected:
    void UpdateEnabling() override;

  private:
    std::string separator_;
    uint32_t replaceMatching_ = 0;
    std::string find_;
    std::string replace_;
};

}  // namespace recaster::dialogs
