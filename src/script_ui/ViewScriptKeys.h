#pragma once

#include <QPointer>
#include <filesystem>

#include "platform/UserInterface.h"
#include "shell/TextViewer.h"
#include "store/IniFile.h"

namespace agendix::script_ui {

// Where the key-name list KEYCODES.TXT is read from: the data directory (where the program runs
// and keeps its other files) when it is there, else the program's own directory, where it is
// installed. When it is in neither, the data directory's, so that the viewer reports it missing.
std::filesystem::path keyCodesFile(const std::filesystem::path& dataDirectory,
                                   const std::filesystem::path& programDirectory);

// The directory of the running executable.
std::filesystem::path ownProgramDirectory();

// The list of key abbreviations ("List of Key Abbreviations"): the text viewer on KEYCODES.TXT,
// its place kept in the position file under "ViewScriptKeys". One window at a time: opening it
// again brings the open one to the front.
class ViewScriptKeys {
  public:
    ViewScriptKeys(platform::UserInterface& ui, store::IniFile positionFile,
                   std::filesystem::path dataDirectory,
                   std::filesystem::path programDirectory = ownProgramDirectory());
    ~ViewScriptKeys();
    ViewScriptKeys(const ViewScriptKeys&) = delete;
    ViewScriptKeys& operator=(const ViewScriptKeys&) = delete;

    // Opens the window (a top-level window that deletes itself when closed), or raises it.
    shell::TextViewer& open();
    // The open window, or null.
    shell::TextViewer* window() const { return viewer_; }

  private:
    platform::UserInterface& ui_;
    store::IniFile positionFile_;
    std::filesystem::path dataDirectory_;
    std::filesystem::path programDirectory_;
    QPointer<shell::TextViewer> viewer_;
};

}  // namespace agendix::script_ui
