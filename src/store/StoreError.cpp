#include "store/StoreError.h"

#include <cstring>

namespace agendix::store {
namespace {

struct KindInfo {
    ErrorKind kind;
    int code;
    const char* text;
};

constexpr KindInfo kKinds[] = {
    {ErrorKind::None, 0, ""},
    {ErrorKind::FileNotFound, 2, "File Not Found"},
    {ErrorKind::FileLocked, 32, "File Is Locked"},
    {ErrorKind::AlreadyOpen, 52, "File Already Open"},
    {ErrorKind::KeysNeedRebuilding, 46, "Keys Need Rebuilding"},
    {ErrorKind::LayoutMismatch, 47, "Record Layout Does Not Match"},
    {ErrorKind::InvalidDataFile, 36, "Invalid Data File"},
    {ErrorKind::InvalidKeyFile, 38, "Invalid Key File"},
    {ErrorKind::FileSystemError, 90, "File System Error"},
    {ErrorKind::RecordNotFound, 35, "Record Not Found"},
    {ErrorKind::NoMoreRecords, 33, "No More Records"},
    {ErrorKind::ChangedByAnotherStation, 89, "Record Changed By Another Station"},
    {ErrorKind::DuplicateKey, 40, "Creates Duplicate Key"},
    {ErrorKind::NotOpen, 37, "File Not Open"},
    {ErrorKind::TransactionActive, 56, "Transaction Already Active"},
};

const KindInfo& info(ErrorKind kind) {
    for (const auto& entry : kKinds) {
        if (entry.kind == kind) {
            return entry;
        }
    }
    return kKinds[0];
}

}  // namespace

int errorCode(ErrorKind kind) { return info(kind).code; }
const char* errorText(ErrorKind kind) { return info(kind).text; }

StoreError StoreError::of(ErrorKind kind, const std::string& detail) {
    StoreError error;
    error.kind = kind;
    error.code = errorCode(kind);
    error.text = errorText(kind);
    if (!detail.empty()) {
        error.text += ": " + detail;
    }
    return error;
}

StoreError StoreError::fileSystem(int errorNumber, const std::string& detail) {
    StoreError error = of(ErrorKind::FileSystemError, detail);
    error.fileSystemCode = errorNumber;
    error.fileSystemText = errorNumber != 0 ? std::strerror(errorNumber) : detail;
    return error;
}

}  // namespace agendix::store
