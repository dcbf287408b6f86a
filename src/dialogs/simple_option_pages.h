// The small options pages of Field Information: Parsed with Subfields (323:
// how subfield tags are marked), Document Type (324: the separator between
// document types) and Author (332: a corporate author).
#pragma once

#include <string>

#include "dialogs/field_option_page.h"

namespace recaster::dialogs {

class SubfieldsPage : public FieldOptionPage {
  public:
    enum : int { kTemplateId = 323, kPrecededBy = 271, kFollowedBy = 272 };

    SubfieldsPage(config::CCfgField& field, FieldPageHost& host)
        : FieldOptionPage(kTemplateId, field, host) {}

    void SaveToField() override;
    void LoadFromField() override;
    void Exchange(bool save) override;

  private:
    std::string precededBy_;
    std::string followedBy_;
};

class DocumentTypePage : public FieldOptionPage {
  public:
    enum : int { kTemplateId = 324, kSeparator = 231 };

    DocumentTypePage(config::CCfgField& field, FieldPageHost& host)
        : FieldOptionPage(kTemplateId, field, host) {}

    // Takes the separator from the field once; it is then the page's own.
    void Initialize() override;
    // The separator goes into the field only while the field is a Document
    // Type field.
    void SaveToField() override;
    void LoadFromField() override {}
    void Exchange(bool save) override;

  private:
    std::string separator_;
};

class AuthorPage : public FieldOptionPage {
  public:
    enum : int { kTemplateId = 332, kCorporate = 281 };

    AuthorPage(config::CCfgField& field, FieldPageHost& host)
        : FieldOptionPage(kTemplateId, field, host) {}

    void SaveToField() override;
    void LoadFromField() override;
    void Exchange(bool save) override;

  private:
    bool corporate_ = false;
};

}  // namespace recaster::dialogs
