#pragma once
// Errors of the contacts service: the domain, the codes it reports and the user-information
// key naming the records a failed save request was about.

namespace ov {

inline constexpr const char* CNErrorDomain = "CNErrorDomain";
// An array of the identifiers of the contacts the failure concerns.
inline constexpr const char* CNErrorUserInfoAffectedRecordIdentifiersKey =
    "CNAffectedRecordIdentifiers";

enum CNErrorCode : long {
    // The database cannot be opened, read or written (damaged, read-only, disk full).
    CNErrorCodeDataAccessError = 2,
    // An update or delete names a contact (or an add a container) that is not in the store.
    CNErrorCodeRecordDoesNotExist = 200,
    CNErrorCodeInsertedRecordAlreadyExists = 201,
    // A contact without identifier reached the store.
    CNErrorCodeRecordIdentifierInvalid = 205,
    CNErrorCodeVCardMalformed = 700,
};

}  // namespace ov
