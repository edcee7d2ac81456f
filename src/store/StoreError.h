#pragma once

#include <string>

namespace agendix::store {

// The kinds of failure a table operation reports. Callers test the kind; the code and text are
// what the user sees in a warning.
enum class ErrorKind {
    None,
    FileNotFound,
    FileLocked,
    AlreadyOpen,
    KeysNeedRebuilding,
    LayoutMismatch,
    InvalidDataFile,
    InvalidKeyFile,
    FileSystemError,
    RecordNotFound,
    NoMoreRecords,
    ChangedByAnotherStation,
    DuplicateKey,
    NotOpen,
    TransactionActive,
};

// The result of every table operation: nothing is thrown past the store.
struct StoreError {
    ErrorKind kind = ErrorKind::None;
    int code = 0;
    std::string text;
    // Filled for file-system errors: the operating system's error number and text.
    int fileSystemCode = 0;
    std::string fileSystemText;

    bool ok() const { return kind == ErrorKind::None; }
    bool is(ErrorKind k) const { return kind == k; }

    static StoreError none() { return {}; }
    // An error of the kind with its standard code and text; detail, when given, is added to the text.
    static StoreError of(ErrorKind kind, const std::string& detail = {});
    static StoreError fileSystem(int errorNumber, const std::string& detail = {});
};

// The standard code and text of an error kind, as shown to the user: "Record Not Found" (35).
int errorCode(ErrorKind kind);
const char* errorText(ErrorKind kind);

}  // namespace agendix::store
