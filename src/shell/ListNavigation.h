#pragma once

#include "shell/Commands.h"

namespace agendix::shell {

// A window the frame's navigation buttons act on while it is the active window.
class ListNavigation {
  public:
    virtual ~ListNavigation() = default;
    virtual void navigate(Navigation navigation) = 0;
    // Whether the window can add a record now ("Insert a new Record").
    virtual bool canInsert() const = 0;
};

}  // namespace agendix::shell
