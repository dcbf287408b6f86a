// A request to end the program that arrives while a long operation pumps
// events (ProgressDialog::Update). The front end's event pumping must not end
// the program in the middle of that operation, nor forget the request: it
// posts it here instead, and its main loop carries it out once the operation
// has returned (Take). The request stays pending until taken, however many
// times events are pumped meanwhile.
#pragma once

namespace recaster::app {

class QuitRequest {
  public:
    static void Post();
    static bool Pending();
    // True once per posted request, which it clears.
    static bool Take();
};

}  // namespace recaster::app
