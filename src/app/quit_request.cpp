// The pending quit request (one user-interface thread uses it).
#include "app/quit_request.h"

namespace recaster::app {
namespace {

bool& Flag() {
    static bool pending = false;
    return pending;
}

}  // namespace

void QuitRequest::Post() {
    Flag() = true;
}

bool QuitRequest::Pending() {
    return Flag();
}

bool QuitRequest::Take() {
    bool was = Flag();
    Flag() = false;
    return was;
}

}  // namespace recaster::app
