// Parsed with Subfields, Document Type and Author options.
#include "dialogs/simple_option_pages.h"

#include "config/field.h"

namespace recaster::dialogs {

void SubfieldsPage::LoadFromField() {
    precededBy_ = field().subfieldPrecededBy;
    followedBy_ = field().subfieldFollowedBy;
}

void SubfieldsPage::SaveToField() {
    field().subfieldPrecededBy = precededBy_;
    field().subfieldFollowedBy = followedBy_;
}

void SubfieldsPage::Exchange(bool save) {
    if (save) {
        precededBy_ = Ctl(kPrecededBy).text();
        followedBy_ = Ctl(kFollowedBy).text();
    } else {
        Ctl(kPrecededBy).SetText(precededBy_);
        Ctl(kFollowedBy).SetText(followedBy_);
    }
}

void DocumentTypePage::Initialize() {
    separator_ = field().separator;
    FieldOptionPage::Initialize();
}

void DocumentTypePage::SaveToField() {
    if (field().type == config::kFieldDocumentType) field().separator = separator_;
}

void DocumentTypePage::Exchange(bool save) {
    if (save) {
        separator_ = Ctl(kSeparator).text();
    } else {
        Ctl(kSeparator).SetText(separator_);
    }
}

void AuthorPage::LoadFromField() {
    corporate_ = field().corporateAuthor;
}

void AuthorPage::SaveToField() {
    field().corporateAuthor = corporate_;
}

void AuthorPage::Exchange(bool save) {
    if (save) {
        corporate_ = Ctl(kCorporate).checked() == 1;
    } else {
        Ctl(kCorporate).SetChecked(corporate_ ? 1 : 0);
    }
}

}  // namespace recaster::dialogs
