#pragma once
// A batch of changes to the address book (the platform's CNSaveRequest): adds, updates and
// deletes, run by CNContactStore::executeSaveRequest in the order given, as one transaction.
// The request keeps a copy of each contact as it was when the change was added.

#include <optional>
#include <vector>

#include "orvane/platform/contacts/CNContact.h"

namespace ov {

class CNSaveRequest {
  public:
    enum class Kind { Add, Update, Delete };
    struct Change {
        Kind kind;
        CNMutableContact contact;
        // Add only: none for the default container.
        std::optional<String> container;
    };

    void addContact(const CNMutableContact& contact,
                    const std::optional<String>& toContainerWithIdentifier) {
        m_changes.push_back({Kind::Add, contact, toContainerWithIdentifier});
    }
    void updateContact(const CNMutableContact& contact) {
        m_changes.push_back({Kind::Update, contact, std::nullopt});
    }
    void deleteContact(const CNMutableContact& contact) {
        m_changes.push_back({Kind::Delete, contact, std::nullopt});
    }

    const std::vector<Change>& changes() const { return m_changes; }

  private:
    std::vector<Change> m_changes;
};

}  // namespace ov
