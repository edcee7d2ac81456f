#include "store/StandardWarnings.h"

#include "store/Text.h"

#include <algorithm>
#include <cctype>

namespace agendix::store {
namespace {

using platform::MessageButton;
using platform::MessageIcon;

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

std::string StandardWarnings::errorPart() const {
    const StoreError& error = recorded_ ? *recorded_ : current_;
    if (error.is(ErrorKind::FileSystemError) && error.fileSystemCode != 0) {
        return error.fileSystemText + " (" + std::to_string(error.fileSystemCode) + ")";
    }
    return error.text + " (" + std::to_string(error.code) + ")";
}

std::optional<StandardWarnings::Box> StandardWarnings::compose(int number, const std::string& text1,
                                                               const std::string& text2) const {
    const std::string e = errorPart();
    const std::string t1 = trimRight(text1);
    const std::string& t2 = text2;
    Box box;
    switch (number) {
        case 1:
            box = {"Error: (" + e + ") accessing " + t1 + ".  Press OK to end this application.", "Invalid File"};
            box.haltMessage = "Invalid File!";
            break;
        case 2:
            box = {t1 + " key file is invalid.  Do you want to rebuild the key?", "Invalid Key",
                   platform::Yes | platform::No, platform::Yes};
            box.haltMessage = "Invalid Key!";
            box.haltOnNo = true;
            break;
        case 3:
            box = {"Error: (" + e + ") repairing key for " + t1 + ".  Press OK to end this application.",
                   "Key Rebuild Error"};
            box.haltMessage = "Error Rebuilding Key!";
            break;
        case 4:
            box = {"Error: (" + e + ") creating " + t1 + ".  Press OK to end this application.",
                   "File Creation Error"};
            box.haltMessage = "File Creation Error!";
            break;
        case 5:
            box = {"Error: (" + e + ") opening created file:" + t1 + ".  Press OK to end this application.",
                   "File Creation Error"};
            box.haltMessage = "File Creation Error!";
            break;
        case 10:
            box = {"The value of " + t1 + " must be between " + t2 + ".", "Range Error"};
            break;
        case 12:
            box = {"This record is referenced from the file " + t1 +
                       ".  Linking field(s) have been restricted from change and have been reset to original "
                       "values.",
                   "Referential Integrity Update Error"};
            break;
        case 13:
            box = {"This record is referenced from the file " + t1 +
                       ".  This record cannot be deleted while these references exist.",
                   "Referential Integrity Delete Error"};
            break;
        case 14:
            box = {"An error was experienced during the update of record.  Error: " + e + ".", "Record Insert Error"};
            break;
        case 15: {
            const bool changedElsewhere =
                !recorded_ || recorded_->is(ErrorKind::ChangedByAnotherStation) || recorded_->ok();
            box = {changedElsewhere ? std::string("This record was changed by another station.")
                                    : "An error (" + e +
                                          ") was experienced when attempting to update a record from the file.  "
                                          "Probable Cause: " +
                                          t1 + ".",
                   "Update Operation Error"};
            break;
        }
        case 16:
            box = {"An error was experienced changing this record.  Do you want to try to save again?",
                   "Record Update Error", platform::Yes | platform::No | platform::Cancel, platform::Cancel,
                   MessageIcon::Question};
            break;
        case 17:
            box = {"An error (" + e + ") was experienced when attempting to delete a record from the file " + t1 +
                       ".",
                   "Delete Operation Error"};
            break;
        case 18:
            box = {"An error was experienced deleting this record.  Do you want to try to save again?",
                   "Record Update Error", platform::Yes | platform::No | platform::Cancel, platform::Cancel,
                   MessageIcon::Question};
            break;
        case 19:
            box = {"This procedure was called to insert a record, however inserts are not allowed for this "
                   "procedure.  Press OK to return to the calling procedure",
                   "Invalid Request"};
            break;
        case 20:
            box = {"This procedure was called to change a record, however changes are not allowed for this "
                   "procedure.  Press OK to return to the calling procedure",
                   "Invalid Request"};
            break;
        case 21:
            box = {"This procedure was called to delete a record, however deletions are not allowed for this "
                   "procedure.  Press OK to return to the calling procedure",
                   "Invalid Request"};
            break;
        case 24:
            box = {"Adding this record creates a duplicate entry for the key:" + t1, "Duplicate Key Error"};
            break;
        case 25:
            box = {"Attempts to automatically number this record have failed.  Error: " + e + ".",
                   "Auto Increment Error", platform::Retry | platform::Cancel, platform::Cancel};
            break;
        case 26:
            box = {t1 + " File Load Error.  Error: " + e + ".", "File Load Error"};
            break;
        case 27:
            box = {"Are you certain you want to stop loading " + t1 + "?", "Cancel Request",
                   platform::Ok | platform::Cancel, platform::Cancel, MessageIcon::Question};
            break;
        case 28:
            box = {t1 + " File Load Error.  The file you've requested contains no text.", "File Load Error"};
            break;
        case 29:
            if (t1 == "Down") {
                box = {"The end of the viewed file was encountered.  Do you want to start again from the beginning?",
                       "End of File Error", platform::Yes | platform::No, platform::Yes, MessageIcon::Question};
            } else {
                box = {"The beginning of the viewed file was encountered.  Do you want to start again from the end "
                       "of the file?",
                       "Beginning of File Error", platform::Yes | platform::No, platform::Yes, MessageIcon::Question};
            }
            break;
        case 30:
            box = {"File (" + t1 + ") could not be opened.  Error: " + e + ".", "File Access Error"};
            break;
        case 31:
            if (t1 == "Put") {
                box = {"An error was experienced when making changes to the " + t2 + " file.  Error: " + e,
                       "Process PUT Error"};
            } else {
                box = {"An error was experienced when deleting a record from the " + t2 + " file.  Error: " + e,
                       "Process DELETE Error"};
            }
            break;
        case 32:
            box = {"You've selected to delete the highlighted record.  Press OK to confirm deletion of this record.",
                   "Confirm Delete", platform::Ok | platform::Cancel, platform::Cancel, MessageIcon::Question};
            break;
        case 34:
            box = {"Error: (" + e + ") attempting to frame the " + lowerCase(t1) + " transaction on " + t2 + ".  " +
                       t1 + " transaction cancelled.",
                   "Transaction Framing Error"};
            break;
        case 35:
            box = {"Error: (" + e + ") attempting to access a record from the " + t1 +
                       " file.  Returning to previous window.",
                   "Record Retrieval Error"};
            break;
        case 36:
            box = {"Error: (" + e + ") attempting to open the current VIEW.\rFilter and Range Limits ignored.\r\r"
                                    "Related File: " +
                       t1,
                   "View Open Error"};
            break;
        case 38:
            box = {"This record was changed by another station. Those changes will now be displayed. Use the Ditto "
                   "Button or Ctrl+' to recall your changes.",
                   "Record Was Not Updated", platform::Ok, platform::Ok, MessageIcon::Information};
            break;
        default:
            return std::nullopt;
    }
    return box;
}

int StandardWarnings::show(int number, const std::string& text1, const std::string& text2) {
    const std::optional<Box> box = compose(number, text1, text2);
    recorded_.reset();
    if (!box) {
        return 0;
    }
    const MessageButton pressed =
        ui_.message(platform::MessageRequest{box->text, box->caption, box->icon, box->buttons, box->defaultButton});
    if (!box->haltMessage.empty() && (!box->haltOnNo || pressed == platform::No)) {
        ui_.halt(box->haltMessage);
    }
    return static_cast<int>(pressed);
}

}  // namespace agendix::store
