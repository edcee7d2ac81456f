#include "script_ui/ViewScriptKeys.h"

#include <QCoreApplication>
#include <system_error>
#include <utility>

#include "script/KeyCodesListing.h"

namespace agendix::script_ui {

namespace fs = std::filesystem;

fs::path keyCodesFile(const fs::path& dataDirectory, const fs::path& programDirectory) {
    const fs::path inData = dataDirectory / script::kKeyCodesFileName;
    std::error_code ec;
    if (fs::is_regular_file(inData, ec) || programDirectory.empty()) {
        return inData;
    }
    const fs::path besideProgram = programDirectory / script::kKeyCodesFileName;
    return fs::is_regular_file(besideProgram, ec) ? besideProgram : inData;
}

fs::path ownProgramDirectory() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        return self.parent_path();
    }
    return QCoreApplication::instance() != nullptr
               ? fs::path(QCoreApplication::applicationDirPath().toStdString())
               : fs::path();
}

ViewScriptKeys::ViewScriptKeys(platform::UserInterface& ui, store::IniFile positionFile,
                               fs::path dataDirectory, fs::path programDirectory)
    : ui_(ui),
      positionFile_(std::move(positionFile)),
      dataDirectory_(std::move(dataDirectory)),
      programDirectory_(std::move(programDirectory)) {}

ViewScriptKeys::~ViewScriptKeys() {
    if (viewer_ != nullptr) {
        viewer_->close();
        delete viewer_.data();
    }
}

shell::TextViewer& ViewScriptKeys::open() {
    const fs::path file = keyCodesFile(dataDirectory_, programDirectory_);
    if (viewer_ == nullptr) {
        viewer_ = new shell::TextViewer(shell::keyListViewerSetup(file), ui_, positionFile_);
        viewer_->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        viewer_->setFile(file);
    }
    viewer_->show();
    viewer_->raise();
    viewer_->activateWindow();
    return *viewer_;
}

}  // namespace agendix::script_ui
