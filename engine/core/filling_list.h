#pragma once
// FillingList is set while a row is being added to or removed from a list
// view, so that the views' change handlers ignore the change. It is only
// ever set through this guard, around one row change: a read that stalls
// between two answers cannot leave every list handler dead.

#include "engine/core/core_state.h"

namespace parlenko {

class FillingListGuard {
public:
    explicit FillingListGuard(CoreState& state) : state_(state), before_(state.FillingList) {
        state_.FillingList = true;
    }
    ~FillingListGuard() { state_.FillingList = before_; }
    FillingListGuard(const FillingListGuard&) = delete;
    FillingListGuard& operator=(const FillingListGuard&) = delete;

private:
    CoreState& state_;
    bool before_;
};

}  // namespace parlenko
