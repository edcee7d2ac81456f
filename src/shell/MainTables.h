#pragma once

namespace agendix::shell {

// The tables the frame keeps open for the whole run: Clipboard, Configuration, Schedule,
// Scripting and WindowLookup. The frame opens them before its window appears and releases them
// when it closes.
class MainTables {
  public:
    virtual ~MainTables() = default;

    // Opens the five tables through their user counters. False means a failure that could not be
    // repaired halted the program: the frame must not appear and the program ends.
    virtual bool open() = 0;

    // Gives back the frame's use of the five tables; a table closes when its last user releases it.
    virtual void release() = 0;
};

}  // namespace agendix::shell
